#include "util/program_start_win.h"

#include <windows.h>

#include "util/win32_error_win.h"

namespace velquor {

void StartProgram(const std::wstring& program, std::wstring commandLine,
                  const std::wstring& workingFolder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // The command line is passed writable: CreateProcessW may change it in place.
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup,
                        &process)) {
        ThrowLastError();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace velquor
