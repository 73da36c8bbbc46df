#include "dialogs/about_box_win.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>

#include "dialogs/about_box.h"
#include "dialogs/empty_dialog_template_win.h"
#include "resources/resource_ids.h"
#include "util/clock.h"
#include "util/program_windows_win.h"
#include "util/prompts.h"
#include "util/shell_launch.h"
#include "util/text_template.h"
#include "util/unique_handle_win.h"
#include "util/version_info_win.h"
#include "util/window_services_win.h"

namespace velquor {
namespace {

static_assert(kCloseAboutButtonId == IDCANCEL, "Escape must press \"&Schliessen\"");

constexpr DWORD kBoxStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kBoxExStyle = WS_EX_DLGMODALFRAME;
constexpr int kTextPointsTimes100 = 975;  // Arial 9.75 pt

struct AboutBox {
    AboutBox(Prompts& p, ProgramWindows& w, HWND main, std::wstring aboutText, std::wstring update,
             std::wstring mail)
        : programPrompts(p),
          windows(w),
          mainWindow(main),
          text(std::move(aboutText)),
          updateAddress(std::move(update)),
          mailAddress(std::move(mail)) {}

    Prompts& programPrompts;  // only to make the box's own from
    // The box's own: their boxes block the box, so a second click cannot stack a second box.
    std::unique_ptr<Prompts> prompts;
    ProgramWindows& windows;
    HWND mainWindow;  // only where the box opens: on its monitor
    std::wstring text;
    std::wstring updateAddress;
    std::wstring mailAddress;
    UniqueFont textFont;
    UniqueBitmap logo;
    HCURSOR mouseCursor = nullptr;
};

HWND openBox = nullptr;

AboutBox* StateOf(HWND box) {
    return reinterpret_cast<AboutBox*>(GetWindowLongPtrW(box, DWLP_USER));
}

// A window that is never shown owns the box: an owned window gets no task-bar button, and this
// owner, unlike the main window, lives as long as the process.
HWND HiddenOwner() {
    static HWND owner = nullptr;
    if (!IsWindow(owner)) {
        owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    }
    return owner;
}

struct ControlClass {
    const wchar_t* className;
    DWORD style;
};

ControlClass ClassFor(const AboutControl& c) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    switch (c.kind) {
        case AboutControlKind::LogoStrip:
            // SS_NOTIFY: it is clicked, and its tooltip needs the mouse messages.
            return {L"STATIC", kChild | SS_BITMAP | SS_REALSIZECONTROL | SS_NOTIFY};
        case AboutControlKind::AboutText:
            return {L"STATIC", kChild | SS_LEFT | SS_NOPREFIX};
        case AboutControlKind::Divider:
            return {L"STATIC", kChild | SS_ETCHEDHORZ};
        case AboutControlKind::Button:
            return {L"BUTTON",
                    kChild | WS_GROUP | WS_TABSTOP | BS_MULTILINE |
                        (c.id == kCloseAboutButtonId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
    }
    return {L"STATIC", kChild};
}

bool CreateControls(HWND box, AboutBox& state, int dpi) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(box, GWLP_HINSTANCE));
    state.textFont.Reset(CreateFontW(-MulDiv(kTextPointsTimes100, dpi, 7200), 0, 0, 0, FW_NORMAL,
                                     FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                                     L"Arial"));
    state.logo.Reset(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_ABOUT_LOGO), IMAGE_BITMAP, 0, 0, 0)));
    state.mouseCursor = LoadCursorW(instance, MAKEINTRESOURCEW(IDC_ABOUT_MOUSE));
    const HWND toolTips = CreateToolTips(box);

    for (const AboutControl& c : AboutBoxControls()) {
        const ControlClass cls = ClassFor(c);
        HWND control = CreateChildInTwips(box, cls.className, c.caption.c_str(), cls.style, 0,
                                          c.rect, c.id, dpi);
        if (!control) {
            return false;
        }
        if (c.kind == AboutControlKind::Divider) {
            // The static control sizes an etched line to its edge, which would run it past the
            // table's end; it gets the table's extent back.
            SetWindowPos(control, nullptr, 0, 0, TwipsToPixels(c.rect.width, dpi), kDividerPixels,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (c.kind == AboutControlKind::LogoStrip) {
            SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(state.logo.Get()));
        } else if (c.kind == AboutControlKind::AboutText) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.textFont.Get()),
                         FALSE);
            // The static control breaks lines at CR LF; the portable text separates them with
            // CR alone.
            SetWindowTextW(control, ReplaceAll(state.text, L"\r", L"\r\n").c_str());
        }
        if (!c.toolTip.empty()) {
            AddToolTip(toolTips, box, control, c.toolTip.c_str());
        }
    }
    return true;
}

// The client area in twips; the frame's origin from the main window's monitor.
void Place(HWND box, HWND mainWindow, int dpi) {
    RECT outer{0, 0, TwipsToPixels(kAboutBoxClientWidth, dpi),
               TwipsToPixels(kAboutBoxClientHeight, dpi)};
    AdjustWindowRectEx(&outer, kBoxStyle, FALSE, kBoxExStyle);
    const Size size{outer.right - outer.left, outer.bottom - outer.top};
    const MonitorAreas monitor = MonitorAreasOf(mainWindow);
    const Point origin =
        AboutBoxOrigin({monitor.screen.width, monitor.screen.height}, monitor.work, size);
    SetWindowPos(box, nullptr, origin.x, origin.y, size.width, size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool OnInit(HWND box, std::unique_ptr<AboutBox>& owned) {
    // From here the window owns its state; it goes with WM_NCDESTROY.
    AboutBox& state = *owned.release();
    SetWindowLongPtrW(box, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    state.prompts = state.programPrompts.OwnedBy(box);
    const int dpi = ScreenDpi();
    SetWindowTextW(box, AboutBoxTitle().c_str());
    if (!CreateControls(box, state, dpi)) {
        return false;
    }
    Place(box, state.mainWindow, dpi);
    // Counted only once it is whole, as the main window is.
    state.windows.Add(box);
    openBox = box;
    return true;
}

void OnCommand(HWND box, AboutBox& state, int id) {
    using Action = void (*)(HWND, AboutBox&);
    struct Row {
        int id;
        Action action;
    };
    static constexpr Row kRows[] = {
        {kAboutLogoId, [](HWND, AboutBox& b) { OpenMakerSite(*b.prompts); }},
        {kVisitMakerButtonId, [](HWND, AboutBox& b) { OpenMakerSite(*b.prompts); }},
        {kSearchUpdateButtonId,
         [](HWND, AboutBox& b) { ShellOpen(*b.prompts, b.updateAddress, kShowNormal); }},
        {kWriteMailButtonId,
         [](HWND, AboutBox& b) { ShellOpen(*b.prompts, b.mailAddress, kShowNormal); }},
        {kCloseAboutButtonId, [](HWND box, AboutBox&) { DestroyWindow(box); }},
    };
    for (const Row& row : kRows) {
        if (row.id == id) {
            row.action(box, state);
            return;
        }
    }
}

INT_PTR CALLBACK AboutProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        if (!OnInit(box, *reinterpret_cast<std::unique_ptr<AboutBox>*>(lParam))) {
            DestroyWindow(box);
        }
        return FALSE;  // the focus is given once the box shows
    }
    AboutBox* state = StateOf(box);
    if (!state) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            // A button's BN_CLICKED, the logo's STN_CLICKED, Escape's Cancel: all code 0.
            if (HIWORD(wParam) == BN_CLICKED) {
                OnCommand(box, *state, LOWORD(wParam));
            }
            return TRUE;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == GetDlgItem(box, kAboutLogoId) &&
                state->mouseCursor) {
                SetCursor(state->mouseCursor);
                SetWindowLongPtrW(box, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            DestroyWindow(box);
            return TRUE;
        case WM_DESTROY:
            if (openBox == box) {
                openBox = nullptr;
            }
            state->windows.Remove(box);
            return TRUE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(box, DWLP_USER, 0);
            delete state;
            return TRUE;
    }
    return FALSE;
}

}  // namespace

HWND ShowAboutBox(HWND mainWindow, Prompts& prompts, Clock& clock, ProgramWindows& windows) {
    if (openBox) {
        SetForegroundWindow(openBox);
        return openBox;
    }
    const HWND owner = HiddenOwner();
    if (!owner) {
        return nullptr;
    }
    const ProgramVersion version = VersionOfThisProgram();
    const std::wstring windowsVersion = OsVersionText(OsVersionNumber(RunningWindowsVersion()));
    auto state = std::make_unique<AboutBox>(
        prompts, windows, mainWindow, AboutBoxText(version, clock.YearText()),
        UpdateAddress(version, windowsVersion), SupportMailAddress(version, windowsVersion));

    const EmptyDialogTemplate tmpl(kBoxStyle, kBoxExStyle);
    const HWND box = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tmpl.header, owner,
                                                AboutProc, reinterpret_cast<LPARAM>(&state));
    if (!box || !IsWindow(box)) {
        return nullptr;
    }
    ShowWindow(box, SW_SHOW);
    // As a dialog box starts: "&Schliessen" has the focus, so Enter closes the box.
    SendMessageW(box, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(box, kCloseAboutButtonId)),
                 TRUE);
    return box;
}

HWND OpenAboutBox() {
    return openBox;
}

}  // namespace velquor
