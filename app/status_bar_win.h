// The main window's status bar: a free panel and, on the right, the current time and date.
#pragma once

#include <windows.h>

namespace velquor {

// Divides the bar into its three panels for a bar of the given width in pixels.
void SetStatusPanels(HWND statusBar, int width, int dotsPerInch);

// Writes the current local time and date in the user's formats into the right-hand panels.
void ShowClockInStatus(HWND statusBar);

}  // namespace velquor
