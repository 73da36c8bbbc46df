#include "dialogs/dialog_controls_win.h"

#include <commctrl.h>

#include <string>

#include "util/window_services_win.h"

namespace velquor {
namespace {

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassFor(DialogControlKind kind) {
    constexpr DWORD kStop = WS_GROUP | WS_TABSTOP;
    switch (kind) {
        case DialogControlKind::Label:
            return {L"STATIC", WS_GROUP | SS_LEFT, 0};
        case DialogControlKind::Edit:
            return {L"EDIT", kStop | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case DialogControlKind::FindingsText:
            return {L"EDIT", kStop | ES_MULTILINE | ES_READONLY | WS_VSCROLL, WS_EX_CLIENTEDGE};
        case DialogControlKind::Button:
            return {L"BUTTON", kStop | BS_PUSHBUTTON, 0};
        case DialogControlKind::DefaultButton:
            return {L"BUTTON", kStop | BS_DEFPUSHBUTTON, 0};
        case DialogControlKind::DropDownList:
            return {WC_COMBOBOXW, kStop | CBS_DROPDOWNLIST | WS_VSCROLL, 0};
        case DialogControlKind::ListBox:
            return {L"LISTBOX", kStop | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                    WS_EX_CLIENTEDGE};
        case DialogControlKind::ProgressBar:
            return {PROGRESS_CLASSW, 0, 0};
    }
    return {L"STATIC", 0, 0};
}

}  // namespace

bool CreateDialogControls(HWND dialog, int width, int height,
                          std::span<const DialogControl> controls) {
    const int dpi = ScreenDpi();
    RECT outer{0, 0, TwipsToPixels(width, dpi), TwipsToPixels(height, dpi)};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CentreOnScreen(dialog);
    for (const DialogControl& c : controls) {
        const ControlClass cls = ClassFor(c.kind);
        const std::wstring caption(c.caption);
        if (!CreateChildInTwips(dialog, cls.className, caption.c_str(), cls.style, cls.exStyle,
                                c.rect, c.id, dpi)) {
            return false;
        }
    }
    return true;
}

}  // namespace velquor
