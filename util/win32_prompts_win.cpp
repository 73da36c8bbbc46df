#include "util/win32_prompts_win.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <vector>

#include "util/text_helpers.h"
#include "util/win32_error_win.h"

namespace velquor {

using Microsoft::WRL::ComPtr;

namespace {

// The shell hands out its paths in task memory; the copy is ours, the original is freed.
std::wstring TakeTaskMemoryText(PWSTR text) {
    std::wstring result(text);
    CoTaskMemFree(text);
    return result;
}

}  // namespace

int Win32Prompts::ShowMessage(const std::wstring& text, MessageStyle style) {
    // A box owned by a window that is gone would not show at all: it then belongs to whatever
    // is active.
    const HWND owner = IsWindow(owner_) ? owner_ : GetActiveWindow();
    return MessageBoxW(owner, text.c_str(), kMessageCaption, static_cast<UINT>(style));
}

std::wstring Win32Prompts::BrowseForFolder(const std::wstring& prompt) {
    BROWSEINFOW info = {};
    info.hwndOwner = owner_;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE items = SHBrowseForFolderW(&info);
    if (items == nullptr) {
        return {};
    }
    std::wstring folder = FileSystemPathOf(items);
    CoTaskMemFree(items);
    return folder;
}

std::wstring FileSystemPathOf(PCIDLIST_ABSOLUTE items) {
    // Not into a buffer of MAX_PATH: a longer path would come back empty, like a cancel, and
    // the picking flow could not tell the user why nothing happened.
    PWSTR path = nullptr;
    if (FAILED(SHGetNameFromIDList(items, SIGDN_FILESYSPATH, &path)) || path == nullptr) {
        return {};
    }
    return TakeTaskMemoryText(path);
}

std::wstring Win32Prompts::ChooseDocument(const std::wstring& initialFolder,
                                          const std::wstring& filter) {
    return ShowDocumentDialog(owner_, MakeDocumentDialogRequest(initialFolder, filter));
}

ComPtr<IFileOpenDialog> PrepareDocumentDialog(const DocumentDialogRequest& request) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&dialog)))) {
        return nullptr;
    }
    std::vector<COMDLG_FILTERSPEC> types;
    for (const FileType& type : request.types) {
        types.push_back({type.name.c_str(), type.pattern.c_str()});
    }
    FILEOPENDIALOGOPTIONS options = 0;
    if (FAILED(dialog->GetOptions(&options)) ||
        FAILED(dialog->SetOptions(options | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST |
                                  FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR)) ||
        FAILED(dialog->SetTitle(request.title.c_str()))) {
        return nullptr;
    }
    if (!types.empty() &&
        (FAILED(dialog->SetFileTypes(static_cast<UINT>(types.size()), types.data())) ||
         FAILED(dialog->SetFileTypeIndex(1)))) {
        return nullptr;
    }
    if (!request.folder.empty()) {
        // SetFolder, not SetDefaultFolder: the dialog opens there every time.
        ComPtr<IShellItem> folder;
        if (SUCCEEDED(SHCreateItemFromParsingName(request.folder.c_str(), nullptr,
                                                  IID_PPV_ARGS(&folder)))) {
            dialog->SetFolder(folder.Get());
        }
    }
    return dialog;
}

std::wstring ShowDocumentDialog(HWND owner, const DocumentDialogRequest& request) {
    // Cancel and every dialog error alike give empty.
    const ComPtr<IFileOpenDialog> dialog = PrepareDocumentDialog(request);
    ComPtr<IShellItem> picked;
    PWSTR path = nullptr;
    if (!dialog || FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(&picked)) ||
        FAILED(picked->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        return {};
    }
    return TakeTaskMemoryText(path);
}

std::wstring Win32Prompts::SaveFile(const std::wstring& title, const std::wstring& suggestedPath,
                                    const std::wstring& filter) {
    // The dialog wants the pairs separated by NULs and closed by an empty one.
    std::wstring pairs = filter;
    for (wchar_t& c : pairs) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    pairs += L'\0';
    const std::size_t firstPattern = filter.find(L'|') + 1;
    const std::wstring pattern =
        filter.substr(firstPattern, filter.find(L'|', firstPattern) - firstPattern);
    const std::wstring extension = pattern.starts_with(L"*.") ? pattern.substr(2) : L"";
    // Room for a long path: a short buffer would make a long choice fail like a cancel.
    std::wstring path(32768, L'\0');
    path.replace(0, std::min(suggestedPath.size(), path.size() - 1), suggestedPath);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = pairs.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | OFN_ENABLESIZING;
    return GetSaveFileNameW(&dialog) ? CutAtNul(path) : std::wstring();
}

ShellResult Win32Prompts::ShellOpen(const std::wstring& target, int showMode) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // No error box of the shell's own: the caller tells the user, once.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = GetDesktopWindow();
    info.lpVerb = L"Open";
    info.lpFile = target.c_str();
    info.nShow = showMode == 0 ? SW_SHOWNORMAL : showMode;
    if (ShellExecuteExW(&info)) {
        return {};
    }
    const DWORD lastError = GetLastError();
    return {false, ShellFailureReason(target, reinterpret_cast<INT_PTR>(info.hInstApp), lastError)};
}

std::wstring ShellFailureReason(const std::wstring& target, INT_PTR shellCode, DWORD lastError) {
    DWORD error = lastError;
    if (error == ERROR_SUCCESS) {
        // The shell's own codes, as the system errors that say the same.
        switch (shellCode) {
            case SE_ERR_FNF:
                error = ERROR_FILE_NOT_FOUND;
                break;
            case SE_ERR_PNF:
                error = ERROR_PATH_NOT_FOUND;
                break;
            case SE_ERR_ACCESSDENIED:
                error = ERROR_ACCESS_DENIED;
                break;
            case SE_ERR_OOM:
                error = ERROR_NOT_ENOUGH_MEMORY;
                break;
            case SE_ERR_SHARE:
                error = ERROR_SHARING_VIOLATION;
                break;
            case SE_ERR_NOASSOC:
            case SE_ERR_ASSOCINCOMPLETE:
                error = ERROR_NO_ASSOCIATION;
                break;
            case SE_ERR_DDETIMEOUT:
            case SE_ERR_DDEFAIL:
            case SE_ERR_DDEBUSY:
                error = ERROR_DDE_FAIL;
                break;
            case SE_ERR_DLLNOTFOUND:
                error = ERROR_DLL_NOT_FOUND;
                break;
            default:
                return L"Unbekannter Fehler (Code " + std::to_wstring(shellCode) + L")";
        }
    }
    return DescribeError(Win32Error(error), target);
}

}  // namespace velquor
