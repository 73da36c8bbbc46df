// An empty dialog template: the dialogs make their controls in twips when they start, so the
// template holds only the frame's styles.
#pragma once

#include <windows.h>

namespace velquor {

// Templates must start on a DWORD boundary.
struct alignas(4) EmptyDialogTemplate {
    EmptyDialogTemplate(DWORD style, DWORD exStyle) : header{style, exStyle, 0, 0, 0, 0, 0} {}

    DLGTEMPLATE header;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

}  // namespace velquor
