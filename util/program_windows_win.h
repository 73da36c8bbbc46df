// The program's top-level windows. The run ends when the last of them is gone, so a modeless
// window keeps the program alive after the main window has closed.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace velquor {

class ProgramWindows {
  public:
    // `onLastClosed` runs when the count drops to zero; the program posts WM_QUIT there.
    explicit ProgramWindows(std::function<void()> onLastClosed);

    void Add(HWND window);
    void Remove(HWND window);
    std::size_t Count() const { return windows_.size(); }

    // Destroys every window of the program at once.
    void CloseAll();

    // Tab, Shift+Tab and the access keys for the program window that holds msg's target.
    bool RouteDialogMessage(MSG& msg) const;

  private:
    std::vector<HWND> windows_;
    std::function<void()> onLastClosed_;
};

// What the real program does when its last window is gone.
void QuitMessageLoop();

}  // namespace velquor
