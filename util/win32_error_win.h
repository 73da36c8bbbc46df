// Win32 error codes as the program's run-time errors.
#pragma once

#include <windows.h>

#include "util/run_time_error.h"

namespace velquor {

// The system's description of the code (without its trailing line break) and the code.
RunTimeError Win32Error(DWORD code);

[[noreturn]] void ThrowLastError();

}  // namespace velquor
