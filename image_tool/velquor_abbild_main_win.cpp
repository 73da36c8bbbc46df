// velquor-abbild.exe: the readiness check and the disc image for scripts, the same as the
// window's, with German output and exit codes (0 written, 1 refused, 2 failed).
#include <windows.h>

#include <atomic>
#include <string_view>

#include "disc/disc_project_win.h"
#include "image_tool/image_tool_arguments.h"
#include "util/file_services.h"
#include "util/run_time_error.h"
#include "util/text_helpers.h"

namespace {

using namespace velquor;

std::atomic<bool> gStopRequested{false};

BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        gStopRequested = true;
        return TRUE;  // the writer stops at its next piece and removes its temporary file
    }
    return FALSE;
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != FALSE;
}

// A console gets the text as it is (WriteConsoleW shows every character the console font has,
// whatever the console's code page); a pipe or file gets UTF-8, which Wine's terminal, Linux
// tools and PowerShell read.
void Print(DWORD stream, std::wstring_view text) {
    const HANDLE handle = GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) {
        return;
    }
    DWORD written = 0;
    if (IsConsole(handle)) {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    std::wstring lines;
    for (wchar_t c : text) {
        if (c == L'\n') {
            lines += L'\r';
        }
        lines += c;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, lines.data(), static_cast<int>(lines.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, lines.data(), static_cast<int>(lines.size()), bytes.data(),
                        size, nullptr, nullptr);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

int Fail(std::wstring_view reason) {
    Print(STD_ERROR_HANDLE, std::wstring(reason) + L"\n");
    return static_cast<int>(ImageToolExit::kFailed);
}

// The share of the image written so far, on the console only: a log gets no progress lines.
IsoWriteProgress ConsoleProgress(bool console) {
    return [console, shown = -1](std::uint64_t written, std::uint64_t total) mutable {
        const int percent = total == 0 ? 100 : static_cast<int>(written * 100 / total);
        if (console && percent != shown) {
            shown = percent;
            Print(STD_OUTPUT_HANDLE,
                  L"\rAbbild wird geschrieben: " + std::to_wstring(percent) + L" %");
        }
        return !gStopRequested;
    };
}

int Run(const ImageToolArguments& arguments) {
    const std::wstring root = AddBackslash(FullPathName(arguments.projectFolder));
    const std::wstring image = FullPathName(arguments.imagePath);
    const DWORD attributes = GetFileAttributesW(root.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return Fail(L"Der Projektordner " + root + L" wurde nicht gefunden.");
    }
    if (ImageLiesInsideProject(root, image)) {
        return Fail(L"Das Abbild " + image + L" läge im Projektordner und käme so selbst auf " +
                    L"die CD. Bitte einen Ort außerhalb von " + root + L" wählen.");
    }
    DiscListing listing;
    try {
        listing = ReadDiscListing(root);
    } catch (const RunTimeError& error) {
        return Fail(L"Der Projektordner ließ sich nicht lesen: " + DescribeError(error));
    }
    const std::vector<DiscFinding> findings =
        CheckDiscReadiness(listing, arguments.medium, ReadDiscAutorunFiles(root, listing));
    Print(STD_OUTPUT_HANDLE, FindingLines(findings));
    if (HasDiscErrors(findings)) {
        Print(STD_OUTPUT_HANDLE,
              L"Das Projekt wurde nicht als Abbild geschrieben: Es hat Fehler, "
              L"die oben genannt sind.\n");
        return static_cast<int>(ImageToolExit::kRefused);
    }
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    const IsoImageOptions options{arguments.volumeName.value_or(DefaultVolumeName(root)),
                                  CurrentDiscTimestamp()};
    const bool console = IsConsole(GetStdHandle(STD_OUTPUT_HANDLE));
    const std::wstring endOfProgress = console ? L"\n" : L"";
    IsoWriteResult result;
    try {
        result = WriteDiscImageFile(root, listing, options, image, ConsoleProgress(console));
    } catch (const RunTimeError& error) {
        Print(STD_OUTPUT_HANDLE, endOfProgress);
        return Fail(L"Das Abbild wurde nicht geschrieben: " + DescribeError(error));
    } catch (const IsoFileChanged& changed) {
        Print(STD_OUTPUT_HANDLE, endOfProgress);
        return Fail(L"Das Abbild wurde nicht geschrieben: Die Datei " + root + changed.path() +
                    L" hat sich während des Schreibens geändert.");
    }
    Print(STD_OUTPUT_HANDLE, endOfProgress);
    if (result == IsoWriteResult::kCancelled) {
        return Fail(L"Abgebrochen: Das Abbild wurde nicht geschrieben.");
    }
    Print(STD_OUTPUT_HANDLE, L"Abbild geschrieben: " + image + L"\n");
    return static_cast<int>(ImageToolExit::kWritten);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::vector<std::wstring> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::wstring error;
    const std::optional<ImageToolArguments> arguments = ParseImageToolArguments(args, error);
    if (!arguments) {
        return Fail(error + L" Hilfe: velquor-abbild /?");
    }
    if (arguments->showUsage) {
        Print(STD_OUTPUT_HANDLE, kImageToolUsage);
        return static_cast<int>(ImageToolExit::kWritten);
    }
    return Run(*arguments);
}
