// The platform's folder browser and file-open dialog, as far as a test can reach them.
#include "util/win32_prompts_win.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>

#include "support/temp_folder_win.h"

namespace velquor {
namespace {

using Microsoft::WRL::ComPtr;
using testing::TempFolder;

struct ItemList {
    PIDLIST_ABSOLUTE items;
    ~ItemList() { CoTaskMemFree(items); }
};

TEST(FileSystemPathOfTest, GivesTheFolderPathAndNothingForVirtualFolders) {
    // Wine's shell builds no item list for a path past MAX_PATH, so the long case is covered
    // by the picking flow's tests only.
    TempFolder dir;
    const std::wstring folder = dir / L"Ordner mit Ümlaut und Leerzeichen";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ItemList list{ILCreateFromPathW(folder.c_str())};
    ASSERT_NE(list.items, nullptr);
    EXPECT_EQ(FileSystemPathOf(list.items), folder);

    PIDLIST_ABSOLUTE computer = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer), S_OK);
    ItemList virtualFolder{computer};
    EXPECT_EQ(FileSystemPathOf(virtualFolder.items), L"");
}

// Reads the folder the dialog has opened in, then closes it.
class FolderSpy : public IFileDialogEvents {
  public:
    std::wstring opened;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IFileDialogEvents) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog* dialog) override {
        ComPtr<IShellItem> folder;
        PWSTR path = nullptr;
        if (SUCCEEDED(dialog->GetFolder(&folder)) &&
            SUCCEEDED(folder->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
            opened = path;
            CoTaskMemFree(path);
        }
        dialog->Close(HRESULT_FROM_WIN32(ERROR_CANCELLED));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog*, IShellItem*,
                                               FDE_SHAREVIOLATION_RESPONSE*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog*, IShellItem*,
                                          FDE_OVERWRITE_RESPONSE*) override {
        return S_OK;
    }
};

TEST(DocumentDialogTest, OpensInTheProjectRootEveryTime) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    TempFolder first;
    // The same root twice in a row is the case Windows would otherwise answer with the folder
    // visited last.
    for (const TempFolder* root : {&first, &first}) {
        const ComPtr<IFileOpenDialog> dialog =
            PrepareDocumentDialog(MakeDocumentDialogRequest(root->Path(), L"Icons (*.ico)|*.ico|"));
        ASSERT_TRUE(dialog);
        FolderSpy spy;
        DWORD cookie = 0;
        ASSERT_EQ(dialog->Advise(&spy, &cookie), S_OK);
        EXPECT_EQ(dialog->Show(nullptr), HRESULT_FROM_WIN32(ERROR_CANCELLED));
        dialog->Unadvise(cookie);
        EXPECT_EQ(spy.opened + L"\\", root->Path());
    }
    CoUninitialize();
}

}  // namespace
}  // namespace velquor

namespace velquor {
namespace {

TEST(Win32ShellOpenTest, WhatTheShellCannotOpenComesBackWithTheSystemsReason) {
    testing::TempFolder dir;
    Win32Prompts prompts;
    const ShellResult result = prompts.ShellOpen(dir / L"fehlt.htm", 0);
    EXPECT_FALSE(result.opened);
    EXPECT_TRUE(result.reason.ends_with(L"(Code 2)")) << result.reason;

    struct Case {
        INT_PTR shellCode;
        DWORD lastError;
        const wchar_t* ending;
    };
    const Case cases[] = {{SE_ERR_NOASSOC, 0, L"(Code 1155)"},
                          {SE_ERR_ASSOCINCOMPLETE, 0, L"(Code 1155)"},
                          {SE_ERR_PNF, 0, L"(Code 3)"},
                          {SE_ERR_DDEBUSY, 0, L"(Code 1156)"},
                          {SE_ERR_FNF, ERROR_ACCESS_DENIED, L"(Code 5)"},  // the last error first
                          {99, 0, L"Unbekannter Fehler (Code 99)"}};
    for (const Case& c : cases) {
        EXPECT_TRUE(ShellFailureReason(L"x.htm", c.shellCode, c.lastError).ends_with(c.ending))
            << c.ending;
    }
}

}  // namespace
}  // namespace velquor
