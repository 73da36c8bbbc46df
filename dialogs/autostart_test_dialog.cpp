#include "dialogs/autostart_test_dialog.h"

namespace velquor {

std::span<const DialogControl> AutostartTestControls() {
    using enum DialogControlKind;
    static constexpr DialogControl kControls[] = {
        {-1, Label, L"&Was Windows von dieser CD starten würde:", {120, 120, 5160, 240}},
        {kAutostartListId, ListBox, L"", {120, 390, 5160, 2220}},
        {kAutostartStartId, DefaultButton, L"&Starten", {2760, 2760, 1200, 375}},
        {kAutostartCloseId, Button, L"Schließen", {4080, 2760, 1200, 375}},
    };
    return kControls;
}

}  // namespace velquor
