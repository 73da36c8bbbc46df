// The program's main window. It shows the project settings it owns and changes them only
// through the operations of the project model; the controls hold no second copy.
#pragma once

#include <windows.h>

#include <string>

#include "app/main_window_controls.h"
#include "app/preview_picture_win.h"
#include "dialogs/progress_steps.h"
#include "project/project_settings.h"
#include "util/unique_handle_win.h"
#include "util/window_base_win.h"

namespace velquor {

class Clock;
class Prompts;
class ProgramWindows;

class MainWindow : public WindowBase {
  public:
    // The launcher is copied from `programFolder` at every save. The system check plays
    // `systemCheckSteps` before its report; a shorter list lets a long test run click it often.
    MainWindow(Prompts& prompts, Clock& clock, ProgramWindows& windows, std::wstring programFolder,
               std::wstring systemCheckSteps = kSystemCheckSteps);
    ~MainWindow() override;

    // Creates the window hidden, in the compact view, centred, with a fresh project.
    bool Create(HINSTANCE instance);

    const ProjectSettings& Settings() const { return settings_; }
    // The control of that kind and index. Steps (3) and (4) are made when the extended view
    // first shows them, so that start-up pays only for the compact view; asked for one of
    // their controls before, this makes them, hidden.
    HWND Control(ControlKind kind, int index) const;
    // Made when first needed.
    HWND ToolTips() const;
    // What the preview shows, and whether it holds a picture for it.
    const IconPreview& ShownPreview() const { return shownPreview_; }
    bool PreviewHasPicture() const { return !previewPicture_.Empty(); }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool OnCreate();
    bool CreateControls();
    void CreateExtraSteps() const;
    HWND CreateControl(const ControlRow& c) const;
    HWND Existing(ControlKind kind, int index) const;  // never makes a control
    void OnCommand(int id, int code, HWND control);
    LRESULT OnControlColour(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnSetCursor(HWND over);
    void OnActivate(bool active, bool minimised);
    void RestoreFocus();

    void AddSystemMenuCommands();
    bool RunSystemMenuCommand(unsigned command);
    void RunButton(int index);
    void ToggleView();
    void PlaceCommandFrame(int top);
    void PlaceStatusBar();
    void ShowModel();
    void ShowEnabledControls() const;
    void ShowPreview();
    void RunSystemCheck();
    void SaveProject();
    void TestAutostart();
    void MakeDiscImage();
    void ChooseRoot();
    void ChooseLibraryIcon();
    void ChooseIconFile();
    // Into the preview, as it is shown for a picked icon file; false when the loader refuses it.
    bool LoadPreviewFile(const std::wstring& path);
    void DrawPreview(const DRAWITEMSTRUCT& item) const;

    ProjectSettings settings_;
    Prompts& prompts_;
    Clock& clock_;
    ProgramWindows& windows_;
    std::wstring programFolder_;
    std::wstring systemCheckSteps_;

    int dpi_ = 96;
    bool compactView_ = false;
    double savedCommandFrameTop_ = 0;  // twips
    double savedWindowHeight_ = 0;     // twips
    int commandFrameTop_ = 0;          // twips, where the view has it now
    bool showingModel_ = false;        // edits made by ShowModel are no user input
    bool systemCheckRunning_ = false;  // a second click while the bar runs is ignored
    mutable bool extraStepsCreated_ = false;

    mutable HWND toolTips_ = nullptr;
    HWND focusWhenInactive_ = nullptr;  // the control to give the focus back to
    IconPreview shownPreview_;
    bool previewShown_ = false;
    PreviewPicture previewPicture_;
    UniqueFont frameFont_;
    UniqueFont boldFont_;
    UniqueBitmap logo_;
};

}  // namespace velquor
