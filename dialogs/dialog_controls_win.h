// Creating a dialog's control table (dialogs/dialog_controls.h) at the screen's resolution.
#pragma once

#include <windows.h>

#include <span>

#include "dialogs/dialog_controls.h"

namespace velquor {

// Gives the dialog a client area of `width` x `height` twips, centred on its screen, and
// creates the controls in order; false when one cannot be made.
bool CreateDialogControls(HWND dialog, int width, int height,
                          std::span<const DialogControl> controls);

}  // namespace velquor
