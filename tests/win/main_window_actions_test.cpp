#include <gtest/gtest.h>

#include "dialogs/about_box_win.h"
#include "main_window_fixture.h"
#include "resources/resource_ids.h"

namespace velquor::testing {
namespace {

constexpr wchar_t kRoot[] = L"C:\\Projekt";

class MainWindowActionsTest : public MainWindowTest {
  protected:
    // Enabled states of the pick buttons 40, 41, 42, 5, 7, the two target-type options and OK,
    // in that order.
    std::vector<bool> EnabledStates() const {
        std::vector<bool> states;
        for (int button : {40, 41, 42, 5, 7}) {
            states.push_back(Enabled(button));
        }
        states.push_back(IsWindowEnabled(Get(ControlKind::TargetTypeOption, 0)));
        states.push_back(IsWindowEnabled(Get(ControlKind::TargetTypeOption, 1)));
        states.push_back(Enabled(kOkButton));
        return states;
    }
    void PickTarget(const std::wstring& file) {
        prompts.AnswerDocument(file);
        Click(kTargetPickButton);
    }
};

TEST_F(MainWindowActionsTest, EnabledStatesFollowRootAndTarget) {
    const std::vector<bool> none(7, false), rootOnly{1, 1, 1, 1, 1, 1, 1, 0}, all(8, true);
    std::vector<bool> noRoot = none;
    noRoot.push_back(false);
    EXPECT_EQ(EnabledStates(), noRoot);
    for (int alwaysOn : {kRootPickButton, 30, 31, 32, kNoIconButton, kLibraryButton,
                         kDefaultIconButton, kSystemCheckButton, kQuitButton, kAboutButton}) {
        EXPECT_TRUE(Enabled(alwaysOn)) << alwaysOn;
    }
    ChooseRoot(kRoot);
    EXPECT_EQ(EnabledStates(), rootOnly);
    PickTarget(L"C:\\Projekt\\Start.htm");
    EXPECT_EQ(EnabledStates(), all);
    ChooseRoot(L"C:\\Anderes");
    EXPECT_EQ(EnabledStates(), rootOnly);
    EXPECT_EQ(Slot(kTargetSlot), kNotChosen);
}

TEST_F(MainWindowActionsTest, DisabledButtonsWithoutRootDoNothing) {
    for (int button : {5, 7, 40, 41, 42, kOkButton}) {
        Click(button);
    }
    EXPECT_TRUE(prompts.Calls().empty());
}

TEST_F(MainWindowActionsTest, StartsWithAFreshProject) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(Slot(slot), kNotChosen);
    }
    for (int row = 0; row < kContextRowCount; ++row) {
        EXPECT_EQ(Label(row), kNoLabel);
    }
}

TEST_F(MainWindowActionsTest, ResetButtonsClearTheirSlotAndLabel) {
    ChooseRoot(kRoot);
    for (int row = 0; row < kContextRowCount; ++row) {
        prompts.AnswerDocument(L"C:\\Projekt\\Doc" + std::to_wstring(row) + L".txt");
        Click(kFirstRowPickButton + row);
    }
    Click(kDefaultIconButton);
    const struct {
        int button;
        int slot;
    } cases[] = {{30, 2}, {31, 3}, {32, 4}, {kNoIconButton, kIconSlot}};
    for (const auto& c : cases) {
        ASSERT_NE(Slot(c.slot), kNotChosen) << c.button;
        Click(c.button);
        EXPECT_EQ(Slot(c.slot), kNotChosen) << c.button;
        EXPECT_EQ(window.Settings().slots[c.slot], kNotChosen);
        if (c.slot != kIconSlot) {
            EXPECT_EQ(Label(c.slot - 2), kNoLabel) << c.button;
        }
    }
    EXPECT_EQ(window.ShownPreview().kind, PreviewKind::Placeholder);
}

TEST_F(MainWindowActionsTest, IconAndResetButtonsWorkWithoutRootAndTheRootClearsThem) {
    Click(kDefaultIconButton);
    EXPECT_EQ(Slot(kIconSlot), kDefaultIcon);
    EXPECT_EQ(window.ShownPreview().kind, PreviewKind::DefaultDisc);
    Click(kNoIconButton);
    EXPECT_EQ(Slot(kIconSlot), kNotChosen);
    EXPECT_EQ(window.ShownPreview().kind, PreviewKind::Placeholder);
    TypeLabel(1, L"Handbuch");
    Click(31);
    EXPECT_EQ(Label(1), kNoLabel);

    Click(kDefaultIconButton);
    TypeLabel(0, L"Preise");
    ChooseRoot(kRoot);
    EXPECT_EQ(Slot(kIconSlot), kNotChosen);
    EXPECT_EQ(Label(0), kNoLabel);
    EXPECT_EQ(window.ShownPreview().kind, PreviewKind::Placeholder);
    EXPECT_EQ(Slot(kRootSlot), L"C:\\Projekt\\");
}

TEST_F(MainWindowActionsTest, TypedLabelsAndTheTargetTypeGoIntoTheModel) {
    TypeLabel(2, L"Lies mich");
    EXPECT_EQ(window.Settings().labels[2], L"Lies mich");
    ChooseRoot(kRoot);
    ClickOption(1);
    EXPECT_EQ(window.Settings().targetType, TargetType::Folder);
    prompts.AnswerFolder(L"C:\\Projekt\\Daten");
    Click(kTargetPickButton);
    EXPECT_EQ(Slot(kTargetSlot), L"C:\\Projekt\\Daten\\");
    ClickOption(0);
    EXPECT_EQ(window.Settings().targetType, TargetType::Document);
}

TEST_F(MainWindowActionsTest, HelpAndLogoGoToTheShellAndChangeNoSetting) {
    ChooseRoot(kRoot);
    const ProjectSettings before = window.Settings();
    // The build puts the help pages beside the test program, as beside velquor.exe.
    prompts.ExpectShellOpen().ExpectShellOpen();
    Click(kHelpButton);
    SendMessageW(window.Handle(), WM_COMMAND,
                 MAKEWPARAM(ControlId(ControlKind::Logo, 0), STN_CLICKED),
                 reinterpret_cast<LPARAM>(Get(ControlKind::Logo, 0)));
    SendMessageW(window.Handle(), WM_COMMAND, IDOK, 0);
    SendMessageW(window.Handle(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(window.Settings().slots, before.slots);
    EXPECT_EQ(window.Settings().labels, before.labels);
    ASSERT_EQ(prompts.Calls().size(), 3u);  // the root's folder browser, then the shell twice
    EXPECT_EQ(prompts.Calls()[1].text, ProgramFolder() + L"hilfe\\index.htm");
    EXPECT_EQ(prompts.Calls()[1].style, 0);
    EXPECT_EQ(prompts.Calls()[2].text, L"www.morvane.example");
    EXPECT_EQ(prompts.Calls()[2].style, 3);
    EXPECT_NE(window.Handle(), nullptr);
}

TEST_F(MainWindowActionsTest, InfoOpensOneAboutBoxThatOutlivesTheWindow) {
    Click(kAboutButton);
    const HWND about = OpenAboutBox();
    ASSERT_NE(about, nullptr);
    Click(kAboutButton);
    EXPECT_EQ(OpenAboutBox(), about);
    EXPECT_EQ(windows.Count(), 2u);
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(about));
    EXPECT_EQ(lastWindowClosed, 0);
    SendMessageW(about, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(about));
    EXPECT_EQ(lastWindowClosed, 1);
}

TEST_F(MainWindowActionsTest, QuitClosesEveryWindowAtOnce) {
    HWND other = CreateWindowExW(0, L"STATIC", L"about", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    windows.Add(other);
    Click(kQuitButton);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(other));
    EXPECT_EQ(lastWindowClosed, 1);
    EXPECT_EQ(windows.Count(), 0u);
}

TEST_F(MainWindowActionsTest, CloseBoxUnloadsTheMainWindowOnly) {
    HWND other = CreateWindowExW(0, L"STATIC", L"about", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    windows.Add(other);
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_TRUE(IsWindow(other));
    EXPECT_EQ(lastWindowClosed, 0);  // the other window keeps the program running
    windows.Remove(other);
    DestroyWindow(other);
    EXPECT_EQ(lastWindowClosed, 1);
}

}  // namespace
}  // namespace velquor::testing
