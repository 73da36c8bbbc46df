// How long "Bibliothek" takes: from just before the click until the icon library dialog, with
// every item in its list, first waits for input. Ten openings in a row in one running program,
// the first included (it builds the image list); prints each and the median.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/main_window_win.h"
#include "autorun/icon_library_win.h"
#include "bench_support_win.h"
#include "dialogs/icon_library_dialog_win.h"
#include "util/file_services.h"
#include "util/program_windows_win.h"
#include "util/prompts.h"
#include "util/system_clock.h"

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point clickTime;
Clock::time_point closeTime;
std::vector<double> openMilliseconds;
std::vector<double> closeMilliseconds;
int itemsSeen = 0;

// The dialog's modal loop tells its owner when it waits for input: then it is ready.
LRESULT CALLBACK WatchIdle(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_ENTERIDLE && call->wParam == MSGF_DIALOGBOX) {
        const auto dialog = reinterpret_cast<HWND>(call->lParam);
        const std::chrono::duration<double, std::milli> open = Clock::now() - clickTime;
        openMilliseconds.push_back(open.count());
        itemsSeen = static_cast<int>(
            SendMessageW(GetDlgItem(dialog, velquor::kLibraryListId), LVM_GETITEMCOUNT, 0, 0));
        closeTime = Clock::now();
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int wmain() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    velquor::bench::SilentPrompts prompts;
    velquor::SystemClock clock;
    velquor::ProgramWindows windows([] {});
    velquor::MainWindow window(prompts, clock, windows, velquor::ProgramFolder());
    if (!window.Create(GetModuleHandleW(nullptr))) {
        std::fprintf(stderr, "the main window could not be created\n");
        return 1;
    }
    ShowWindow(window.Handle(), SW_SHOWNORMAL);
    UpdateWindow(window.Handle());
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, WatchIdle, nullptr, GetCurrentThreadId());
    HWND library = window.Control(velquor::ControlKind::Button, velquor::kLibraryButton);
    constexpr int kOpenings = 10;
    for (int i = 0; i < kOpenings; ++i) {
        clickTime = Clock::now();
        SendMessageW(library, BM_CLICK, 0, 0);
        const std::chrono::duration<double, std::milli> close = Clock::now() - closeTime;
        closeMilliseconds.push_back(close.count());
        if (itemsSeen != velquor::LibraryIconCount()) {
            std::fprintf(stderr, "opening %d: %d items of %d\n", i + 1, itemsSeen,
                         velquor::LibraryIconCount());
            return 1;
        }
    }
    UnhookWindowsHookEx(hook);
    for (int i = 0; i < kOpenings; ++i) {
        std::printf("opening %2d: %7.1f ms until it waits with %d items (closing took %.1f ms)\n",
                    i + 1, openMilliseconds[i], itemsSeen, closeMilliseconds[i]);
    }
    std::vector<double> sorted = openMilliseconds;
    std::sort(sorted.begin(), sorted.end());
    const double median = (sorted[kOpenings / 2 - 1] + sorted[kOpenings / 2]) / 2;
    std::printf("median of %d openings: %.1f ms (target: at most 100 ms)\n", kOpenings, median);
    return 0;
}
