// What the file-open dialog is asked for, built without the platform so that it can be checked
// where no dialog can be shown.
#pragma once

#include <string>
#include <vector>

namespace velquor {

inline constexpr wchar_t kChooseDocumentTitle[] = L"Bitte wählen Sie das zu öffnende Dokument ...";
inline constexpr wchar_t kAllFilesFilter[] = L"Alle Dateien (*.*)|*.*|";

struct FileType {
    std::wstring name;     // "Icons (*.ico)"
    std::wstring pattern;  // "*.ico"

    bool operator==(const FileType&) const = default;
};

struct DocumentDialogRequest {
    std::wstring title;
    std::vector<FileType> types;  // the first one is selected
    // The folder the dialog opens in, every time. Windows otherwise prefers the folder the
    // user visited last once the same initial folder is asked for a second time.
    std::wstring folder;
};

// `filter` lists "Name|pattern|" pairs; empty stands for all files. An unpaired last name is
// left out.
DocumentDialogRequest MakeDocumentDialogRequest(const std::wstring& folder,
                                                const std::wstring& filter);

}  // namespace velquor
