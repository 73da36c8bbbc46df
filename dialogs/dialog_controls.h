// The controls of a small dialog as one table: kind, identifier, caption and rectangle in
// twips. The Win32 side creates them in the table's order, which is their tab order; a label
// stands before the control its access key leads to.
#pragma once

#include <string_view>

#include "util/screen_geometry.h"

namespace velquor {

enum class DialogControlKind {
    Label,
    Edit,
    FindingsText,  // read-only, several lines, scrolls
    Button,
    DefaultButton,
    DropDownList,
    ListBox,
    ProgressBar,
};

struct DialogControl {
    int id;
    DialogControlKind kind;
    std::wstring_view caption;
    TwipsRect rect;
};

}  // namespace velquor
