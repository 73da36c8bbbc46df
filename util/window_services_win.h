// Small window services of the Windows build.
#pragma once

#include <windows.h>

namespace velquor {

// Moves the window so it is centred on the primary screen, in pixels; its size stays.
void CentreOnScreen(HWND window);

}  // namespace velquor
