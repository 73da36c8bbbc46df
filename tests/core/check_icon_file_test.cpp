#include "autorun/check_icon_file.h"

#include <gtest/gtest.h>

#include "support/projects.h"
#include "support/scripted_prompts.h"

namespace velquor {
namespace {

using testing::ProjectAt;
using testing::ScriptedPrompts;

TEST(CheckIconFileTest, OnlyAPathWithADriveIsLoaded) {
    struct Case {
        const wchar_t* slot;
        bool loaded;
    } cases[] = {
        {L"C:\\Projekt\\Disc.ico", true},
        {L"c:\\x", true},
        {L"(Bitte wählen ...)", false},
        {L"(Standardeinstellung)", false},
        {L"(Bibliothek)", false},
        {L"\\\\Server\\Freigabe\\Disc.ico", false},  // no drive letter, as the rule says
        {L"C:Disc.ico", false},
        {L"", false},
    };
    for (const Case& c : cases) {
        ProjectSettings s = ProjectAt(L"C:\\Projekt\\");
        ApplyLibraryIcon(s, 9);
        s.slots[kIconSlot] = c.slot;
        ScriptedPrompts prompts;
        std::wstring loadedPath;
        CheckIconFile(s, prompts, [&](const std::wstring& path) {
            loadedPath = path;
            return true;
        });
        EXPECT_EQ(loadedPath, c.loaded ? c.slot : L"");
        EXPECT_EQ(s.slots[kIconSlot], c.slot);
        const IconPreview expected = c.loaded ? IconPreview{PreviewKind::IconFile, 0}
                                              : IconPreview{PreviewKind::LibraryEntry, 9};
        EXPECT_EQ(s.preview, expected);
        EXPECT_TRUE(prompts.Calls().empty());
    }
}

TEST(CheckIconFileTest, ARefusedFileIsReportedAndTheChoiceCleared) {
    ProjectSettings s = ProjectAt(L"C:\\Projekt\\");
    s.slots[kIconSlot] = L"C:\\Projekt\\liesmich.txt";
    ScriptedPrompts prompts;
    prompts.AnswerMessage(kAnswerOk);
    CheckIconFile(s, prompts, [](const std::wstring&) { return false; });
    ASSERT_EQ(prompts.Calls().size(), 1u);
    EXPECT_EQ(prompts.Calls()[0].text,
              L"Die angegebene Icon-Datei ist anscheinend nicht gültig.\rSie konnte nicht geladen "
              L"werden.\r\rBitte wählen Sie daher ein neues Icon.");
    EXPECT_EQ(prompts.Calls()[0].style, 16);
    EXPECT_EQ(s.slots[kIconSlot], kNotChosen);
    EXPECT_EQ(s.preview, IconPreview{});
}

}  // namespace
}  // namespace velquor
