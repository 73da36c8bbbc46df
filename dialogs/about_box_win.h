// The about box: a modeless dialog of its own, one per process. It is owned by a hidden window
// of the program, not by the main window, so it keeps no task-bar button and stays open when
// the main window closes; it counts among the program's windows while it is open.
#pragma once

#include <windows.h>

namespace velquor {

class Clock;
class Prompts;
class ProgramWindows;

// Opens the box, placed on the main window's monitor, with its texts built now (the year from
// `clock`); when it is open already, brings it to the front instead. Every shell call of the
// box goes through `prompts`, owned by the box. The box, or null when it could not be made.
HWND ShowAboutBox(HWND mainWindow, Prompts& prompts, Clock& clock, ProgramWindows& windows);

// The open box, or null.
HWND OpenAboutBox();

}  // namespace velquor
