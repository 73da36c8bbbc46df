// The run of velquor.exe: the main window is created and shown, then messages are handled until
// the last window of the program is gone.
#pragma once

#include <windows.h>

#include <functional>

namespace velquor {

class Prompts;
class ProgramWindows;

inline constexpr wchar_t kStartFailureMessage[] =
    L"Velquor konnte nicht gestartet werden: Das Programmfenster ließ sich nicht öffnen. Bitte "
    L"schließen Sie andere Programme und starten Sie Velquor erneut.";
inline constexpr int kStartFailureExitCode = 1;

// `createMainWindow` gives the main window, hidden, or null when it could not be created; then
// the user is told and the run ends with kStartFailureExitCode. Otherwise the exit code is the
// one the message loop ends with.
int RunProgram(const std::function<HWND()>& createMainWindow, int showCommand,
               ProgramWindows& windows, Prompts& prompts);

}  // namespace velquor
