// A save as "&OK" makes it (SaveAutostart: AutoRun.Inf, the launcher copy and a library icon,
// each written beside and renamed into place) against plain CopyFileW copies of the same three
// files into the same folder. Fifty of each in turns, after one warm-up of each.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "autorun/autorun_text.h"
#include "autorun/save_autostart.h"
#include "bench_support_win.h"
#include "util/file_services.h"
#include "util/system_clock.h"

using namespace velquor;
using namespace velquor::bench;

int wmain() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"velquor-save-bench-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring root = folder + L"\\CD\\";
    const std::wstring sources = folder + L"\\Quellen\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(sources.c_str(), nullptr);

    ProjectSettings s;
    s.projectRoot = root;
    s.slots[kRootSlot] = root;
    s.slots[kTargetSlot] = root + L"Start\\Index.htm";
    ApplyLibraryIcon(s, 1);
    SilentPrompts prompts;
    SystemClock clock;
    const std::wstring programFolder = ProgramFolder();
    const auto save = [&] {
        return SaveAutostart(s, programFolder, prompts, clock) == SaveOutcome::Saved;
    };
    const std::wstring names[] = {kAutorunFileName, kLauncherFileName, kLibraryIconFileName};
    // The copies take the launcher from where the save takes it, the rest from a first save.
    const std::wstring copiedFrom[] = {sources + names[0], programFolder + names[1],
                                       sources + names[2]};
    const bool saved = save();
    const auto copy = [&] {
        bool copied = true;
        for (int i = 0; i < 3; ++i) {
            copied = copied && CopyFileW(copiedFrom[i].c_str(), (root + names[i]).c_str(), FALSE);
        }
        return copied;
    };
    if (!saved || !CopyFileW((root + names[0]).c_str(), copiedFrom[0].c_str(), FALSE) ||
        !CopyFileW((root + names[2]).c_str(), copiedFrom[2].c_str(), FALSE) || !copy()) {
        std::fprintf(stderr, "the first save or copy failed\n");
        return 1;
    }
    constexpr int kRuns = 50;
    std::vector<double> saveMs, copyMs;
    for (int i = 0; i < kRuns; ++i) {
        Steady::time_point start = Steady::now();
        if (!save()) {
            std::fprintf(stderr, "save %d failed\n", i + 1);
            return 1;
        }
        saveMs.push_back(MillisecondsSince(start));
        start = Steady::now();
        if (!copy()) {
            std::fprintf(stderr, "copy %d failed\n", i + 1);
            return 1;
        }
        copyMs.push_back(MillisecondsSince(start));
    }
    for (int i = 0; i < 3; ++i) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW((root + names[i]).c_str(), GetFileExInfoStandard, &data);
        std::printf("%ls: %lu bytes\n", names[i].c_str(), data.nFileSizeLow);
        DeleteFileW((root + names[i]).c_str());
        DeleteFileW((sources + names[i]).c_str());
    }
    RemoveDirectoryW(root.c_str());
    RemoveDirectoryW(sources.c_str());
    RemoveDirectoryW(folder.c_str());
    const Spread saves = SpreadOf(saveMs);
    const Spread copies = SpreadOf(copyMs);
    std::printf("save:   median %.2f ms (%.2f .. %.2f) of %d\n", saves.median, saves.lowest,
                saves.highest, kRuns);
    std::printf("copies: median %.2f ms (%.2f .. %.2f) of %d\n", copies.median, copies.lowest,
                copies.highest, kRuns);
    std::printf("ratio of the medians: %.2fx (target: at most 2x)\n", saves.median / copies.median);
    return 0;
}
