#include "util/program_windows_win.h"

#include <algorithm>

namespace velquor {

ProgramWindows::ProgramWindows(std::function<void()> onLastClosed)
    : onLastClosed_(std::move(onLastClosed)) {}

void ProgramWindows::Add(HWND window) {
    windows_.push_back(window);
}

void ProgramWindows::Remove(HWND window) {
    const auto it = std::find(windows_.begin(), windows_.end(), window);
    if (it == windows_.end()) {
        return;
    }
    windows_.erase(it);
    if (windows_.empty() && onLastClosed_) {
        onLastClosed_();
    }
}

void ProgramWindows::CloseAll() {
    // Windows remove themselves while they are destroyed; one that does not is removed here.
    const std::vector<HWND> open = windows_;
    for (auto it = open.rbegin(); it != open.rend(); ++it) {
        DestroyWindow(*it);
        Remove(*it);
    }
}

bool ProgramWindows::RouteDialogMessage(MSG& msg) const {
    if (!msg.hwnd) {
        return false;
    }
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    if (std::find(windows_.begin(), windows_.end(), root) == windows_.end()) {
        return false;
    }
    return IsDialogMessageW(root, &msg) != FALSE;
}

void QuitMessageLoop() {
    PostQuitMessage(0);
}

}  // namespace velquor
