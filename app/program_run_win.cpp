#include "app/program_run_win.h"

#include "util/program_windows_win.h"
#include "util/prompts.h"
#include "util/window_services_win.h"

namespace velquor {

int RunProgram(const std::function<HWND()>& createMainWindow, int showCommand,
               ProgramWindows& windows, Prompts& prompts) {
    const HWND mainWindow = createMainWindow();
    if (!mainWindow) {
        // A quit posted while the failed window went away would close the message box at once.
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        prompts.ShowMessage(kStartFailureMessage, MessageStyle::Critical);
        return kStartFailureExitCode;
    }
    ShowFixedSizeWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!windows.RouteDialogMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace velquor
