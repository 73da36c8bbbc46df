#include "util/window_services_win.h"

#include <commctrl.h>

namespace velquor {

std::wstring WindowText(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

namespace {

MonitorAreas AreasOf(HMONITOR handle) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(handle, &monitor)) {
        const PixelRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return {primary, primary};
    }
    const auto pixels = [](const RECT& r) {
        return PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    return {pixels(monitor.rcMonitor), pixels(monitor.rcWork)};
}

}  // namespace

MonitorAreas MonitorAreasOf(HWND window) {
    return AreasOf(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

PixelRect PrimaryWorkArea() {
    return AreasOf(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)).work;
}

PixelRect WorkAreaOf(HWND window) {
    return MonitorAreasOf(window).work;
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

HWND CreateChildInTwips(HWND parent, const wchar_t* className, const wchar_t* caption, DWORD style,
                        DWORD exStyle, TwipsRect rect, int id, int dpi) {
    HWND child = CreateWindowExW(
        exStyle, className, caption, WS_CHILD | WS_VISIBLE | style, TwipsToPixels(rect.left, dpi),
        TwipsToPixels(rect.top, dpi), TwipsToPixels(rect.width, dpi),
        TwipsToPixels(rect.height, dpi), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return child;
}

HWND CreateToolTips(HWND owner) {
    return CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
}

void AddToolTip(HWND toolTips, HWND owner, HWND control, const wchar_t* text) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(toolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
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
