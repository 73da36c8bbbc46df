// What the buttons of the main window do: one row per button index.
#include <span>

#include "app/main_window_win.h"
#include "app/path_selection.h"
#include "autorun/save_autostart.h"
#include "util/program_windows_win.h"

namespace velquor {

void MainWindow::RunButton(int index) {
    using Action = void (*)(MainWindow&);
    struct Row {
        int index;
        Action action;
    };
    static constexpr Row kRows[] = {
        // The timed system check comes with the progress dialog.
        {kSystemCheckButton, [](MainWindow&) {}},
        {kOkButton, [](MainWindow& w) { w.SaveProject(); }},
        // The icon library dialog is not built yet.
        {kLibraryButton, [](MainWindow&) {}},
        {kToggleViewButton, [](MainWindow& w) { w.ToggleView(); }},
        {kRootPickButton, [](MainWindow& w) { ChooseProjectRoot(w.settings_, w.prompts_); }},
        {kTargetPickButton,
         [](MainWindow& w) { ChooseSlotPath(w.settings_, kTargetSlot, w.prompts_); }},
        // The picked icon file is checked and shown once icon files can be loaded.
        {kIconPickButton,
         [](MainWindow& w) { ChooseSlotPath(w.settings_, kIconSlot, w.prompts_); }},
        {kNoIconButton, [](MainWindow& w) { ResetSlot(w.settings_, kIconSlot); }},
        {kDefaultIconButton, [](MainWindow& w) { SetDefaultIcon(w.settings_); }},
        // The about box and the help come with their own windows and the shell launching.
        {kAboutButton, [](MainWindow&) {}},
        {kHelpButton, [](MainWindow&) {}},
        {kQuitButton, [](MainWindow& w) { w.windows_.CloseAll(); }},
        {kFirstRowResetButton + 0, [](MainWindow& w) { ResetSlot(w.settings_, 2); }},
        {kFirstRowResetButton + 1, [](MainWindow& w) { ResetSlot(w.settings_, 3); }},
        {kFirstRowResetButton + 2, [](MainWindow& w) { ResetSlot(w.settings_, 4); }},
        {kFirstRowPickButton + 0,
         [](MainWindow& w) { ChooseSlotPath(w.settings_, 2, w.prompts_); }},
        {kFirstRowPickButton + 1,
         [](MainWindow& w) { ChooseSlotPath(w.settings_, 3, w.prompts_); }},
        {kFirstRowPickButton + 2,
         [](MainWindow& w) { ChooseSlotPath(w.settings_, 4, w.prompts_); }},
    };
    for (const Row& row : kRows) {
        if (row.index == index) {
            row.action(*this);
            break;
        }
    }
    if (Handle()) {  // "&Beenden" leaves no window to show anything in
        ShowModel();
    }
}

void MainWindow::SaveProject() {
    SaveAutostart(settings_, prompts_, clock_);
}

}  // namespace velquor
