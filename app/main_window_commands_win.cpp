// What the buttons of the main window do: one row per button index.
#include <span>

#include "app/autostart_test_win.h"
#include "app/existing_autorun_win.h"
#include "app/main_window_win.h"
#include "app/path_selection.h"
#include "app/system_check_win.h"
#include "autorun/check_icon_file.h"
#include "autorun/save_autostart.h"
#include "dialogs/about_box_win.h"
#include "dialogs/disc_image_dialog_win.h"
#include "dialogs/icon_library_dialog_win.h"
#include "dialogs/progress_dialog_win.h"
#include "dialogs/progress_steps.h"
#include "util/help.h"
#include "util/program_windows_win.h"
#include "util/prompts.h"
#include "util/window_services_win.h"

namespace velquor {

void MainWindow::AddSystemMenuCommands() {
    const HMENU systemMenu = GetSystemMenu(Handle(), FALSE);
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, kTestAutostartCommand, kTestAutostartMenuText);
    AppendMenuW(systemMenu, MF_STRING, kMakeDiscImageCommand, kMakeDiscImageMenuText);
}

// Both work on the chosen project; without one they are grayed, and a command sent anyway
// does nothing.
bool MainWindow::RunSystemMenuCommand(unsigned command) {
    if (command != kTestAutostartCommand && command != kMakeDiscImageCommand) {
        return false;
    }
    if (RootDependentControlsEnabled(settings_)) {
        command == kTestAutostartCommand ? TestAutostart() : MakeDiscImage();
    }
    return true;
}

void MainWindow::RunButton(int index) {
    using Action = void (*)(MainWindow&);
    struct Row {
        int index;
        Action action;
    };
    static constexpr Row kRows[] = {
        {kSystemCheckButton, [](MainWindow& w) { w.RunSystemCheck(); }},
        {kOkButton, [](MainWindow& w) { w.SaveProject(); }},
        {kLibraryButton, [](MainWindow& w) { w.ChooseLibraryIcon(); }},
        {kToggleViewButton, [](MainWindow& w) { w.ToggleView(); }},
        {kRootPickButton, [](MainWindow& w) { w.ChooseRoot(); }},
        {kTargetPickButton,
         [](MainWindow& w) { ChooseSlotPath(w.settings_, kTargetSlot, w.prompts_); }},
        {kIconPickButton, [](MainWindow& w) { w.ChooseIconFile(); }},
        {kNoIconButton, [](MainWindow& w) { ResetSlot(w.settings_, kIconSlot); }},
        {kDefaultIconButton, [](MainWindow& w) { SetDefaultIcon(w.settings_); }},
        {kAboutButton,
         [](MainWindow& w) { ShowAboutBox(w.Handle(), w.prompts_, w.clock_, w.windows_); }},
        {kHelpButton, [](MainWindow& w) { ShowHelp(L"", false, w.programFolder_, w.prompts_); }},
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

void MainWindow::RunSystemCheck() {
    if (systemCheckRunning_) {
        return;
    }
    systemCheckRunning_ = true;
    const ProgressEnd end =
        RunProgressDialog(Handle(), systemCheckSteps_, kSystemCheckTitle, windows_);
    systemCheckRunning_ = false;
    // Closed or ended meanwhile: there is no window left to report to.
    if (end == ProgressEnd::Completed && Handle()) {
        prompts_.ShowMessage(CheckThisComputer(), MessageStyle::Information);
    }
}

void MainWindow::SaveProject() {
    if (SaveAutostart(settings_, programFolder_, prompts_, clock_) == SaveOutcome::SavedAndEnd) {
        // Only this window goes: an about box that is still open stays until it is closed.
        Destroy();
    }
}

void MainWindow::TestAutostart() {
    velquor::TestAutostart(Handle(), settings_.projectRoot, prompts_);
}

void MainWindow::MakeDiscImage() {
    ShowDiscImageDialog(Handle(), settings_.projectRoot, prompts_);
}

void MainWindow::ChooseLibraryIcon() {
    // The close box gives nothing and changes nothing; "Abbrechen" gives 0, which changes nothing.
    if (const std::optional<int> entry = ShowIconLibraryDialog(Handle(), WorkAreaOf(Handle()))) {
        ApplyLibraryIcon(settings_, *entry);
    }
}

void MainWindow::ChooseRoot() {
    if (!ChooseProjectRoot(settings_, prompts_)) {
        return;
    }
    ShowModel();  // the fresh project stands in the window while the user is asked
    OfferExistingAutorun(
        settings_, prompts_,
        ExistingAutorunOnDisk([this](const std::wstring& path) { return LoadPreviewFile(path); }));
}

void MainWindow::ChooseIconFile() {
    ChooseSlotPath(settings_, kIconSlot, prompts_);
    // Also after a cancel: the file chosen earlier is loaded again.
    CheckIconFile(settings_, prompts_,
                  [this](const std::wstring& path) { return LoadPreviewFile(path); });
}

bool MainWindow::LoadPreviewFile(const std::wstring& path) {
    if (!previewPicture_.LoadFile(path)) {
        return false;
    }
    shownPreview_ = {PreviewKind::IconFile, 0};
    InvalidateRect(Control(ControlKind::IconPreview, 0), nullptr, TRUE);
    return true;
}

}  // namespace velquor
