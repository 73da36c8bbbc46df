#include "support/modal_dialog_driver_win.h"

namespace velquor::testing {
namespace {

ModalDialogDriver* current = nullptr;  // hooks carry no context; one driver at a time

bool IsDialog(HWND window) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return lstrcmpW(className, L"#32770") == 0;
}

}  // namespace

ModalDialogDriver::ModalDialogDriver(Action onIdle, Action onInitialised, Action onDestroy)
    : onIdle_(std::move(onIdle)),
      onInitialised_(std::move(onInitialised)),
      onDestroy_(std::move(onDestroy)) {
    current = this;
    before_ = SetWindowsHookExW(WH_CALLWNDPROC, BeforeMessage, nullptr, GetCurrentThreadId());
    after_ = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
}

ModalDialogDriver::~ModalDialogDriver() {
    UnhookWindowsHookEx(before_);
    UnhookWindowsHookEx(after_);
    current = nullptr;
}

LRESULT CALLBACK ModalDialogDriver::BeforeMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && current) {
        if (call->message == WM_ENTERIDLE && call->wParam == MSGF_DIALOGBOX) {
            ++current->idleVisits_;
            if (current->onIdle_) {
                current->onIdle_(reinterpret_cast<HWND>(call->lParam));
            }
        } else if (call->message == WM_DESTROY && IsDialog(call->hwnd) && current->onDestroy_) {
            current->onDestroy_(call->hwnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ModalDialogDriver::AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && current && call->message == WM_INITDIALOG && current->onInitialised_) {
        current->onInitialised_(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace velquor::testing
