#include "app/main_window_win.h"

#include <commctrl.h>

#include <string>

#include "app/main_window_shape_win.h"
#include "app/status_bar_win.h"
#include "app/view_layout.h"
#include "autorun/icon_library_win.h"
#include "resources/resource_ids.h"
#include "util/maker.h"
#include "util/program_windows_win.h"
#include "util/screen_geometry.h"
#include "util/shell_launch.h"
#include "util/window_services_win.h"

namespace velquor {
namespace {

constexpr wchar_t kClassName[] = L"VelquorMainWindow";
constexpr UINT_PTR kClockTimer = 1;
constexpr UINT kClockIntervalMs = 1000;
constexpr COLORREF kPathTextColour = RGB(0, 0, 192);
constexpr int kFontPoints = 8;

bool InCommandFrame(const ControlRow& c) {
    return c.frame == kCommandFrame || (c.kind == ControlKind::Frame && c.index == kCommandFrame);
}

void SetText(HWND control, const std::wstring& text) {
    SetWindowTextW(control, text.c_str());
}

}  // namespace

MainWindow::MainWindow(Prompts& prompts, Clock& clock, ProgramWindows& windows,
                       std::wstring programFolder, std::wstring systemCheckSteps)
    : prompts_(prompts),
      clock_(clock),
      windows_(windows),
      programFolder_(std::move(programFolder)),
      systemCheckSteps_(std::move(systemCheckSteps)) {}

MainWindow::~MainWindow() {
    Destroy();
}

bool MainWindow::Create(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (!RegisterClassOnce(wc)) {
        return false;
    }
    dpi_ = ScreenDpi();
    const OpeningShape shape = MainWindowOpeningShape(dpi_);
    savedCommandFrameTop_ = shape.savedCommandFrameTop;
    savedWindowHeight_ = shape.savedWindowHeight;
    commandFrameTop_ = shape.commandFrameTop;
    compactView_ = true;
    return CreateFor(kClassName, kMainWindowTitle, kMainWindowStyle, 0, shape.outer, instance) !=
           nullptr;
}

HWND MainWindow::Control(ControlKind kind, int index) const {
    if (const ControlRow* row = FindControl(kind, index); row && InExtraStep(*row)) {
        CreateExtraSteps();
    }
    return Existing(kind, index);
}

HWND MainWindow::Existing(ControlKind kind, int index) const {
    return GetDlgItem(Handle(), ControlId(kind, index));
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;  // a window without its controls is not created
        case WM_SYSCOMMAND:
            if (RunSystemMenuCommand(static_cast<unsigned>(wParam & 0xFFF0))) {
                return 0;
            }
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_DRAWITEM:
            if (wParam == static_cast<WPARAM>(ControlId(ControlKind::IconPreview, 0))) {
                DrawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            return OnControlColour(message, wParam, lParam);
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam))) {
                return TRUE;
            }
            break;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0);
            return 0;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case WM_TIMER:
            if (wParam == kClockTimer) {
                ShowClockInStatus(Control(ControlKind::StatusBar, 0));
            }
            return 0;
        case WM_DESTROY:
            KillTimer(Handle(), kClockTimer);
            windows_.Remove(Handle());
            return 0;
    }
    return Default(message, wParam, lParam);
}

bool MainWindow::OnCreate() {
    if (!CreateControls()) {
        return false;
    }
    AddSystemMenuCommands();
    // The path boxes are filled by the picking operations only.
    SendMessageW(Control(ControlKind::LongNameBox, 0), BM_SETCHECK, BST_CHECKED, 0);
    SetText(Control(ControlKind::Button, kToggleViewButton), std::wstring(kExtendedViewCaption));
    PlaceStatusBar();
    ResetProject(settings_);
    ShowModel();
    ShowClockInStatus(Control(ControlKind::StatusBar, 0));
    SetTimer(Handle(), kClockTimer, kClockIntervalMs, nullptr);
    // Counted only once it is whole: a window whose creation failed must not end the run by
    // its destruction.
    windows_.Add(Handle());
    return true;
}

bool MainWindow::CreateControls() {
    const auto guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const int fontHeight = -MulDiv(kFontPoints, dpi_, 72);
    frameFont_.Reset(CreateFontW(fontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
    LOGFONTW bold{};
    GetObjectW(guiFont, sizeof bold, &bold);
    bold.lfWeight = FW_BOLD;
    boldFont_.Reset(CreateFontIndirectW(&bold));

    for (const ControlRow& c : MainWindowControls()) {
        if (!InExtraStep(c) && !CreateControl(c)) {
            return false;
        }
    }
    LayOptionsForWholeCircles(Handle());
    HWND logo = Existing(ControlKind::Logo, 0);
    logo_.Reset(static_cast<HBITMAP>(
        LoadImageW(Instance(), MAKEINTRESOURCEW(IDB_LOGO), IMAGE_BITMAP, 0, 0, 0)));
    SendMessageW(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.Get()));
    return true;
}

// A tip shows only under the mouse, so its window waits until the mouse comes over a control
// that has one.
HWND MainWindow::ToolTips() const {
    if (!toolTips_) {
        toolTips_ = CreateToolTips(Handle());
        AddToolTip(toolTips_, Handle(), Existing(ControlKind::Logo, 0), kMakerLogoTip);
        if (extraStepsCreated_) {
            AddToolTip(toolTips_, Handle(), Existing(ControlKind::IconPreview, 0), kIconPreviewTip);
        }
    }
    return toolTips_;
}

// Made hidden, with what the model holds, each in its place in the table's tab order. A control
// the system refuses stays missing: the window exists already and cannot fail any more.
void MainWindow::CreateExtraSteps() const {
    if (extraStepsCreated_) {
        return;
    }
    extraStepsCreated_ = true;
    const ControlRow* previous = nullptr;
    for (const ControlRow& c : MainWindowControls()) {
        if (InExtraStep(c)) {
            if (HWND control = CreateControl(c); control && previous) {
                SetWindowPos(control, Existing(previous->kind, previous->index), 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            }
        }
        previous = &c;
    }
    if (toolTips_) {
        AddToolTip(toolTips_, Handle(), Existing(ControlKind::IconPreview, 0), kIconPreviewTip);
    }
    ShowEnabledControls();
}

HWND MainWindow::CreateControl(const ControlRow& c) const {
    ControlClass cls = ClassFor(c);
    if (InExtraStep(c)) {
        cls.style &= ~WS_VISIBLE;
    }
    const TwipsRect r = ClientRectTwips(c, commandFrameTop_);
    std::wstring caption(c.caption);
    if (c.kind == ControlKind::PathBox) {
        caption = settings_.slots[c.index];
    } else if (c.kind == ControlKind::LabelBox) {
        caption = settings_.labels[c.index];
    }
    HWND control = CreateWindowExW(
        cls.exStyle, cls.className, caption.c_str(), cls.style, TwipsToPixels(r.left, dpi_),
        TwipsToPixels(r.top, dpi_), TwipsToPixels(r.width, dpi_), TwipsToPixels(r.height, dpi_),
        Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(c.kind, c.index))),
        Instance(), nullptr);
    if (!control) {
        return nullptr;
    }
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (c.kind == ControlKind::Frame) {
        font = frameFont_.Get();
    } else if (c.kind == ControlKind::Button && c.index == kOkButton) {
        font = boldFont_.Get();
    }
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

LRESULT MainWindow::OnControlColour(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT brush = Default(message, wParam, lParam);
    if (ControlIndex(ControlKind::PathBox, GetDlgCtrlID(reinterpret_cast<HWND>(lParam))) >= 0) {
        SetTextColor(reinterpret_cast<HDC>(wParam), kPathTextColour);
    }
    return brush;
}

bool MainWindow::OnSetCursor(HWND over) {
    if (over == Existing(ControlKind::Logo, 0) || over == Existing(ControlKind::IconPreview, 0)) {
        ToolTips();
    }
    if (over != Control(ControlKind::Logo, 0)) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

// As in a dialog box: the focus stays on its control while another window is active, and the
// first tab stop has it at the start.
void MainWindow::OnActivate(bool active, bool minimised) {
    if (!active) {
        const HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) {
            focusWhenInactive_ = focus;
        }
    } else if (!minimised) {
        RestoreFocus();
    }
}

void MainWindow::RestoreFocus() {
    HWND target = focusWhenInactive_;
    if (!target || !IsChild(Handle(), target) || !IsWindowVisible(target) ||
        !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(Handle(), nullptr, FALSE);
    }
    if (target) {
        SetFocus(target);
    }
}

void MainWindow::OnCommand(int id, int code, HWND control) {
    if (!control) {
        return;  // Enter and Escape (IDOK, IDCANCEL) and menu commands mean nothing here
    }
    if (const int button = ControlIndex(ControlKind::Button, id); button >= 0) {
        if (code == BN_CLICKED && IsWindowEnabled(control)) {
            RunButton(button);
        }
    } else if (const int row = ControlIndex(ControlKind::LabelBox, id); row >= 0) {
        if (code == EN_CHANGE && !showingModel_) {
            settings_.labels[row] = WindowText(control);
        }
    } else if (const int option = ControlIndex(ControlKind::TargetTypeOption, id); option >= 0) {
        if (code == BN_CLICKED) {
            settings_.targetType = option == 0 ? TargetType::Document : TargetType::Folder;
        }
    } else if (id == ControlId(ControlKind::Logo, 0) && code == STN_CLICKED) {
        OpenMakerSite(prompts_);
    }
}

void MainWindow::ToggleView() {
    compactView_ = !compactView_;
    const ViewLayout view = LayoutForView(compactView_, savedCommandFrameTop_, savedWindowHeight_);
    if (view.extraStepsVisible) {
        CreateExtraSteps();
    }
    for (const ControlRow& c : MainWindowControls()) {
        if (HWND control = Existing(c.kind, c.index); control && InExtraStep(c)) {
            ShowWindow(control, view.extraStepsVisible ? SW_SHOWNA : SW_HIDE);
        }
    }
    SetText(Control(ControlKind::Button, kToggleViewButton), std::wstring(view.toggleCaption));
    PlaceCommandFrame(view.commandFrameTop);
    RECT outer;
    GetWindowRect(Handle(), &outer);
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left,
                 TwipsToPixels(view.windowHeight, dpi_),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceStatusBar();
    CentreOnScreen(Handle());
    InvalidateRect(Handle(), nullptr, TRUE);
}

void MainWindow::PlaceCommandFrame(int top) {
    commandFrameTop_ = top;
    for (const ControlRow& c : MainWindowControls()) {
        if (InCommandFrame(c)) {
            const TwipsRect r = ClientRectTwips(c, top);
            SetWindowPos(Control(c.kind, c.index), nullptr, TwipsToPixels(r.left, dpi_),
                         TwipsToPixels(r.top, dpi_), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

void MainWindow::PlaceStatusBar() {
    // The bar keeps the table's height along the bottom edge of whatever client area is left.
    HWND status = Control(ControlKind::StatusBar, 0);
    const TwipsRect row = FindControl(ControlKind::StatusBar, 0)->rect;
    RECT client;
    GetClientRect(Handle(), &client);
    const int height = TwipsToPixels(row.height, dpi_);
    SetWindowPos(status, nullptr, 0, client.bottom - height, client.right, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetStatusPanels(status, client.right, dpi_);
}

void MainWindow::ShowModel() {
    showingModel_ = true;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        HWND box = Existing(ControlKind::PathBox, slot);
        if (box && WindowText(box) != settings_.slots[slot]) {
            SetText(box, settings_.slots[slot]);
        }
    }
    for (int row = 0; row < kContextRowCount; ++row) {
        HWND box = Existing(ControlKind::LabelBox, row);
        if (box && WindowText(box) != settings_.labels[row]) {
            SetText(box, settings_.labels[row]);
        }
    }
    const bool folder = settings_.targetType == TargetType::Folder;
    SendMessageW(Control(ControlKind::TargetTypeOption, 0), BM_SETCHECK,
                 folder ? BST_UNCHECKED : BST_CHECKED, 0);
    SendMessageW(Control(ControlKind::TargetTypeOption, 1), BM_SETCHECK,
                 folder ? BST_CHECKED : BST_UNCHECKED, 0);
    showingModel_ = false;
    ShowEnabledControls();
    ShowPreview();
}

void MainWindow::ShowEnabledControls() const {
    const auto enable = [this](ControlKind kind, int index, bool enabled) {
        if (HWND control = Existing(kind, index)) {
            EnableWindow(control, enabled);
        }
    };
    // Root-dependent controls in the documented order, then OK.
    const bool hasRoot = RootDependentControlsEnabled(settings_);
    for (int row = 0; row < kContextRowCount; ++row) {
        enable(ControlKind::Button, kFirstRowPickButton + row, hasRoot);
    }
    enable(ControlKind::Button, kTargetPickButton, hasRoot);
    enable(ControlKind::Button, kIconPickButton, hasRoot);
    enable(ControlKind::TargetTypeOption, 0, hasRoot);
    enable(ControlKind::TargetTypeOption, 1, hasRoot);
    enable(ControlKind::Button, kOkButton, ReadyToSave(settings_));
    const HMENU systemMenu = GetSystemMenu(Handle(), FALSE);
    for (const unsigned command : {kTestAutostartCommand, kMakeDiscImageCommand}) {
        EnableMenuItem(systemMenu, command, MF_BYCOMMAND | (hasRoot ? MF_ENABLED : MF_GRAYED));
    }
}

// The picture follows the model; the picture of an icon file is loaded where the file is
// checked, so a model that shows a file keeps the picture it has.
void MainWindow::ShowPreview() {
    const IconPreview& wanted = settings_.preview;
    if ((previewShown_ && wanted == shownPreview_) || wanted.kind == PreviewKind::IconFile) {
        return;
    }
    // Sized from the table: the preview need not exist yet.
    const TwipsRect box = FindControl(ControlKind::IconPreview, 0)->rect;
    const int width = TwipsToPixels(box.width, dpi_);
    const int height = TwipsToPixels(box.height, dpi_);
    UniqueIcon icon;
    if (wanted.kind == PreviewKind::LibraryEntry) {
        icon = LibraryIconPicture(wanted.libraryEntry, width);
    } else {
        // The default is the launcher's own icon: the same picture as Orbeno.Exe carries.
        const int resource =
            wanted.kind == PreviewKind::DefaultDisc ? IDI_DEFAULT_DISC : IDI_PLACEHOLDER;
        icon.Reset(static_cast<HICON>(
            LoadImageW(Instance(), MAKEINTRESOURCEW(resource), IMAGE_ICON, width, height, 0)));
    }
    previewPicture_.ShowIcon(std::move(icon));
    shownPreview_ = wanted;
    previewShown_ = true;
    if (HWND preview = Existing(ControlKind::IconPreview, 0)) {
        InvalidateRect(preview, nullptr, TRUE);
    }
}

void MainWindow::DrawPreview(const DRAWITEMSTRUCT& item) const {
    previewPicture_.Draw(item.hDC, item.rcItem);
}

}  // namespace velquor
