#include "util/window_base_win.h"

namespace velquor {

WindowBase::~WindowBase() {
    if (hwnd_) {
        // The derived part is gone: its last messages go to the default procedure.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

bool WindowBase::RegisterClassOnce(WNDCLASSEXW wc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) {
        return true;
    }
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    return RegisterClassExW(&wc) != 0;
}

HWND WindowBase::CreateFor(const wchar_t* className, const wchar_t* title, DWORD style,
                           DWORD exStyle, RECT outer, HINSTANCE instance, HWND owner) {
    return CreateWindowExW(exStyle, className, title, style, outer.left, outer.top,
                           outer.right - outer.left, outer.bottom - outer.top, owner, nullptr,
                           instance, this);
}

void WindowBase::Destroy() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
    }
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<WindowBase*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system. A window whose creation threw is not created, so
        // nobody gets a half-built window; any other message counts as handled.
        result = message == WM_NCCREATE ? FALSE : message == WM_CREATE ? -1 : 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace velquor
