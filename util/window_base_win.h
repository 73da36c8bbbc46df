// A thin, non-owning base for the program's windows: one window procedure per class that finds
// its object through GWLP_USERDATA and hands every message to HandleMessage.
#pragma once

#include <windows.h>

namespace velquor {

class WindowBase {
  public:
    WindowBase() = default;
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // Null once the window is destroyed.
    HWND Handle() const { return hwnd_; }
    HINSTANCE Instance() const {
        return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    }

  protected:
    // Registers the class on first use with this object's window procedure.
    static bool RegisterClassOnce(WNDCLASSEXW wc);
    HWND CreateFor(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                   RECT outer, HINSTANCE instance, HWND owner = nullptr);
    // Destroys the window while the derived object still handles its last messages.
    void Destroy();

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace velquor
