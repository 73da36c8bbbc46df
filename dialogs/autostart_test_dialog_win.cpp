#include "dialogs/autostart_test_dialog_win.h"

#include "dialogs/autostart_test_dialog.h"
#include "dialogs/dialog_controls_win.h"
#include "dialogs/empty_dialog_template_win.h"

namespace velquor {
namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct DialogState {
    const std::vector<std::wstring>& labels;
    const std::function<void(HWND, int)>& start;
};

bool OnInit(HWND dialog, const DialogState& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    SetWindowTextW(dialog, kAutostartTestTitle);
    if (!CreateDialogControls(dialog, kAutostartTestClientWidth, kAutostartTestClientHeight,
                              AutostartTestControls())) {
        return false;
    }
    const HWND list = GetDlgItem(dialog, kAutostartListId);
    for (const std::wstring& label : state.labels) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
    }
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    SetFocus(list);
    return true;
}

void StartChosen(HWND dialog) {
    const auto& state = *reinterpret_cast<const DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    const auto chosen =
        static_cast<int>(SendDlgItemMessageW(dialog, kAutostartListId, LB_GETCURSEL, 0, 0));
    if (chosen >= 0 && chosen < static_cast<int>(state.labels.size())) {
        state.start(dialog, chosen);
    }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            if (!OnInit(dialog, *reinterpret_cast<const DialogState*>(lParam))) {
                EndDialog(dialog, 0);
            }
            return FALSE;  // the focus is on the list
        case WM_COMMAND:
            if (LOWORD(wParam) == kAutostartStartId ||
                (LOWORD(wParam) == kAutostartListId && HIWORD(wParam) == LBN_DBLCLK)) {
                StartChosen(dialog);
            } else if (LOWORD(wParam) == kAutostartCloseId) {
                EndDialog(dialog, 0);
            }
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, 0);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowAutostartTestDialog(HWND owner, const std::vector<std::wstring>& labels,
                             const std::function<void(HWND dialog, int index)>& start) {
    const EmptyDialogTemplate tmpl(kDialogStyle, WS_EX_DLGMODALFRAME);
    const DialogState state{labels, start};
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &tmpl.header, owner, DialogProc,
                            reinterpret_cast<LPARAM>(&state));
}

}  // namespace velquor
