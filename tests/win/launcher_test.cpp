// Orbeno.Exe for real: copied into a project root and started with the open line of the autorun
// file Velquor writes, as Windows starts it from an inserted disc.
#include <windows.h>

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "autorun/autorun_text.h"
#include "autorun/save_autostart.h"
#include "launcher/launch_argument.h"
#include "main_window_fixture.h"
#include "support/autorun_header.h"
#include "support/fixed_clock.h"
#include "support/hostile_paths.h"
#include "support/projects.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder_win.h"
#include "util/file_services.h"
#include "util/maker.h"
#include "util/prompts.h"
#include "util/version.h"

namespace velquor::testing {
namespace {

// Wine starts a process in about a second; cmd.exe takes a little longer.
constexpr DWORD kPatienceMs = 30000;

// The MessageBox text control.
constexpr int kMessageTextId = 0xFFFF;

// Saves the project as "&OK" does, which also copies the built launcher from beside the test
// program into the root, and gives the open line's value from the AutoRun.Inf written:
// `Orbeno.Exe "Daten\x.cmd"`.
std::wstring SaveAndReadOpenLine(const std::wstring& root, const std::wstring& target,
                                 TargetType type = TargetType::Document) {
    ProjectSettings s = ProjectAt(root);
    s.slots[kTargetSlot] = target;
    s.targetType = type;
    ScriptedPrompts prompts;
    prompts.AnswerMessage(kAnswerNo);
    FixedClock clock(L"8.12.2026 10:00", L"2026");
    EXPECT_EQ(SaveAutostart(s, ProgramFolder(), prompts, clock), SaveOutcome::Saved);
    const std::string text = ReadBytes(root + kAutorunFileName);
    const std::string key = "\r\nopen = ";
    const std::size_t at = text.find(key);
    if (at == std::string::npos) {
        ADD_FAILURE() << "no open line";
        return {};
    }
    const std::size_t from = at + key.size();
    const std::string line = text.substr(from, text.find("\r\n", from) - from);
    return std::wstring(line.begin(), line.end());  // the test's paths are plain ASCII
}

// A .cmd file that leaves a marker file behind when it runs.
void WriteMarkerScript(const std::wstring& script, const std::wstring& marker) {
    WriteBytes(script,
               "@echo off\r\necho ran>\"" + std::string(marker.begin(), marker.end()) + "\"\r\n");
}

struct MessageBoxSeen {
    std::wstring caption;
    std::wstring text;
};

HWND MessageBoxOf(DWORD processId, const std::set<HWND>& confirmed) {
    struct Search {
        DWORD processId;
        const std::set<HWND>* confirmed;
        HWND found;
    } search{processId, &confirmed, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t className[16] = {};
            GetClassNameW(window, className, 16);
            if (owner == s->processId && std::wstring(className) == L"#32770" &&
                IsWindowVisible(window) && !s->confirmed->count(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Ends what the launcher started and left running: Wine's explorer for a folder.
void EndChildrenOf(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        HANDLE child = entry.th32ParentProcessID == processId
                           ? OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)
                           : nullptr;
        if (child) {
            TerminateProcess(child, 0);
            CloseHandle(child);
        }
    }
    CloseHandle(snapshot);
}

// A visible top-level window with this title, waited for; the shell shows an opened folder
// under its name (Wine's explorer as a process of its own, Windows' in the shell's process).
HWND WindowTitled(const std::wstring& title, DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        HWND window = FindWindowW(nullptr, title.c_str());
        if (window && IsWindowVisible(window)) {
            return window;
        }
        if (GetTickCount64() > end) {
            return nullptr;
        }
        Sleep(50);
    }
}

// One start of the launcher from a given folder. Every message box of its process is read and
// confirmed with OK; what the launcher started is ended when the run goes out of scope.
class LauncherRun {
  public:
    LauncherRun(const std::wstring& launcher, const std::wstring& commandLine,
                const std::wstring& currentFolder) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::wstring line = commandLine;
        if (!CreateProcessW(launcher.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            currentFolder.c_str(), &startup, &process)) {
            ADD_FAILURE() << "cannot start " << launcher << ": " << GetLastError();
            return;
        }
        CloseHandle(process.hThread);
        processId_ = process.dwProcessId;

        std::set<HWND> confirmed;
        const ULONGLONG end = GetTickCount64() + kPatienceMs;
        while (WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT) {
            if (GetTickCount64() > end) {
                ADD_FAILURE() << "the launcher did not end: " << commandLine;
                TerminateProcess(process.hProcess, 99);
                WaitForSingleObject(process.hProcess, 5000);
                break;
            }
            if (HWND box = MessageBoxOf(processId_, confirmed)) {
                wchar_t caption[256] = {};
                wchar_t text[4096] = {};
                GetWindowTextW(box, caption, 256);
                GetDlgItemTextW(box, kMessageTextId, text, 4096);
                boxes.push_back({caption, text});
                confirmed.insert(box);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        }
        GetExitCodeProcess(process.hProcess, &exitCode);
        CloseHandle(process.hProcess);
    }
    ~LauncherRun() {
        if (processId_ != 0) {
            EndChildrenOf(processId_);
        }
    }
    LauncherRun(const LauncherRun&) = delete;
    LauncherRun& operator=(const LauncherRun&) = delete;

    DWORD exitCode = STILL_ACTIVE;
    std::vector<MessageBoxSeen> boxes;

  private:
    DWORD processId_ = 0;
};

// A saved project root with the launcher in it, inside a folder that also holds things outside
// it.
class LauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((root_ + L"Daten").c_str(), nullptr));
        // A first save of the root as its own target puts the launcher there.
        ASSERT_EQ(SaveAndReadOpenLine(root_, root_, TargetType::Folder), L"Orbeno.Exe \"\\\"");
        ASSERT_EQ(ReadBytes(launcher_), ReadBytes(ProgramFolder() + kLauncherFileName));
    }

    TempFolder base_;
    const std::wstring root_ = base_ / L"CD-Projekt\\";
    const std::wstring launcher_ = root_ + kLauncherFileName;
};

TEST_F(LauncherTest, RunsTheTargetRelativeToItsOwnFolderFromAnyCurrentFolder) {
    // The other folder holds a script of the same relative name that must not run.
    const std::wstring other = base_ / L"anderswo\\";
    ASSERT_TRUE(CreateDirectoryW(other.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((other + L"Daten").c_str(), nullptr));
    WriteMarkerScript(other + L"Daten\\Start.cmd", base_ / L"falsch.txt");

    for (const std::wstring& current : {root_, other}) {
        SCOPED_TRACE(current);
        const std::wstring marker = base_ / L"gelaufen.txt";
        DeleteFileW(marker.c_str());
        WriteMarkerScript(root_ + L"Daten\\Start.cmd", marker);
        const std::wstring command = SaveAndReadOpenLine(root_, root_ + L"Daten\\Start.cmd");
        ASSERT_EQ(command, L"Orbeno.Exe \"Daten\\Start.cmd\"");

        LauncherRun run(launcher_, command, current);

        EXPECT_EQ(run.exitCode, 0u);
        EXPECT_TRUE(run.boxes.empty()) << run.boxes[0].text;
        EXPECT_TRUE(AppearsWithin(marker, kPatienceMs));
    }
    EXPECT_EQ(GetFileAttributesW((base_ / L"falsch.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LauncherTest, OpensAFolderTarget) {
    const std::wstring command = SaveAndReadOpenLine(root_, root_ + L"Daten\\", TargetType::Folder);
    ASSERT_EQ(command, L"Orbeno.Exe \"Daten\\\"");

    LauncherRun run(launcher_, command, root_);

    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.boxes.empty()) << run.boxes[0].text;
    // The shell shows the opened folder under its name.
    HWND folderWindow = WindowTitled(L"Daten", kPatienceMs);
    EXPECT_NE(folderWindow, nullptr);
    if (folderWindow) {
        PostMessageW(folderWindow, WM_CLOSE, 0, 0);
    }
}

TEST_F(LauncherTest, RefusesAPathThatClimbsOutOfItsFolder) {
    const std::wstring marker = base_ / L"draussen.txt";
    WriteMarkerScript(base_ / L"outside.cmd", marker);
    // Wine makes "...\" into "..\", inside by its text, which the file system then climbs.
    for (const auto& [argument, reason] :
         {std::pair{L"..\\outside.cmd", launcher::PathCheck::ClimbsOut},
          std::pair{L"...\\outside.cmd", launcher::PathCheck::DotsOnlyName}}) {
        LauncherRun run(launcher_, L"Orbeno.Exe \"" + std::wstring(argument) + L"\"", root_);

        EXPECT_EQ(run.exitCode, 1u) << argument;
        ASSERT_EQ(run.boxes.size(), 1u) << argument;
        EXPECT_EQ(run.boxes[0].caption, L"Orbeno");
        const std::wstring& text = run.boxes[0].text;
        EXPECT_NE(text.find(L"„" + std::wstring(argument) + L"“ wird nicht geöffnet"), text.npos);
        EXPECT_NE(text.find(launcher::RefusalReason(reason)), text.npos) << text;
        EXPECT_FALSE(AppearsWithin(marker, 2000));
    }
}

// One message per failure, the launcher's own; where the system's reason has a place for the
// object, it names the object. Wine has no "Öffnen mit" for an unknown type.
TEST_F(LauncherTest, TellsEachFailureInOneMessageOfItsOwn) {
    WriteBytes(root_ + L"Daten\\Preise.qzx", "1;2\r\n");
    WriteBytes(root_ + L"Daten\\Kaputt%2.exe", "kein Programm\r\n");
    for (const auto& [name, exitCode, what, reason, named] :
         {std::tuple{L"Preise.xls", 2u, L"wurde nicht gefunden.", L"(Fehler 2)", false},
          std::tuple{L"Preise.qzx", 3u, L"konnte nicht geöffnet werden.", L"(Fehler 1155)", false},
          std::tuple{L"Kaputt%2.exe", 3u, L"konnte nicht geöffnet werden.", L"(Fehler 193)",
                     true}}) {
        const std::wstring target = root_ + L"Daten\\" + name;
        LauncherRun run(launcher_, SaveAndReadOpenLine(root_, target), root_);

        EXPECT_EQ(run.exitCode, exitCode) << name;
        ASSERT_EQ(run.boxes.size(), 1u) << name;
        const std::wstring& text = run.boxes[0].text;
        EXPECT_NE(text.find(target + L"\n" + what), text.npos) << text;
        EXPECT_NE(text.find(reason), text.npos) << text;
        EXPECT_EQ(text.find(L"%1"), text.npos) << text;
        EXPECT_EQ(text.find(target + L"\n") != text.rfind(target), named) << text;
    }
}

TEST_F(LauncherTest, WithoutAnArgumentTellsWhatItIs) {
    const std::wstring version =
        std::to_wstring(kVersionMajor) + L"." + std::to_wstring(kVersionMinor) + L"." +
        std::to_wstring(kVersionPatch) + L"." + std::to_wstring(kVersionRevision);

    for (const wchar_t* command : {L"Orbeno.Exe", L"Orbeno.Exe \"\""}) {
        SCOPED_TRACE(command);
        LauncherRun run(launcher_, command, root_);

        EXPECT_EQ(run.exitCode, 0u);
        ASSERT_EQ(run.boxes.size(), 1u);
        EXPECT_EQ(run.boxes[0].caption, L"Orbeno");
        const std::wstring& text = run.boxes[0].text;
        EXPECT_EQ(text.rfind(L"Orbeno " + version, 0), 0u) << text;
        EXPECT_NE(text.find(L"Velquor"), std::wstring::npos) << text;
        EXPECT_NE(text.find(kMakerSite), std::wstring::npos) << text;
    }
}

// Names and labels in Greek, Cyrillic, CJK and emoji: picked and typed in the real window, saved
// as UTF-16 with a byte-order mark (code page 1252 holds none of them), and each line run by the
// launcher copied beside the file.
class LauncherFromTheWindowTest : public MainWindowTest {};

TEST_F(LauncherFromTheWindowTest, OpensWhatUnicodeLinesName) {
    TempFolder base;
    const std::wstring root = base / L"Δίσκος Диск 光盘 💿\\";
    ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((root + L"Ωμέγα").c_str(), nullptr));
    const std::wstring scripts[] = {root + L"Ωμέγα\\Привет 漢字 😀.cmd", root + L"文档.cmd"};
    for (int i = 0; i < 2; ++i) {
        WriteMarkerScript(scripts[i], base / (L"lief-" + std::to_wstring(i) + L".txt"));
    }
    ChooseRoot(root);
    prompts.AnswerDocument(scripts[0]);
    Click(kTargetPickButton);
    TypeLabel(0, L"Εγχειρίδιο 手册 📘");
    prompts.AnswerDocument(scripts[1]);
    Click(kFirstRowPickButton);
    prompts.AnswerMessage(kAnswerNo);
    Click(kOkButton);

    const std::wstring lines[] = {L"Orbeno.Exe \"Ωμέγα\\Привет 漢字 😀.cmd\"",
                                  L"Orbeno.Exe \"文档.cmd\""};
    const std::string header = kAutorunHeaderOf14May2004;
    const std::wstring text =
        std::wstring(header.begin(), header.end()) + L"[autorun]\r\nopen = " + lines[0] +
        L"\r\nshell\\0 = &Εγχειρίδιο 手册 📘\r\nshell\\0\\command = " + lines[1] +
        L"\r\nshell\\zq = &Über Orbeno ...\r\nshell\\zq\\command = Orbeno.Exe\r\n";
    std::string utf16 = "\xFF\xFE";
    for (const wchar_t unit : text) {
        utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    }
    EXPECT_EQ(ReadBytes(root + L"AutoRun.Inf"), utf16);
    for (int i = 0; i < 2; ++i) {
        LauncherRun run(root + kLauncherFileName, lines[i], base.Path());
        EXPECT_EQ(run.exitCode, 0u) << i;
        EXPECT_TRUE(run.boxes.empty()) << run.boxes[0].text;
        EXPECT_TRUE(AppearsWithin(base / (L"lief-" + std::to_wstring(i) + L".txt"), kPatienceMs));
    }
}

// Starts the launcher with each command line, many at a time, confirms every message box and
// gives the exit codes.
std::vector<DWORD> RunMany(const std::wstring& launcher, const std::vector<std::wstring>& lines,
                           const std::wstring& currentFolder) {
    constexpr std::size_t kAtOnce = 12;
    std::vector<DWORD> exitCodes;
    std::set<HWND> confirmed;
    for (std::size_t first = 0; first < lines.size(); first += kAtOnce) {
        std::vector<PROCESS_INFORMATION> batch;
        for (std::size_t i = first; i < std::min(lines.size(), first + kAtOnce); ++i) {
            STARTUPINFOW startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION process{};
            std::wstring line = lines[i];
            // Wine under load now and then fails a start; a second try is no second chance for
            // the launcher, which has not run yet.
            for (int attempt = 0; attempt < 3 && !process.hProcess; ++attempt) {
                if (!CreateProcessW(launcher.c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                                    nullptr, currentFolder.c_str(), &startup, &process)) {
                    Sleep(200);
                }
            }
            EXPECT_NE(process.hProcess, nullptr) << "cannot start: " << GetLastError();
            CloseHandle(process.hThread);
            batch.push_back(process);
        }
        const ULONGLONG end = GetTickCount64() + kPatienceMs;
        for (const PROCESS_INFORMATION& process : batch) {
            while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT &&
                   GetTickCount64() < end) {
                for (const PROCESS_INFORMATION& other : batch) {
                    if (HWND box = MessageBoxOf(other.dwProcessId, confirmed)) {
                        confirmed.insert(box);
                        PostMessageW(box, WM_COMMAND, IDOK, 0);
                    }
                }
            }
            DWORD exitCode = STILL_ACTIVE;
            GetExitCodeProcess(process.hProcess, &exitCode);
            TerminateProcess(process.hProcess, 99);
            CloseHandle(process.hProcess);
            exitCodes.push_back(exitCode);
        }
    }
    return exitCodes;
}

// The worst of the generated arguments, and the planted files' own full paths, through the real
// launcher three folders deep: scripts in each folder above leave a marker when they run.
TEST_F(LauncherTest, OpensNothingOutsideItsFolderWhateverTheArgument) {
    const std::wstring deep = root_ + L"a\\b\\CD\\";
    ASSERT_TRUE(CreateDirectoryW((root_ + L"a").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((root_ + L"a\\b").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(launcher_.c_str(), (deep + kLauncherFileName).c_str(), TRUE));
    std::vector<std::wstring> lines;
    for (const std::wstring& folder : {root_, root_ + L"a\\", root_ + L"a\\b\\"}) {
        WriteMarkerScript(folder + L"outside.cmd", base_ / L"draussen.txt");
        for (const wchar_t* prefix : {L"", L"\\\\?\\", L"\\\\.\\", L"\\??\\"}) {
            lines.push_back(std::wstring(L"Orbeno.Exe \"") + prefix + folder + L"outside.cmd\"");
        }
    }
    for (const std::wstring& path : HostilePaths(20261208, 4000, L"outside.cmd")) {
        // The worst: a part of dots and blanks that a careless reading would climb with.
        if (lines.size() < 300 && path.find(L"..") != std::wstring::npos) {
            lines.push_back(L"Orbeno.Exe \"" + path + L"\"");
        }
    }
    const std::vector<DWORD> exitCodes = RunMany(deep + kLauncherFileName, lines, deep);
    int refused = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // Refused, or not found inside: nothing of that name lies in the launcher's folder.
        const bool inside = DepthInside(std::wstring(launcher::ArgumentOf(lines[i]))).has_value();
        EXPECT_TRUE(exitCodes[i] == 1 || (exitCodes[i] == 2 && inside)) << lines[i];
        refused += exitCodes[i] == 1;
    }
    std::printf("%zu arguments through Orbeno.Exe, %d refused\n", lines.size(), refused);
    EXPECT_FALSE(AppearsWithin(base_ / L"draussen.txt", 2000));
}

// Explorer shows a program's first icon: the disc icon must be the only one.
TEST_F(LauncherTest, CarriesTheDiscIconAsItsFirstIcon) {
    HMODULE file = LoadLibraryExW(launcher_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    int groups = 0;
    EnumResourceNamesW(
        file, RT_GROUP_ICON,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR count) -> BOOL {
            *reinterpret_cast<int*>(count) += name == MAKEINTRESOURCEW(1) ? 1 : 100;
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&groups));
    FreeLibrary(file);
    EXPECT_EQ(groups, 1);
}

}  // namespace
}  // namespace velquor::testing
