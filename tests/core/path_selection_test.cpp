#include "app/path_selection.h"

#include <gtest/gtest.h>

#include "support/projects.h"
#include "support/scripted_prompts.h"
#include "util/text_template.h"

namespace velquor {
namespace {

using testing::ProjectAt;
using testing::PromptKind;
using testing::ScriptedPrompts;

TEST(ChooseProjectRootTest, PickResetsEverythingCancelKeepsEverything) {
    ProjectSettings s = ProjectAt(L"C:\\Alt\\");
    s.slots[kTargetSlot] = L"C:\\Alt\\a.txt";
    s.labels[0] = L"Text";
    s.slots[2] = L"C:\\Alt\\b.txt";
    SetDefaultIcon(s);
    s.targetType = TargetType::Folder;
    const ProjectSettings before = s;

    ScriptedPrompts cancel;
    cancel.AnswerFolder(L"");
    EXPECT_FALSE(ChooseProjectRoot(s, cancel));
    EXPECT_EQ(s.slots, before.slots);
    EXPECT_EQ(s.labels, before.labels);
    EXPECT_EQ(s.projectRoot, L"C:\\Alt\\");
    ASSERT_EQ(cancel.Calls().size(), 1u);
    EXPECT_EQ(cancel.Calls()[0].text, kRootPrompt);

    struct Case {
        const wchar_t* picked;
        const wchar_t* root;
    };
    const Case cases[] = {{L"C:\\Alt", L"C:\\Alt\\"},  // the same folder again still resets
                          {L"D:\\", L"D:\\"},          // a drive root keeps one backslash
                          {L"E:\\CD Projekt\\", L"E:\\CD Projekt\\"}};
    for (const Case& c : cases) {
        ProjectSettings t = before;
        ScriptedPrompts prompts;
        prompts.AnswerFolder(c.picked);
        EXPECT_TRUE(ChooseProjectRoot(t, prompts));
        EXPECT_EQ(t.projectRoot, c.root);
        EXPECT_EQ(t.slots[kRootSlot], c.root);
        for (int slot = 1; slot < kSlotCount; ++slot) {
            EXPECT_EQ(t.slots[slot], kNotChosen);
        }
        EXPECT_EQ(t.labels, ProjectSettings().labels);
        EXPECT_EQ(t.preview, IconPreview{});
        EXPECT_EQ(t.targetType, TargetType::Folder);  // not part of the reset
        EXPECT_FALSE(ReadyToSave(t));
        EXPECT_TRUE(RootDependentControlsEnabled(t));
    }
}

// The root with its backslash leaves 11 characters for "AutoRun.Inf" under the 259 of the
// classic path functions; a folder target may take all 259.
TEST(ChooseProjectRootTest, AFolderPathTooLongIsRefusedWithAMessageAndTheOldRootStays) {
    const std::wstring longestRoot = L"C:\\" + std::wstring(244, L'a');    // 248 with its "\"
    const std::wstring longestTarget = L"C:\\" + std::wstring(255, L'a');  // 259 with its "\"
    const std::wstring rootMessage =
        L"Der Pfad des gewählten Ordners ist zu lang für ein CD-Projekt: Er darf höchstens 248 "
        L"Zeichen haben. Bitte wählen Sie einen Ordner mit einem kürzeren Pfad.";

    ProjectSettings s = ProjectAt(L"C:\\Alt\\");
    s.slots[kTargetSlot] = L"C:\\Alt\\a.txt";
    ScriptedPrompts prompts;
    prompts.AnswerFolder(longestRoot + L"b").AnswerMessage(kAnswerOk);
    EXPECT_FALSE(ChooseProjectRoot(s, prompts));
    EXPECT_EQ(s.projectRoot, L"C:\\Alt\\");
    EXPECT_EQ(s.slots[kRootSlot], L"C:\\Alt\\");
    EXPECT_EQ(s.slots[kTargetSlot], L"C:\\Alt\\a.txt");
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text, rootMessage);
    EXPECT_EQ(prompts.Messages()[0].style, 16);

    ScriptedPrompts fits;
    fits.AnswerFolder(longestRoot);
    EXPECT_TRUE(ChooseProjectRoot(s, fits));
    EXPECT_EQ(s.projectRoot, longestRoot + L"\\");

    // A folder target through the same browser gets the same answer with its own limit, and
    // keeps the old target.
    ProjectSettings t = ProjectAt(L"C:\\");
    t.targetType = TargetType::Folder;
    t.slots[kTargetSlot] = L"C:\\Alt\\";
    ScriptedPrompts target;
    target.AnswerFolder(longestTarget + L"b").AnswerMessage(kAnswerOk).AnswerFolder(longestTarget);
    EXPECT_FALSE(ChooseSlotPath(t, kTargetSlot, target));
    EXPECT_EQ(t.slots[kTargetSlot], L"C:\\Alt\\");
    ASSERT_EQ(target.Messages().size(), 1u);
    EXPECT_EQ(target.Messages()[0].text, ReplaceAll(rootMessage, L"248", L"259"));
    EXPECT_TRUE(ChooseSlotPath(t, kTargetSlot, target));
    EXPECT_EQ(t.slots[kTargetSlot], longestTarget + L"\\");
}

TEST(DefaultLabelTest, FileNameUpToTheFirstDot) {
    struct Case {
        const wchar_t* path;
        const wchar_t* label;
    };
    const Case cases[] = {{L"C:\\P\\Handbuch.pdf", L"Handbuch"},
                          {L"C:\\P\\Preise.2004.xls", L"Preise"},
                          {L"C:\\P\\LIESMICH", L"LIESMICH"},
                          {L"C:\\P\\.profile", L""},
                          {L"C:\\P.d\\x\\Lies mich.txt", L"Lies mich"},
                          {L"C:\\P\\Daten\\", L""}};
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultLabel(c.path), c.label) << c.path;
    }
}

// One pick through the file-open dialog or the folder browser, with scripted answers.
struct PickCase {
    const char* name;
    int slot;
    TargetType type;
    std::vector<std::wstring> answers;  // dialog answers; "Y"/"N" answer the outside question
    const wchar_t* expectedSlot;        // nullptr: unchanged
    int outsideQuestions;
};

TEST(ChooseSlotPathTest, Picks) {
    const std::wstring root = L"C:\\Projekt\\";
    const PickCase cases[] = {
        {"inside, case differs",
         1,
         TargetType::Document,
         {L"c:\\PROJEKT\\Info.txt"},
         L"c:\\PROJEKT\\Info.txt",
         0},
        {"sibling with common prefix, then No",
         1,
         TargetType::Document,
         {L"C:\\Projekt2\\a.txt", L"N"},
         nullptr,
         1},
        {"outside, Yes, then inside",
         2,
         TargetType::Document,
         {L"D:\\a.txt", L"Y", L"C:\\Projekt\\Doku\\a.txt"},
         L"C:\\Projekt\\Doku\\a.txt",
         1},
        {"outside twice, then cancel",
         3,
         TargetType::Document,
         {L"D:\\a.txt", L"Y", L"E:\\b.txt", L"Y", L""},
         nullptr,
         2},
        {"cancel", 4, TargetType::Document, {L""}, nullptr, 0},
        {"folder target is the root", 1, TargetType::Folder, {L"C:\\Projekt"}, L"C:\\Projekt\\", 0},
        {"folder target below the root",
         1,
         TargetType::Folder,
         {L"C:\\Projekt\\Daten"},
         L"C:\\Projekt\\Daten\\",
         0},
        {"folder type only matters for the target",
         2,
         TargetType::Folder,
         {L"C:\\Projekt\\x.doc"},
         L"C:\\Projekt\\x.doc",
         0},
        {"icon file",
         5,
         TargetType::Folder,
         {L"C:\\projekt\\Disc.ico"},
         L"C:\\projekt\\Disc.ico",
         0},
        {"parent folder as target", 1, TargetType::Folder, {L"C:\\", L"N"}, nullptr, 1},
    };
    for (const PickCase& c : cases) {
        ProjectSettings s = ProjectAt(root);
        s.targetType = c.type;
        s.slots[c.slot] = L"C:\\Projekt\\alt.txt";
        ScriptedPrompts prompts;
        const bool folderMode = c.slot == 1 && c.type == TargetType::Folder;
        for (const std::wstring& a : c.answers) {
            if (a == L"Y" || a == L"N") {
                prompts.AnswerMessage(a == L"Y" ? kAnswerYes : kAnswerNo);
            } else if (folderMode) {
                prompts.AnswerFolder(a);
            } else {
                prompts.AnswerDocument(a);
            }
        }
        EXPECT_EQ(ChooseSlotPath(s, c.slot, prompts), c.expectedSlot != nullptr) << c.name;
        EXPECT_EQ(s.slots[c.slot], c.expectedSlot ? c.expectedSlot : L"C:\\Projekt\\alt.txt")
            << c.name;
        EXPECT_TRUE(prompts.AllAnswersUsed()) << c.name;

        int questions = 0;
        for (const auto& call : prompts.Calls()) {
            if (call.kind == PromptKind::Message) {
                ++questions;
                EXPECT_EQ(call.text, kOutsideProjectMessage);
                EXPECT_EQ(call.style, 20);
            } else if (call.kind == PromptKind::Document) {
                EXPECT_EQ(call.text, root);  // the dialog starts in the project root
                EXPECT_EQ(call.filter, c.slot == 5 ? kIconFilter : L"") << c.name;
            } else {
                EXPECT_EQ(call.text, kFolderTargetPrompt);
            }
        }
        EXPECT_EQ(questions, c.outsideQuestions) << c.name;
    }
}

TEST(ChooseSlotPathTest, OutsideMessageEndsWithTwoCarriageReturnsAndTheQuestion) {
    const std::wstring text = kOutsideProjectMessage;
    EXPECT_NE(text.find(L"kopiert werden).\r\rMöchten Sie die Eingabe jetzt wiederholen?"),
              std::wstring::npos);
    EXPECT_EQ(text.find(L'\n'), std::wstring::npos);
}

TEST(ChooseSlotPathTest, DriveRootProjectTakesEveryFileOfTheDrive) {
    ProjectSettings s = ProjectAt(L"D:\\");
    ScriptedPrompts prompts;
    prompts.AnswerDocument(L"d:\\tief\\unten\\a.txt");
    EXPECT_TRUE(ChooseSlotPath(s, kTargetSlot, prompts));
    EXPECT_EQ(RelativeSlotPath(s, kTargetSlot), L"tief\\unten\\a.txt");
}

TEST(ChooseSlotPathTest, DefaultLabelsFillOnlyEmptyLabels) {
    struct Case {
        const wchar_t* label;
        const wchar_t* picked;
        const wchar_t* expectedLabel;
    };
    const Case cases[] = {
        {L"(kein)", L"C:\\P\\Handbuch.pdf", L"Handbuch"},
        {L"   ", L"C:\\P\\Preise.2004.xls", L"Preise"},
        {L"", L"C:\\P\\README", L"README"},
        {L"(kein)", L"C:\\P\\.hidden", L""},
        {L"Mein Text", L"C:\\P\\Handbuch.pdf", L"Mein Text"},
        {L"(Kein)", L"C:\\P\\Handbuch.pdf", L"(Kein)"},  // typed with a capital: kept
    };
    for (const Case& c : cases) {
        ProjectSettings s = ProjectAt(L"C:\\P\\");
        s.labels[1] = c.label;
        ScriptedPrompts prompts;
        prompts.AnswerDocument(c.picked);
        EXPECT_TRUE(ChooseSlotPath(s, 3, prompts));
        EXPECT_EQ(s.labels[1], c.expectedLabel) << c.picked;
        EXPECT_EQ(s.labels[0], L"(kein)");
        EXPECT_EQ(s.labels[2], L"(kein)");
    }
    // The target and the icon have no label.
    ProjectSettings s = ProjectAt(L"C:\\P\\");
    ScriptedPrompts prompts;
    prompts.AnswerDocument(L"C:\\P\\a.txt").AnswerDocument(L"C:\\P\\b.ico");
    ChooseSlotPath(s, kTargetSlot, prompts);
    ChooseSlotPath(s, kIconSlot, prompts);
    EXPECT_EQ(s.labels, ProjectSettings().labels);
}

TEST(ChooseSlotPathTest, NothingIsPickedWithoutARoot) {
    ProjectSettings s;
    ScriptedPrompts prompts;  // any dialog would be an unexpected call
    EXPECT_FALSE(ChooseSlotPath(s, kTargetSlot, prompts));
    EXPECT_TRUE(prompts.Calls().empty());
}

}  // namespace
}  // namespace velquor
