// Small window services of the Windows build.
#pragma once

#include <windows.h>

#include <string>

#include "util/screen_geometry.h"

namespace velquor {

// The monitor that holds most of the window (the nearest one when it is on none), in pixels:
// the whole screen and the work area the taskbar and docked bars leave free.
struct MonitorAreas {
    PixelRect screen;
    PixelRect work;
};
MonitorAreas MonitorAreasOf(HWND window);
PixelRect WorkAreaOf(HWND window);
PixelRect PrimaryWorkArea();

// The window's text, however long.
std::wstring WindowText(HWND window);

// The screen's dots per inch, which turn the layouts' twips into pixels; 96 when unknown.
int ScreenDpi();

// Moves the window so it is centred on the work area of its monitor, in pixels; its size
// stays. A window on a second monitor stays on that monitor.
void CentreOnScreen(HWND window);

// A visible child control placed by a twips rectangle on a screen of `dpi`, in the dialog font.
HWND CreateChildInTwips(HWND parent, const wchar_t* className, const wchar_t* caption, DWORD style,
                        DWORD exStyle, TwipsRect rect, int id, int dpi);

// A tooltip window for the controls of `owner`, and one tooltip for one of them; the tooltip
// window keeps its own copy of the text.
HWND CreateToolTips(HWND owner);
void AddToolTip(HWND toolTips, HWND owner, HWND control, const wchar_t* text);

// Shows a window of fixed size, which has no maximise box: a request to show it maximised (a
// shortcut set to "Maximised") shows it in its own size instead.
void ShowFixedSizeWindow(HWND window, int showCommand);

}  // namespace velquor
