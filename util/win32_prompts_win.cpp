#include "util/win32_prompts_win.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include "util/text_helpers.h"

namespace velquor {

namespace {

// Long enough for any path the dialog can return, not only MAX_PATH.
constexpr std::size_t kFileNameBufferLength = 32768;

}  // namespace

std::wstring DialogFilter(const std::wstring& filter) {
    std::wstring result = filter.empty() ? std::wstring(kAllFilesFilter) : filter;
    for (wchar_t& c : result) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    result += L'\0';
    return result;
}

int Win32Prompts::ShowMessage(const std::wstring& text, MessageStyle style) {
    return MessageBoxW(owner_, text.c_str(), kMessageCaption, static_cast<UINT>(style));
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
    std::wstring buffer(MAX_PATH, L'\0');
    SHGetPathFromIDListW(items, buffer.data());  // no file-system path leaves it empty
    CoTaskMemFree(items);
    return CutAtNul(buffer);
}

std::wstring Win32Prompts::ChooseDocument(const std::wstring& initialFolder,
                                          const std::wstring& filter) {
    const std::wstring filterText = DialogFilter(filter);
    std::wstring fileName(kFileNameBufferLength, L'\0');
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filterText.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName.data();
    dialog.nMaxFile = static_cast<DWORD>(fileName.size());
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrTitle = kChooseDocumentTitle;
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) {
        return {};  // cancel and every dialog error alike
    }
    return CutAtNul(fileName);
}

void Win32Prompts::ShellOpen(const std::wstring& target, int showMode) {
    ShellExecuteW(GetDesktopWindow(), L"Open", target.c_str(), nullptr, nullptr,
                  showMode == 0 ? SW_SHOWNORMAL : showMode);
}

}  // namespace velquor
