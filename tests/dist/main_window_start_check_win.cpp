// Starts an installed or unpacked velquor.exe and checks that its main window comes up and that
// the program ends cleanly when the window is closed: the proof that the downloaded files run.
//
//   velquor_start_check.exe PATH\velquor.exe     exit code 0 when it did, 1 with the reason when
//   not
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kWindowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 10000;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = L"";
    wchar_t title[64] = L"";
    GetClassNameW(window, className, 64);
    GetWindowTextW(window, title, 64);
    if (owner == search->processId && IsWindowVisible(window) &&
        std::wstring(className) == L"VelquorMainWindow" && std::wstring(title) == L"Velquor") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

int Fail(const char* what, PROCESS_INFORMATION& process) {
    std::fprintf(stderr, "velquor_start_check: %s\n", what);
    if (process.hProcess != nullptr) {
        TerminateProcess(process.hProcess, 99);
    }
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velquor_start_check PATH\\velquor.exe\n");
        return 2;
    }
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return Fail("the program does not start", process);
    }
    Search search{process.dwProcessId, nullptr};
    for (DWORD waited = 0; search.found == nullptr && waited < kWindowTimeoutMs; waited += 100) {
        if (WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0) {
            return Fail("the program ended without showing its main window", process);
        }
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    }
    if (search.found == nullptr) {
        return Fail("no main window \"Velquor\" within 30 s", process);
    }
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    if (WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.hProcess, &exitCode) || exitCode != 0) {
        return Fail("the program did not end with exit code 0 when its window was closed", process);
    }
    std::printf("velquor_start_check: the main window came up and the program ended cleanly\n");
    return 0;
}
