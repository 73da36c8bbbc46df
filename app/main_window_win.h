// The program's main window. It shows the project settings it owns and changes them only
// through the operations of the project model; the controls hold no second copy.
#pragma once

#include <windows.h>

#include <string>

#include "app/main_window_controls.h"
#include "app/preview_picture_win.h"
#include "project/project_settings.h"
#include "util/unique_handle_win.h"
#include "util/window_base_win.h"

namespace velquor {

class Clock;
class Prompts;
class ProgramWindows;

class MainWindow : public WindowBase {
  public:
    // The launcher is copied from `programFolder` at every save.
    MainWindow(Prompts& prompts, Clock& clock, ProgramWindows& windows, std::wstring programFolder);
    ~MainWindow() override;

    // Creates the window hidden, in the compact view, centred, with a fresh project.
    bool Create(HINSTANCE instance);

    const ProjectSettings& Settings() const { return settings_; }
    HWND Control(ControlKind kind, int index) const;
    HWND ToolTips() const { return toolTips_; }
    // What the preview shows, and whether it holds a picture for it.
    const IconPreview& ShownPreview() const { return shownPreview_; }
    bool PreviewHasPicture() const { return !previewPicture_.Empty(); }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool OnCreate();
    bool CreateControls();
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
    void ShowPreview();
    void RunSystemCheck();
    void SaveProject();
    void TestAutostart();
    void MakeDiscImage();
    void ChooseLibraryIcon();
    void ChooseIconFile();
    void DrawPreview(const DRAWITEMSTRUCT& item) const;

    ProjectSettings settings_;
    Prompts& prompts_;
    Clock& clock_;
    ProgramWindows& windows_;
    std::wstring programFolder_;

    int dpi_ = 96;
    bool compactView_ = false;
    double savedCommandFrameTop_ = 0;  // twips
    double savedWindowHeight_ = 0;     // twips
    bool showingModel_ = false;        // edits made by ShowModel are no user input
    bool systemCheckRunning_ = false;  // a second click while the bar runs is ignored

    HWND toolTips_ = nullptr;
    HWND focusWhenInactive_ = nullptr;  // the control to give the focus back to
    IconPreview shownPreview_;
    bool previewShown_ = false;
    PreviewPicture previewPicture_;
    UniqueFont frameFont_;
    UniqueFont boldFont_;
    UniqueBitmap logo_;
};

}  // namespace velquor
