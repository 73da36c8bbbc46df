// Orbeno.Exe: lies in the root of an autostart CD and opens the document or folder that the
// autorun file names, relative to its own folder, with the shell's default verb. It goes onto
// every disc, so it needs nothing but Windows: no exceptions, no allocating containers, fixed
// buffers only.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include "launcher/launch_argument.h"
#include "util/maker.h"
#include "util/system_text_inserts.h"
#include "util/version.h"

namespace {

using velquor::launcher::FixedText;
using velquor::launcher::PathCheck;

constexpr wchar_t kCaption[] = L"Orbeno";

// Windows' longest path, with its NUL.
constexpr DWORD kLongestPath = 32768;

// The exit code tells a calling script (and the tests) whether something was opened.
enum ExitCode : int {
    kOpened = 0,
    kRefused = 1,
    kNotFound = 2,
    kNotOpened = 3,
    kNoOwnFolder = 4,
};

// Message texts are cut to what a message box can sensibly show.
using MessageText = FixedText<2048>;

// Large buffers live outside the stack.
wchar_t gModulePath[kLongestPath];
wchar_t gFullPath[kLongestPath];
FixedText<kLongestPath> gJoinedPath;
FixedText<kLongestPath> gWorkingFolder;

void ShowError(const MessageText& text) {
    MessageBoxW(nullptr, text.CStr(), kCaption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// The system's text for an error about an object, followed by its number: "Zugriff verweigert
// (Fehler 5)". Its inserts ("%1 ist keine zulässige Win32-Anwendung") name the object.
void AppendSystemError(MessageText& text, DWORD error, std::wstring_view objectName) {
    wchar_t system[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, system, ARRAYSIZE(system), nullptr);
    while (length > 0 && (system[length - 1] == L'\r' || system[length - 1] == L'\n' ||
                          system[length - 1] == L' ' || system[length - 1] == L'.')) {
        --length;
    }
    if (length == 0) {
        text.Append(L"Unbekannter Fehler");
    } else {
        velquor::AppendWithInsertsFilled(std::wstring_view(system, length), objectName,
                                         [&](std::wstring_view piece) { text.Append(piece); });
    }
    text.Append(L" (Fehler ").AppendNumber(error).Append(L")");
}

// ShellExecuteExW leaves the reason in GetLastError; older handlers only set hInstApp.
DWORD ShellError(DWORD lastError, HINSTANCE instApp) {
    if (lastError != ERROR_SUCCESS) {
        return lastError;
    }
    switch (reinterpret_cast<INT_PTR>(instApp)) {
        case SE_ERR_FNF:
            return ERROR_FILE_NOT_FOUND;
        case SE_ERR_PNF:
            return ERROR_PATH_NOT_FOUND;
        case SE_ERR_ACCESSDENIED:
            return ERROR_ACCESS_DENIED;
        case SE_ERR_OOM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case SE_ERR_SHARE:
            return ERROR_SHARING_VIOLATION;
        case SE_ERR_DLLNOTFOUND:
            return ERROR_DLL_NOT_FOUND;
        case SE_ERR_ASSOCINCOMPLETE:
        case SE_ERR_NOASSOC:
            return ERROR_NO_ASSOCIATION;
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY:
            return ERROR_DDE_FAIL;
    }
    return ERROR_GEN_FAILURE;
}

int ShowInformation() {
    MessageText text;
    text.Append(L"Orbeno ")
        .AppendNumber(velquor::kVersionMajor)
        .Append(L".")
        .AppendNumber(velquor::kVersionMinor)
        .Append(L".")
        .AppendNumber(velquor::kVersionPatch)
        .Append(L".")
        .AppendNumber(velquor::kVersionRevision)
        .Append(L"\n\nOrbeno startet Dokumente und Ordner von Autostart-CDs, die mit ")
        .Append(velquor::kProductName)
        .Append(L" erstellt wurden.\n\n")
        .Append(velquor::kMakerName)
        .Append(L"\n")
        .Append(velquor::kMakerSite);
    MessageBoxW(nullptr, text.CStr(), kCaption, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return kOpened;
}

int Refuse(std::wstring_view argument, PathCheck check) {
    MessageText text;
    text.Append(L"Der Pfad „")
        .Append(argument)
        .Append(L"“ wird nicht geöffnet.\n\n")
        .Append(velquor::launcher::RefusalReason(check))
        .Append(L"\n\nOrbeno öffnet nur Dateien und Ordner auf dieser CD.");
    ShowError(text);
    return kRefused;
}

// "Die Datei oder der Ordner", the path, what happened, and the system's reason.
int ReportObjectFailure(const wchar_t* fullPath, const wchar_t* whatHappened, DWORD error,
                        ExitCode exitCode) {
    MessageText text;
    text.Append(L"Die Datei oder der Ordner\n")
        .Append(fullPath)
        .Append(L"\n")
        .Append(whatHappened)
        .Append(L"\n\n");
    AppendSystemError(text, error, fullPath);
    ShowError(text);
    return exitCode;
}

int ReportNoOwnFolder(DWORD error) {
    MessageText text;
    text.Append(L"Orbeno kann seinen eigenen Ordner nicht ermitteln.\n\n");
    AppendSystemError(text, error, L"Orbeno.Exe");
    ShowError(text);
    return kNoOwnFolder;
}

// The length of the path's folder part, up to and with its last backslash.
std::size_t FolderLength(const wchar_t* path, std::size_t length) {
    while (length > 0 && path[length - 1] != L'\\') {
        --length;
    }
    return length;
}

// The folder Orbeno.Exe lies in, ending in a backslash; empty when it cannot be found.
std::wstring_view OwnFolder() {
    SetLastError(ERROR_SUCCESS);
    const DWORD length = GetModuleFileNameW(nullptr, gModulePath, kLongestPath);
    if (length == 0 || length >= kLongestPath) {
        if (GetLastError() == ERROR_SUCCESS) {
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
        }
        return {};
    }
    const std::size_t folderLength = FolderLength(gModulePath, length);
    if (folderLength == 0) {
        SetLastError(ERROR_BAD_PATHNAME);
    }
    return std::wstring_view(gModulePath, folderLength);
}

// A type without an associated program: the shell's own "Öffnen mit" choice, which registers
// the program the user picks and starts it.
int OpenWith(const wchar_t* fullPath) {
    OPENASINFO info = {};
    info.pcszFile = fullPath;
    info.oaifInFlags = OAIF_ALLOW_REGISTRATION | OAIF_REGISTER_EXT | OAIF_EXEC;
    const HRESULT result = SHOpenWithDialog(nullptr, &info);
    if (SUCCEEDED(result)) {
        return kOpened;
    }
    if (result == HRESULT_FROM_WIN32(ERROR_CANCELLED)) {
        return kNotOpened;  // the user's own choice; nothing more to say
    }
    // The missing association is what the user can act on, not why the choice failed.
    return ReportObjectFailure(fullPath, L"konnte nicht geöffnet werden.", ERROR_NO_ASSOCIATION,
                               kNotOpened);
}

int Open(const wchar_t* fullPath, const wchar_t* workingFolder) {
    // The shell wants a single-threaded apartment for its extensions; DDE is not used here.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // Orbeno ends right after the call: the shell must have finished starting the object by
    // then. The shell shows no error of its own, so every failure is told once, below.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = nullptr;
    info.lpFile = fullPath;
    info.lpDirectory = workingFolder;
    info.nShow = SW_SHOWNORMAL;
    int result = kOpened;
    if (!ShellExecuteExW(&info)) {
        const DWORD lastError = GetLastError();
        // Wine leaves an unrelated error in GetLastError then; hInstApp tells it.
        if (lastError == ERROR_NO_ASSOCIATION ||
            reinterpret_cast<INT_PTR>(info.hInstApp) == SE_ERR_NOASSOC) {
            result = OpenWith(fullPath);
        } else if (lastError == ERROR_CANCELLED) {
            result = kNotOpened;  // the user declined, e.g. the elevation prompt
        } else {
            result = ReportObjectFailure(fullPath, L"konnte nicht geöffnet werden.",
                                         ShellError(lastError, info.hInstApp), kNotOpened);
        }
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return result;
}

int Run() {
    const std::wstring_view argument = velquor::launcher::ArgumentOf(GetCommandLineW());
    if (argument.empty()) {
        return ShowInformation();
    }
    const PathCheck check = velquor::launcher::CheckRelativePath(argument);
    if (check != PathCheck::Accepted) {
        return Refuse(argument, check);
    }

    const std::wstring_view folder = OwnFolder();
    if (folder.empty()) {
        return ReportNoOwnFolder(GetLastError());
    }
    gJoinedPath.Append(folder);
    if (!velquor::launcher::NamesTheFolderItself(argument)) {
        gJoinedPath.Append(argument);
    }
    if (gJoinedPath.Cut()) {
        return Refuse(argument, PathCheck::TooLong);
    }
    const DWORD fullLength = GetFullPathNameW(gJoinedPath.CStr(), kLongestPath, gFullPath, nullptr);
    if (fullLength == 0 || fullLength >= kLongestPath) {
        return Refuse(argument, PathCheck::TooLong);
    }
    // The rules above should leave nothing that leads out; this is the check that counts.
    if (!velquor::launcher::LiesInFolder(folder, std::wstring_view(gFullPath, fullLength))) {
        return Refuse(argument, PathCheck::OutsideFolder);
    }

    const DWORD attributes = GetFileAttributesW(gFullPath);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return ReportObjectFailure(gFullPath, L"wurde nicht gefunden.", GetLastError(), kNotFound);
    }
    // A document starts in its own folder, a folder in itself.
    const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::size_t workingLength = isFolder ? fullLength : FolderLength(gFullPath, fullLength);
    gWorkingFolder.Append(std::wstring_view(gFullPath, workingLength));
    // A folder goes to the shell without its closing backslash (but "D:\" keeps it): handlers
    // that put "%1" on a command line would otherwise end the path in a quoted quote, \".
    if (isFolder && fullLength > 1 && gFullPath[fullLength - 1] == L'\\' &&
        gFullPath[fullLength - 2] != L':') {
        gFullPath[fullLength - 1] = L'\0';
    }
    return Open(gFullPath, gWorkingFolder.CStr());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return Run();
}
