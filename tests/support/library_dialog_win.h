// Working the icon library dialog's list from a test, as a user's click would.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "dialogs/icon_library_dialog_win.h"

namespace velquor::testing {

inline HWND LibraryListOf(HWND dialog) {
    return GetDlgItem(dialog, kLibraryListId);
}

// Selects and focuses item `index` (0-based); -1 clears the selection of every item.
inline void SelectLibraryItem(HWND dialog, int index) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = index < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(LibraryListOf(dialog), LVM_SETITEMSTATE,
                 index < 0 ? static_cast<WPARAM>(-1) : index, reinterpret_cast<LPARAM>(&state));
    if (index >= 0) {
        SendMessageW(LibraryListOf(dialog), LVM_ENSUREVISIBLE, index, FALSE);
    }
}

}  // namespace velquor::testing
