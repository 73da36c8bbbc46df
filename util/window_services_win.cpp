#include "util/window_services_win.h"

namespace velquor {

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

PixelRect WorkAreaOf(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const RECT& work = monitor.rcWork;
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

void CentreOnScreen(HWND window) {
    RECT frame;
    if (!GetWindowRect(window, &frame)) {
        return;
    }
    const Point origin =
        CentredOrigin(WorkAreaOf(window), {frame.right - frame.left, frame.bottom - frame.top});
    SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowFixedSizeWindow(HWND window, int showCommand) {
    ShowWindow(window, showCommand == SW_SHOWMAXIMIZED ? SW_SHOWNORMAL : showCommand);
    // The first ShowWindow of a process may take the command of the start-up information
    // instead of the one given, and that may still say maximised.
    if (IsZoomed(window)) {
        ShowWindow(window, SW_RESTORE);
    }
}

}  // namespace velquor
