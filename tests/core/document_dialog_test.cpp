#include "util/document_dialog.h"

#include <gtest/gtest.h>

namespace velquor {
namespace {

TEST(DocumentDialogRequestTest, OpensInTheGivenFolderWithTheFilterAsFileTypes) {
    struct Case {
        const wchar_t* filter;
        std::vector<FileType> types;
    };
    const Case cases[] = {
        {L"", {{L"Alle Dateien (*.*)", L"*.*"}}},
        {L"Icons (*.ico)|*.ico|", {{L"Icons (*.ico)", L"*.ico"}}},
        {L"Bilder|*.bmp;*.ico|Alle|*.*|", {{L"Bilder", L"*.bmp;*.ico"}, {L"Alle", L"*.*"}}},
        {L"Icons|*.ico", {{L"Icons", L"*.ico"}}},        // the last bar may be missing
        {L"Icons|*.ico|Rest|", {{L"Icons", L"*.ico"}}},  // a name without a pattern is left out
    };
    for (const Case& c : cases) {
        const DocumentDialogRequest request = MakeDocumentDialogRequest(L"C:\\Projekt\\", c.filter);
        EXPECT_EQ(request.folder, L"C:\\Projekt\\") << c.filter;
        EXPECT_EQ(request.title, L"Bitte wählen Sie das zu öffnende Dokument ...");
        EXPECT_EQ(request.types, c.types) << c.filter;
    }
}

}  // namespace
}  // namespace velquor
