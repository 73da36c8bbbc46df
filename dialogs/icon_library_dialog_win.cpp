#include "dialogs/icon_library_dialog_win.h"

#include <commctrl.h>

#include <string>

#include "autorun/icon_library_win.h"
#include "dialogs/empty_dialog_template_win.h"
#include "dialogs/icon_library_dialog.h"
#include "dialogs/library_image_list_win.h"
#include "util/window_services_win.h"

namespace velquor {
namespace {

constexpr UINT kFillMessage = WM_APP + 1;
constexpr INT_PTR kClosedByCloseBox = -2;
constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

struct DialogState {
    PixelRect workArea;  // the dialog is centred on it
    bool ended = false;  // EndDialog has been called: a running fill stops
};

DialogState& StateOf(HWND dialog) {
    return *reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

void End(HWND dialog, INT_PTR result) {
    StateOf(dialog).ended = true;
    EndDialog(dialog, result);
}

bool OnInit(HWND dialog, DialogState& state) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    const int dpi = ScreenDpi();

    RECT outer{0, 0, TwipsToPixels(kLibraryDialogClientWidth, dpi),
               TwipsToPixels(kLibraryDialogClientHeight, dpi)};
    AdjustWindowRectEx(&outer, kDialogStyle, FALSE, WS_EX_DLGMODALFRAME);
    const Size size{outer.right - outer.left, outer.bottom - outer.top};
    const Point origin = CentredOrigin(state.workArea, size);
    SetWindowPos(dialog, nullptr, origin.x, origin.y, size.width, size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(dialog, IconLibraryTitle(LibraryIconCount()).c_str());

    // Created in tab order: the buttons first, then the list.
    CreateChildInTwips(dialog, L"BUTTON", kLibraryOkCaption,
                       WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, kLibraryOkRect, kLibraryOkId,
                       dpi);
    CreateChildInTwips(dialog, L"BUTTON", kLibraryCancelCaption,
                       WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, kLibraryCancelRect,
                       kLibraryCancelId, dpi);
    CreateChildInTwips(dialog, L"BUTTON", kLibraryFrameCaption, WS_GROUP | BS_GROUPBOX, 0,
                       kLibraryFrameRect, kLibraryFrameId, dpi);
    const TwipsRect inFrame{kLibraryFrameRect.left + kLibraryListRect.left,
                            kLibraryFrameRect.top + kLibraryListRect.top, kLibraryListRect.width,
                            kLibraryListRect.height};
    HWND list = CreateChildInTwips(
        dialog, WC_LISTVIEWW, L"",
        WS_TABSTOP | WS_GROUP | LVS_ICON | LVS_SINGLESEL | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS,
        WS_EX_CLIENTEDGE, inFrame, kLibraryListId, dpi);
    if (!list) {
        return false;
    }
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(LibraryImageList()));
    SetFocus(list);
    // The list fills once the dialog shows, so that it can paint while the items arrive.
    PostMessageW(dialog, kFillMessage, 0, 0);
    return true;
}

// Lets every pending message through, as the dialog's own loop would; false when the dialog
// was ended meanwhile or the program is to quit (the quit goes back into the queue).
bool LetPendingMessagesThrough(HWND dialog) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            End(dialog, 0);
            return false;
        }
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (StateOf(dialog).ended) {
            return false;
        }
    }
    return !StateOf(dialog).ended;
}

void Fill(HWND dialog) {
    HWND list = GetDlgItem(dialog, kLibraryListId);
    const int count = LibraryIconCount();
    SendMessageW(list, LVM_SETITEMCOUNT, count, 0);
    // The items arrive without a redraw each; the list paints once when they are all there.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    bool complete = true;
    for (int number = 1; number <= count; ++number) {
        std::wstring text = std::to_wstring(number);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = number - 1;
        item.iImage = number - 1;
        item.pszText = text.data();
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (YieldsAfterItem(number) && !LetPendingMessagesThrough(dialog)) {
            complete = false;
            break;
        }
    }
    if (!complete) {
        return;  // ended meanwhile: the dialog is going, nothing more to show
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    if (count > 0) {
        LVITEMW selected{};
        selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        selected.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
    }
}

// The number of the selected item, which is its library number; 0 without a selection.
int SelectedNumber(HWND dialog) {
    HWND list = GetDlgItem(dialog, kLibraryListId);
    const auto index = static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return index < 0 ? 0 : index + 1;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            if (!OnInit(dialog, *reinterpret_cast<DialogState*>(lParam))) {
                EndDialog(dialog, 0);
            }
            return FALSE;  // the focus is set: on the list
        case kFillMessage:
            Fill(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == kLibraryOkId) {
                End(dialog, SelectedNumber(dialog));
            } else if (LOWORD(wParam) == kLibraryCancelId) {
                End(dialog, 0);
            }
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == kLibraryListId && header->code == NM_DBLCLK &&
                reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem >= 0) {
                End(dialog, SelectedNumber(dialog));
            }
            return TRUE;
        }
        case WM_CLOSE:
            End(dialog, kClosedByCloseBox);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

std::optional<int> ShowIconLibraryDialog(HWND owner, PixelRect workArea) {
    const EmptyDialogTemplate tmpl(kDialogStyle, WS_EX_DLGMODALFRAME);
    DialogState state{workArea};
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const INT_PTR result = DialogBoxIndirectParamW(instance, &tmpl.header, owner, DialogProc,
                                                   reinterpret_cast<LPARAM>(&state));
    if (result == kClosedByCloseBox || result < 0) {
        return std::nullopt;
    }
    return static_cast<int>(result);
}

}  // namespace velquor
