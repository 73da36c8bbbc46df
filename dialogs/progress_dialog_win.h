// The timed progress dialog: plays a step list in a small modeless window while the caller
// waits, and the program goes on handling its windows' messages meanwhile.
#pragma once

#include <windows.h>

#include <string_view>

namespace velquor {

class ProgramWindows;

enum class ProgressEnd {
    Completed,    // every step was shown for its hold time
    OwnerClosed,  // the owner went away and took the dialog with it
    Quit,         // the program is ending: WM_QUIT arrived and was posted again
};

// Shows the dialog owned by `owner`, sets the bar to each step's value and holds it for the
// step's time, then destroys the dialog. Messages of the program's windows are handled while
// it waits. The user cannot close the dialog early.
ProgressEnd RunProgressDialog(HWND owner, std::wstring_view stepList, std::wstring_view title,
                              const ProgramWindows& windows);

// The dialog's window class, for tests that watch it.
inline constexpr wchar_t kProgressDialogClass[] = L"VelquorProgressDialog";

}  // namespace velquor
