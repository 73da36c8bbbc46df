// velquor.exe: the main window and its message loop; the run ends with the last window.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/main_window_win.h"
#include "app/program_run_win.h"
#include "util/file_services.h"
#include "util/program_windows_win.h"
#include "util/system_clock.h"
#include "util/win32_prompts_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's folder browser and the file-open dialog want a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    velquor::ProgramWindows windows(velquor::QuitMessageLoop);
    velquor::Win32Prompts prompts;
    velquor::SystemClock clock;
    int exitCode = 0;
    {
        velquor::MainWindow mainWindow(prompts, clock, windows, velquor::ProgramFolder());
        exitCode = velquor::RunProgram(
            [&]() -> HWND {
                if (!mainWindow.Create(instance)) {
                    return nullptr;
                }
                prompts.SetOwner(mainWindow.Handle());
                return mainWindow.Handle();
            },
            showCommand, windows, prompts);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return exitCode;
}
