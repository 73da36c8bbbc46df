// velquor.exe: the main window and its message loop; the run ends with the last window.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/main_window_win.h"
#include "util/program_windows_win.h"
#include "util/system_clock.h"
#include "util/win32_prompts_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's folder browser wants a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    velquor::ProgramWindows windows(velquor::QuitMessageLoop);
    velquor::Win32Prompts prompts;
    velquor::SystemClock clock;
    int exitCode = 1;
    {
        velquor::MainWindow mainWindow(prompts, clock, windows);
        if (mainWindow.Create(instance)) {
            prompts.SetOwner(mainWindow.Handle());
            ShowWindow(mainWindow.Handle(), showCommand);
            UpdateWindow(mainWindow.Handle());
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (!windows.RouteDialogMessage(msg)) {
                    TranslateMessage(&msg);
                    DispatchMessageW(&msg);
                }
            }
            exitCode = 0;
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
