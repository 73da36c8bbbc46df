// The production side of the Prompts seam: the platform's message box, folder browser,
// file-open dialog and shell, owned by one window.
#pragma once

#include <windows.h>

#include <shobjidl.h>
#include <shtypes.h>
#include <wrl/client.h>

#include "util/document_dialog.h"
#include "util/prompts.h"

namespace velquor {

class Win32Prompts : public Prompts {
  public:
    explicit Win32Prompts(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    int ShowMessage(const std::wstring& text, MessageStyle style) override;
    std::wstring BrowseForFolder(const std::wstring& prompt) override;
    std::wstring ChooseDocument(const std::wstring& initialFolder,
                                const std::wstring& filter) override;
    std::wstring SaveFile(const std::wstring& title, const std::wstring& suggestedPath,
                          const std::wstring& filter) override;
    ShellResult ShellOpen(const std::wstring& target, int showMode) override;
    std::unique_ptr<Prompts> OwnedBy(WindowHandle window) override {
        return std::make_unique<Win32Prompts>(static_cast<HWND>(window));
    }

  private:
    HWND owner_;
};

// Why the shell could not open a target: the system's text for the last error, or for the
// shell's own code (hInstApp) when it set none, its inserts naming the target.
std::wstring ShellFailureReason(const std::wstring& target, INT_PTR shellCode, DWORD lastError);

// The file-system path of a shell item of the folder browser, of any length; empty for an item
// that has none.
std::wstring FileSystemPathOf(PCIDLIST_ABSOLUTE items);

// The file-open dialog set up for the request, not yet shown; null when it cannot be made.
Microsoft::WRL::ComPtr<IFileOpenDialog> PrepareDocumentDialog(const DocumentDialogRequest& request);

// The file-open dialog for the request; the picked file's full path, or empty.
std::wstring ShowDocumentDialog(HWND owner, const DocumentDialogRequest& request);

}  // namespace velquor
