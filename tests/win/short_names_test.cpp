#include <gtest/gtest.h>

#include "app/path_selection.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder_win.h"
#include "util/short_path.h"
#include "util/win32_prompts_win.h"

namespace velquor {
namespace {

using testing::ScriptedPrompts;
using testing::TempFolder;
using testing::WriteBytes;

// With the long-name flag cleared, relative paths come from the system's short forms.
TEST(RelativeSlotPathTest, ShortNameBranchUsesTheSystemsShortForms) {
    TempFolder dir;
    const std::wstring root = dir / L"Mein langes CD-Projekt\\";
    ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((root + L"Dokumente und Handbücher").c_str(), nullptr));
    const std::wstring file = root + L"Dokumente und Handbücher\\Benutzerhandbuch.pdf";
    WriteBytes(file, "x");

    ProjectSettings s;
    ScriptedPrompts prompts;
    prompts.AnswerFolder(root.substr(0, root.size() - 1)).AnswerDocument(file);
    ASSERT_TRUE(ChooseProjectRoot(s, prompts));
    ASSERT_TRUE(ChooseSlotPath(s, kTargetSlot, prompts));
    EXPECT_EQ(s.projectRootShort, ShortPathOf(root));
    ASSERT_FALSE(s.projectRootShort.empty());

    EXPECT_EQ(RelativeSlotPath(s, kTargetSlot), L"Dokumente und Handbücher\\Benutzerhandbuch.pdf");
    s.useLongNames = false;
    const std::wstring shortRelative = RelativeSlotPath(s, kTargetSlot);
    EXPECT_EQ(s.projectRootShort + shortRelative, ShortPathOf(file));
    EXPECT_EQ(shortRelative.find(L' '), std::wstring::npos);
    EXPECT_NE(shortRelative.find(L'~'), std::wstring::npos);
}

}  // namespace
}  // namespace velquor
