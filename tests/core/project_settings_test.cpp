#include "project/project_settings.h"

#include <gtest/gtest.h>

#include "support/projects.h"

namespace velquor {
namespace {

using testing::ProjectAt;

TEST(ProjectSettingsTest, StartsEmptyWithSentinels) {
    const ProjectSettings s;
    for (const std::wstring& slot : s.slots) {
        EXPECT_EQ(slot, L"(Bitte wählen ...)");
    }
    for (const std::wstring& label : s.labels) {
        EXPECT_EQ(label, L"(kein)");
    }
    EXPECT_EQ(s.preview.kind, PreviewKind::Placeholder);
    EXPECT_TRUE(s.useLongNames);
    EXPECT_EQ(s.targetType, TargetType::Document);
    EXPECT_FALSE(RootDependentControlsEnabled(s));
    EXPECT_FALSE(ReadyToSave(s));
}

TEST(ProjectSettingsTest, ResetSlotClearsOnlyWhatBelongsToTheSlot) {
    ProjectSettings s = ProjectAt(L"C:\\P\\");
    s.slots = {L"C:\\P\\", L"C:\\P\\a", L"C:\\P\\b", L"C:\\P\\c", L"C:\\P\\d", L"(Bibliothek)"};
    s.labels = {L"A", L"B", L"C"};
    s.preview = {PreviewKind::LibraryEntry, 7};

    ResetSlot(s, 3);
    EXPECT_EQ(s.slots[3], kNotChosen);
    EXPECT_EQ(s.labels[1], L"(kein)");
    EXPECT_EQ(s.labels[0], L"A");
    EXPECT_EQ(s.labels[2], L"C");
    EXPECT_EQ(s.preview.libraryEntry, 7);

    ResetSlot(s, kIconSlot);
    EXPECT_EQ(s.slots[kIconSlot], kNotChosen);
    EXPECT_EQ(s.preview, IconPreview{});

    ResetSlot(s, kTargetSlot);
    EXPECT_EQ(s.labels[0], L"A");  // the target has no label
}

TEST(ProjectSettingsTest, ResetProjectKeepsRootTargetTypeAndLongNameFlag) {
    ProjectSettings s = ProjectAt(L"C:\\P\\");
    s.projectRootShort = L"C:\\P\\";
    s.targetType = TargetType::Folder;
    s.slots[kTargetSlot] = L"C:\\P\\x";
    s.labels[2] = L"Text";
    SetDefaultIcon(s);

    ResetProject(s);
    EXPECT_EQ(s.projectRoot, L"C:\\P\\");
    EXPECT_EQ(s.projectRootShort, L"C:\\P\\");
    EXPECT_EQ(s.targetType, TargetType::Folder);
    EXPECT_TRUE(s.useLongNames);
    EXPECT_EQ(s.slots, ProjectSettings().slots);
    EXPECT_EQ(s.labels, ProjectSettings().labels);
    EXPECT_EQ(s.preview, IconPreview{});
}

TEST(ProjectSettingsTest, IconChoices) {
    ProjectSettings s;
    SetDefaultIcon(s);
    EXPECT_EQ(s.slots[kIconSlot], L"(Standardeinstellung)");
    EXPECT_EQ(s.preview.kind, PreviewKind::DefaultDisc);

    ApplyLibraryIcon(s, 0);  // cancelled: nothing changes
    EXPECT_EQ(s.slots[kIconSlot], L"(Standardeinstellung)");
    EXPECT_EQ(s.preview.kind, PreviewKind::DefaultDisc);

    ApplyLibraryIcon(s, 511);
    EXPECT_EQ(s.slots[kIconSlot], L"(Bibliothek)");
    EXPECT_EQ(s.preview, (IconPreview{PreviewKind::LibraryEntry, 511}));
}

TEST(ProjectSettingsTest, LabelAndSlotEmptiness) {
    struct Case {
        const wchar_t* label;
        bool set;
    };
    const Case labels[] = {{L"(kein)", false}, {L"  (kein) ", false}, {L"", false},
                           {L"    ", false},   {L"(Kein)", true},     {L"Handbuch", true},
                           {L" x ", true},     {L"\t", true}};
    for (const Case& c : labels) {
        EXPECT_EQ(LabelIsSet(c.label), c.set) << c.label;
    }
    EXPECT_FALSE(SlotIsChosen(L"(Bitte wählen ...)"));
    EXPECT_FALSE(SlotIsChosen(L" (Bitte wählen ...) "));
    EXPECT_FALSE(SlotIsChosen(L"  "));
    EXPECT_TRUE(SlotIsChosen(L"(bitte wählen ...)"));
    EXPECT_TRUE(SlotIsChosen(L"C:\\P\\a.txt"));
}

TEST(FirstIncompleteContextRowTest, CompleteOrEmptyRowsPassOtherwiseTheFirstOtherRow) {
    constexpr int kAllFine = -1;
    struct Case {
        const wchar_t* labels[3];
        const wchar_t* paths[3];
        int firstIncomplete;
    };
    const wchar_t* none = L"(Bitte wählen ...)";
    const Case cases[] = {
        {{L"(kein)", L"(kein)", L"(kein)"}, {none, none, none}, kAllFine},
        {{L"A", L"(kein)", L"C"}, {L"C:\\P\\a", none, L"C:\\P\\c"}, kAllFine},
        {{L"  ", L"(kein)", L"(kein)"}, {none, none, none}, kAllFine},
        {{L"A", L"(kein)", L"(kein)"}, {none, none, none}, 0},        // label without path
        {{L"(kein)", L"", L"(kein)"}, {none, L"C:\\P\\b", none}, 1},  // path, label cleared
        {{L"(Kein)", L"(kein)", L"(kein)"}, {none, none, none}, 0},   // capital K is a label
        {{L"A", L"B", L"(kein)"}, {L"C:\\P\\a", none, L"C:\\P\\c"}, 1},
        {{L"(kein)", L"B", L"C"}, {none, none, none}, 1},  // the first of two
    };
    for (const Case& c : cases) {
        ProjectSettings s = ProjectAt(L"C:\\P\\");
        for (int r = 0; r < 3; ++r) {
            s.labels[r] = c.labels[r];
            s.slots[kFirstRowSlot + r] = c.paths[r];
        }
        EXPECT_EQ(FirstIncompleteContextRow(s).value_or(kAllFine), c.firstIncomplete)
            << c.labels[0] << "|" << c.labels[1] << "|" << c.labels[2];
    }
}

TEST(RelativeSlotPathTest, CutsTheRootByLength) {
    struct Case {
        const wchar_t* root;
        const wchar_t* path;
        const wchar_t* relative;
    };
    const Case cases[] = {
        {L"C:\\Projekt\\", L"C:\\Projekt\\Start.pdf", L"Start.pdf"},
        {L"C:\\Projekt\\", L"C:\\Projekt\\", L"\\"},
        {L"C:\\Projekt\\", L"C:\\Projekt\\Daten\\", L"Daten\\"},
        {L"C:\\Projekt\\", L"c:\\PROJEKT\\Info.TXT", L"Info.TXT"},  // case as picked
        {L"D:\\", L"D:\\a.txt", L"a.txt"},
        {L"D:\\", L"D:\\", L"\\"},
    };
    for (const Case& c : cases) {
        ProjectSettings s = ProjectAt(c.root);
        s.slots[kTargetSlot] = c.path;
        EXPECT_EQ(RelativeSlotPath(s, kTargetSlot), c.relative) << c.path;
    }
}

TEST(EnabledStatesTest, FollowRootAndTarget) {
    ProjectSettings s;
    s.slots[kTargetSlot] = L"C:\\P\\a";  // a target without a root does not enable OK
    EXPECT_FALSE(ReadyToSave(s));
    s.projectRoot = L"C:\\P\\";
    EXPECT_TRUE(RootDependentControlsEnabled(s));
    EXPECT_TRUE(ReadyToSave(s));
    s.slots[kTargetSlot] = L"  (Bitte wählen ...)  ";
    EXPECT_FALSE(ReadyToSave(s));
}

}  // namespace
}  // namespace velquor
