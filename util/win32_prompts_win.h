// The production side of the Prompts seam: the platform's message box, folder browser,
// file-open dialog and shell, owned by one window.
#pragma once

#include <windows.h>

#include "util/prompts.h"

namespace velquor {

inline constexpr wchar_t kChooseDocumentTitle[] = L"Bitte wählen Sie das zu öffnende Dokument ...";
inline constexpr wchar_t kAllFilesFilter[] = L"Alle Dateien (*.*)|*.*|";

class Win32Prompts : public Prompts {
  public:
    explicit Win32Prompts(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    int ShowMessage(const std::wstring& text, MessageStyle style) override;
    std::wstring BrowseForFolder(const std::wstring& prompt) override;
    std::wstring ChooseDocument(const std::wstring& initialFolder,
                                const std::wstring& filter) override;
    void ShellOpen(const std::wstring& target, int showMode) override;

  private:
    HWND owner_;
};

// "Name|*.ext|" as the dialog wants it: NUL separators and a double NUL at the end.
std::wstring DialogFilter(const std::wstring& filter);

}  // namespace velquor
