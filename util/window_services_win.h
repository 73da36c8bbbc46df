// Small window services of the Windows build.
#pragma once

#include <windows.h>

#include "util/screen_geometry.h"

namespace velquor {

// The work area of the monitor that holds most of the window (the nearest one when it is on
// none), in pixels.
PixelRect WorkAreaOf(HWND window);

// The screen's dots per inch, which turn the layouts' twips into pixels; 96 when unknown.
int ScreenDpi();

// Moves the window so it is centred on the work area of its monitor, in pixels; its size
// stays. A window on a second monitor stays on that monitor.
void CentreOnScreen(HWND window);

// Shows a window of fixed size, which has no maximise box: a request to show it maximised (a
// shortcut set to "Maximised") shows it in its own size instead.
void ShowFixedSizeWindow(HWND window, int showCommand);

}  // namespace velquor
