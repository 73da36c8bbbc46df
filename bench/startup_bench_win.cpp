// Start-up of velquor.exe against yardsticks started in turns with it from here: a program with
// one window and a message loop (minimal_window_bench.exe), the same with one button
// (one_button_window_bench.exe), and the compact view's controls as bare windows
// (compact_view_window_bench.exe). Start-up is the time from just before CreateProcessW until
// WaitForInputIdle has returned and the process has a visible top-level window titled "Velquor"
// (looked for every millisecond after that). One warm-up start of each is not counted. Also
// velquor.exe's peak memory as the system counts it for the process (GetProcessMemoryInfo):
// once started, and once "Bibliothek" has opened the icon library with all its items (reached by
// clicking "Erweiterte Ansicht >>" and "Bibliothek" from here).
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window_controls.h"
#include "autorun/icon_library_win.h"
#include "bench_support_win.h"
#include "dialogs/icon_library_dialog_win.h"
#include "util/file_services.h"

namespace {

using namespace velquor;
using namespace velquor::bench;

struct Started {
    double milliseconds = 0;
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

struct Search {
    DWORD processId;
    HWND found = nullptr;
    bool libraryDialog = false;  // else the main window
};

BOOL CALLBACK Look(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    bool match = false;
    if (search.libraryDialog) {
        match = SendMessageW(GetDlgItem(window, kLibraryListId), LVM_GETITEMCOUNT, 0, 0) ==
                LibraryIconCount();
    } else {
        wchar_t title[16] = {};
        GetWindowTextW(window, title, 16);
        match = std::wstring(title) == kMainWindowTitle;
    }
    if (match) {
        search.found = window;
    }
    return !match;
}

// Waits up to ten seconds for the window; nullptr if it never came.
HWND AwaitWindow(DWORD processId, bool libraryDialog) {
    const Steady::time_point start = Steady::now();
    Search search{processId, nullptr, libraryDialog};
    while (EnumWindows(Look, reinterpret_cast<LPARAM>(&search)) && MillisecondsSince(start) < 1e4) {
        Sleep(1);
    }
    return search.found;
}

bool Start(const std::wstring& program, Started& started) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    const Steady::time_point start = Steady::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started.process)) {
        return false;
    }
    WaitForInputIdle(started.process.hProcess, 10000);
    started.window = AwaitWindow(started.process.dwProcessId, false);
    started.milliseconds = MillisecondsSince(start);
    return started.window != nullptr;
}

void End(Started& started) {
    TerminateProcess(started.process.hProcess, 0);
    WaitForSingleObject(started.process.hProcess, 10000);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    Sleep(200);  // the next start does not share the machine with this one's teardown
}

struct PeakMemory {
    double workingSet;  // MiB
    double pagefile;    // MiB, the private memory committed
};

PeakMemory PeakOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    return {counters.PeakWorkingSetSize / 1048576.0, counters.PeakPagefileUsage / 1048576.0};
}

bool OpenLibrary(const Started& started) {
    SendMessageW(GetDlgItem(started.window, ControlId(ControlKind::Button, kToggleViewButton)),
                 BM_CLICK, 0, 0);
    // Posted: the dialog's modal loop keeps the click's handler busy until the program ends.
    PostMessageW(GetDlgItem(started.window, ControlId(ControlKind::Button, kLibraryButton)),
                 BM_CLICK, 0, 0);
    return AwaitWindow(started.process.dwProcessId, true) != nullptr;
}

void Print(const char* what, const std::vector<double>& values, const char* unit) {
    const Spread s = SpreadOf(values);
    std::printf("%-46s median %7.2f %s (%.2f .. %.2f)\n", what, s.median, unit, s.lowest,
                s.highest);
}

}  // namespace

int wmain() {
    const std::wstring folder = ProgramFolder();
    const std::wstring velquor = folder + L"velquor.exe";
    const std::wstring yardsticks[] = {folder + L"minimal_window_bench.exe",
                                       folder + L"one_button_window_bench.exe",
                                       folder + L"compact_view_window_bench.exe"};
    constexpr int kYardsticks = 3;
    constexpr int kRounds = 21;
    std::vector<double> velquorMs, yardstickMs[kYardsticks], ratios, startedSet, startedPagefile,
        librarySet, libraryPagefile, minimalSet;
    for (int round = 0; round <= kRounds; ++round) {
        Started v, y[kYardsticks];
        PeakMemory started{}, library{}, minimalPeak{};
        // In turns, which one starts first, so that none always finds another's traces.
        for (int turn = 0; turn <= kYardsticks; ++turn) {
            const int program = (turn + round) % (kYardsticks + 1);
            if (program == kYardsticks) {
                if (!Start(velquor, v) || (started = PeakOf(v.process.hProcess), !OpenLibrary(v))) {
                    std::fprintf(stderr, "round %d: velquor.exe did not show its windows\n", round);
                    return 1;
                }
                library = PeakOf(v.process.hProcess);
                End(v);
            } else {
                if (!Start(yardsticks[program], y[program])) {
                    std::fprintf(stderr, "round %d: a yardstick showed no window\n", round);
                    return 1;
                }
                if (program == 0) {
                    minimalPeak = PeakOf(y[program].process.hProcess);
                }
                End(y[program]);
            }
        }
        if (round == 0) {
            continue;  // the warm-up
        }
        std::printf(
            "round %2d: velquor %6.1f ms, minimal %6.1f ms, one button %6.1f ms, compact view "
            "%6.1f ms, %.2fx\n",
            round, v.milliseconds, y[0].milliseconds, y[1].milliseconds, y[2].milliseconds,
            v.milliseconds / y[0].milliseconds);
        velquorMs.push_back(v.milliseconds);
        for (int i = 0; i < kYardsticks; ++i) {
            yardstickMs[i].push_back(y[i].milliseconds);
        }
        ratios.push_back(v.milliseconds / y[0].milliseconds);
        startedSet.push_back(started.workingSet);
        startedPagefile.push_back(started.pagefile);
        librarySet.push_back(library.workingSet);
        libraryPagefile.push_back(library.pagefile);
        minimalSet.push_back(minimalPeak.workingSet);
    }
    Print("start-up velquor.exe", velquorMs, "ms");
    Print("start-up minimal_window_bench.exe", yardstickMs[0], "ms");
    Print("start-up one_button_window_bench.exe", yardstickMs[1], "ms");
    Print("start-up compact_view_window_bench.exe", yardstickMs[2], "ms");
    Print("ratio per round, velquor to minimal", ratios, "x");
    // On a busy machine the fastest starts are the ones least disturbed by others.
    const Spread v = SpreadOf(velquorMs), m = SpreadOf(yardstickMs[0]),
                 b = SpreadOf(yardstickMs[1]), c = SpreadOf(yardstickMs[2]);
    std::printf("ratio of the medians: %.2fx, of the fastest: %.2fx (target: at most 1.5x)\n",
                v.median / m.median, v.lowest / m.lowest);
    std::printf("to minimal, ratio of the medians: one button %.2fx, compact view %.2fx\n",
                b.median / m.median, c.median / m.median);
    std::printf("velquor to one button: %.2fx, to the compact view's bare controls: %.2fx\n",
                v.median / b.median, v.median / c.median);
    Print("velquor.exe peak working set, started", startedSet, "MiB");
    Print("velquor.exe peak pagefile usage, started", startedPagefile, "MiB");
    Print("velquor.exe peak working set, library open", librarySet, "MiB");
    Print("velquor.exe peak pagefile usage, library open", libraryPagefile, "MiB");
    Print("minimal_window_bench.exe peak working set", minimalSet, "MiB");
    return 0;
}
