#include "util/window_services_win.h"

#include "util/screen_geometry.h"

namespace velquor {

void CentreOnScreen(HWND window) {
    RECT frame;
    if (!GetWindowRect(window, &frame)) {
        return;
    }
    const Size screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const Point origin =
        CentredOrigin(screen, {frame.right - frame.left, frame.bottom - frame.top});
    SetWindowPos(window, nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velquor
