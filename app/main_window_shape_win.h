// How the main window and its controls are made: each control's window class and style, and
// where the window opens. Shared by the window and by the start-up bench's yardstick that makes
// the same controls and nothing else.
#pragma once

#include <windows.h>

#include "app/main_window_controls.h"

namespace velquor {

inline constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassFor(const ControlRow& c);

// The folder option's circle starts inside the document option's rectangle, which is wider than
// its caption: laid right above it, the folder option shows its circle whole, and the document
// option, clipped, paints around it. Tab still reaches the pair where the table has it.
void LayOptionsForWholeCircles(HWND window);

// The window opens in the compact view, centred on the primary monitor. The extended view's
// command frame top and outer height are what the view toggle works from.
struct OpeningShape {
    RECT outer;
    int commandFrameTop;          // twips
    double savedCommandFrameTop;  // twips
    double savedWindowHeight;     // twips
};

OpeningShape MainWindowOpeningShape(int dpi);

}  // namespace velquor
