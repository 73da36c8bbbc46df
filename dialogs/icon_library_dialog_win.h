// The icon library dialog: shown modally over the main window; every library entry with its
// number in a list of large icons.
#pragma once

#include <windows.h>

#include <optional>

#include "util/screen_geometry.h"

namespace velquor {

// Control identifiers: Enter and Escape act as "OK" and "Abbrechen" through them.
inline constexpr int kLibraryOkId = IDOK;
inline constexpr int kLibraryCancelId = IDCANCEL;
inline constexpr int kLibraryFrameId = 100;
inline constexpr int kLibraryListId = 101;

// The library number for "OK" (Enter, a double click on an item); 0 for "Abbrechen" (Escape),
// for "OK" without a selected item and for a close during the fill; nothing for the close box.
// The dialog opens centred on `workArea`, in pixels: the owner's monitor's (WorkAreaOf), where
// the user is looking.
std::optional<int> ShowIconLibraryDialog(HWND owner, PixelRect workArea);

}  // namespace velquor
