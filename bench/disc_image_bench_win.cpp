// What the disc image costs under Wine: writing the image of a project of 300 MB, and of one
// file of 2 GB, against copying the files with CopyFileW (target: at most 1.3 times as long),
// and against copying
// them each flushed to the disk, as the image is before it takes its place; the writer's peak
// memory at two project sizes, each in a process of its own (it must not grow with the
// project); and the readiness walk of 20,000 files (target: under a second).
//
//   disc_image_bench.exe                      everything, in a temporary folder
//   disc_image_bench.exe /peak ROOT IMAGE     (internal) writes one image, prints its peak
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "disc/disc_project_win.h"
#include "support/remove_tree_win.h"
#include "util/run_time_error.h"
#include "util/text_helpers.h"

namespace {

using namespace velquor;
using testing::RemoveTree;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void WriteFileOf(const std::wstring& path, const std::vector<char>& bytes, std::size_t size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    for (std::size_t done = 0; done < size; done += written) {
        const auto piece = static_cast<DWORD>(std::min(size - done, bytes.size()));
        if (!WriteFile(file, bytes.data(), piece, &written, nullptr) || written == 0) {
            break;
        }
    }
    CloseHandle(file);
}

// `files` files of `fileSize` bytes of noise, ten to a folder.
std::vector<std::wstring> MakeProject(const std::wstring& root, int files, std::size_t fileSize) {
    std::vector<char> noise(1 << 20);
    std::mt19937 random(1);
    std::generate(noise.begin(), noise.end(), [&] { return static_cast<char>(random()); });
    std::vector<std::wstring> paths;
    CreateDirectoryW(root.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        const std::wstring folder = root + L"Ordner " + std::to_wstring(i / 10) + L"\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        paths.push_back(folder + L"Datei " + std::to_wstring(i) + L".bin");
        noise[0] = static_cast<char>(i);  // no two files alike
        WriteFileOf(paths.back(), noise, fileSize);
    }
    return paths;
}

double SecondsToWriteImage(const std::wstring& root, const std::wstring& image) {
    const Clock::time_point start = Clock::now();
    const DiscListing listing = ReadDiscListing(root);
    WriteDiscImageFile(root, listing, {L"Bench", CurrentDiscTimestamp()}, image);
    return SecondsSince(start);
}

// Copies every file into one folder; `flush` also puts each copy on the disk before the next,
// as the image is put on the disk before it replaces an older one.
double SecondsToCopy(const std::vector<std::wstring>& files, const std::wstring& folder,
                     bool flush) {
    CreateDirectoryW(folder.c_str(), nullptr);
    const Clock::time_point start = Clock::now();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::wstring copy = folder + std::to_wstring(i) + L".bin";
        CopyFileW(files[i].c_str(), copy.c_str(), FALSE);
        if (flush) {
            HANDLE file =
                CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            FlushFileBuffers(file);
            CloseHandle(file);
        }
    }
    const double seconds = SecondsSince(start);
    RemoveTree(folder);
    return seconds;
}

// The writer's peak working set, in a fresh process of this program.
double PeakMegabytesOfWriter(const std::wstring& root, const std::wstring& image) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    // Without the root's closing backslash, which would escape the closing quote.
    std::wstring command =
        Quote(self) + L" /peak " + Quote(root.substr(0, root.size() - 1)) + L" " + Quote(image);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD kilobytes = 0;
    GetExitCodeProcess(process.hProcess, &kilobytes);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    DeleteFileW(image.c_str());
    return kilobytes / 1024.0;
}

int WriteAndReportPeak(const std::wstring& root, const std::wstring& image) {
    SecondsToWriteImage(root, image);
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return static_cast<int>(memory.PeakWorkingSetSize / 1024);
}

double SecondsOfReadinessWalk(const std::wstring& root) {
    const Clock::time_point start = Clock::now();
    const DiscListing listing = ReadDiscListing(root);
    CheckDiscReadiness(listing, DiscMedium::kCd700, ReadDiscAutorunFiles(root, listing));
    return SecondsSince(start);
}

// The best of `rounds` rounds of each; the image against plain and flushed copies.
void CompareWithCopying(const wchar_t* what, const std::wstring& root,
                        const std::vector<std::wstring>& files, const std::wstring& image,
                        const std::wstring& work, int rounds) {
    double copy = 1e9;
    double flushedCopy = 1e9;
    double write = 1e9;
    for (int round = 1; round <= rounds; ++round) {
        const double copied = SecondsToCopy(files, work + L"kopie\\", false);
        const double flushed = SecondsToCopy(files, work + L"kopie\\", true);
        const double written = SecondsToWriteImage(root, image);
        DeleteFileW(image.c_str());
        std::printf("round %d: CopyFileW %.2f s, CopyFileW and flush %.2f s, image %.2f s\n", round,
                    copied, flushed, written);
        copy = std::min(copy, copied);
        flushedCopy = std::min(flushedCopy, flushed);
        write = std::min(write, written);
    }
    std::printf(
        "%ls, best of %d: image %.2f s; CopyFileW %.2f s, %.2fx (target: at most 1.3x); "
        "CopyFileW and flush %.2f s, %.2fx\n",
        what, rounds, write, copy, write / copy, flushedCopy, write / flushedCopy);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == L"/peak") {
        return argc == 4 ? WriteAndReportPeak(argv[2], argv[3]) : -1;
    }
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring work = std::wstring(temp) + L"velquor-disc-bench\\";
    RemoveTree(work);
    CreateDirectoryW(work.c_str(), nullptr);
    try {
        constexpr std::size_t kMegabyte = 1 << 20;
        const std::wstring large = work + L"gross\\";
        const std::vector<std::wstring> files = MakeProject(large, 300, kMegabyte);
        const std::wstring image = work + L"gross.iso";
        CompareWithCopying(L"300 files, 300 MB", large, files, image, work, 5);
        const std::wstring single = work + L"eine\\";
        CompareWithCopying(L"one file of 2 GB", single, MakeProject(single, 1, 2048 * kMegabyte),
                           work + L"eine.iso", work, 3);
        RemoveTree(single);

        const std::wstring small = work + L"klein\\";
        MakeProject(small, 30, kMegabyte);
        const double smallPeak = PeakMegabytesOfWriter(small, work + L"klein.iso");
        const double largePeak = PeakMegabytesOfWriter(large, image);
        std::printf("writer's peak working set: %.1f MB for 30 MB, %.1f MB for 300 MB\n", smallPeak,
                    largePeak);
        RemoveTree(small);
        RemoveTree(large);

        const std::wstring many = work + L"viele\\";
        MakeProject(many, 20000, 100);
        for (int round = 1; round <= 3; ++round) {
            std::printf("readiness walk of 20,000 files, run %d: %.3f s (target: under 1 s)\n",
                        round, SecondsOfReadinessWalk(many));
        }
    } catch (const RunTimeError& error) {
        std::fwprintf(stderr, L"%ls\n", DescribeError(error).c_str());
        RemoveTree(work);
        return 1;
    }
    RemoveTree(work);
    return 0;
}
