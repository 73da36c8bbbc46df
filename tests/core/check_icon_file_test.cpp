#include "autorun/check_icon_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "autorun/icon_file.h"
#include "support/malformed_icons.h"
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

// Damaged icons through the check with the portable parser as its loader: none is read past its
// end (the sanitizer build watches), and each is either taken whole or refused with the message.
TEST(CheckIconFileTest, GeneratedDamagedIconsAreTakenWholeOrRefused) {
    std::ifstream in(VELQUOR_SOURCE_DIR "/resources/icons/042.ico", std::ios::binary);
    const std::string good{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(good.size(), 100u);
    std::map<IconFileError, int> outcomes;
    for (const std::string& file : testing::MalformedIcons(good, 20261208, 1500)) {
        // A buffer of exactly the file's size, so that the sanitizer sees any byte read past it.
        const std::vector<unsigned char> bytes(file.begin(), file.end());
        ProjectSettings s = ProjectAt(L"C:\\Projekt\\");
        s.slots[kIconSlot] = L"C:\\Projekt\\Disc.ico";
        ScriptedPrompts prompts;
        prompts.AnswerMessage(kAnswerOk);
        IconFile parsed;
        CheckIconFile(s, prompts, [&](const std::wstring&) {
            parsed = ParseIconFile(bytes);
            return parsed.ok();
        });
        ++outcomes[parsed.error];
        EXPECT_EQ(s.slots[kIconSlot] == kNotChosen, !parsed.ok());
        EXPECT_EQ(prompts.Calls().size(), parsed.ok() ? 0u : 1u);
        // Taken: the header's count of entries, each behind the directory and inside the file.
        const std::size_t directoryEnd = 6 + 16 * parsed.entries.size();
        const auto count = bytes.size() < 6 ? 0u : bytes[4] + 256u * bytes[5];
        EXPECT_EQ(parsed.entries.size(), parsed.ok() ? count : 0u);
        for (const IconEntry& e : parsed.entries) {
            EXPECT_TRUE(e.size > 0 && e.offset >= directoryEnd && e.offset <= file.size() &&
                        e.size <= file.size() - e.offset);
        }
    }
    // Every reason the parser knows, and some files still taken (damage in the pictures only).
    EXPECT_EQ(outcomes.size(), 8u);
    for (const auto& [error, count] : outcomes) {
        std::printf("outcome %d: %d files\n", static_cast<int>(error), count);
    }
}

}  // namespace
}  // namespace velquor
