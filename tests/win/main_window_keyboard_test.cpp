// The keyboard as in any Windows dialog, through the program's own message routing.
#include "main_window_fixture.h"

namespace velquor::testing {
namespace {

class MainWindowKeyboardTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // Focus needs a shown, active window; this one test pays Wine's delay for it.
        ShowWindow(window.Handle(), SW_SHOW);
        SetForegroundWindow(window.Handle());
        PumpMessages();
    }
    void TearDown() override {
        SetShift(false);
        MainWindowTest::TearDown();
    }

    // Sends one key through the routing the message loop uses; true when it was handled there.
    bool Route(UINT message, WPARAM key) {
        MSG msg{GetFocus(), message, key, 0, 0, {}};
        const bool handled = windows.RouteDialogMessage(msg);
        PumpMessages();
        return handled;
    }
    static void SetShift(bool down) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
};

TEST_F(MainWindowKeyboardTest, StartsWithTheFocusOnTheFirstTabStop) {
    EXPECT_EQ(GetFocus(), Get(ControlKind::PathBox, kRootSlot));
}

TEST_F(MainWindowKeyboardTest, TheFocusComesBackAfterAnotherWindowWasActive) {
    const HWND labelBox = Get(ControlKind::LabelBox, 1);
    Click(kToggleViewButton);  // step (3) shows
    SetFocus(labelBox);
    ASSERT_EQ(GetFocus(), labelBox);

    HWND other = CreateWindowExW(0, L"STATIC", L"anderes Fenster", WS_POPUP | WS_VISIBLE, 0, 0, 100,
                                 50, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
    PumpMessages();
    EXPECT_NE(GetActiveWindow(), window.Handle());
    EXPECT_NE(GetFocus(), labelBox);

    SetForegroundWindow(window.Handle());
    SetActiveWindow(window.Handle());
    PumpMessages();
    EXPECT_EQ(GetFocus(), labelBox);
    DestroyWindow(other);
}

TEST_F(MainWindowKeyboardTest, TabMovesThroughTheStepsShiftTabBack) {
    SetFocus(Get(ControlKind::Button, kRootPickButton));
    ASSERT_EQ(GetFocus(), Get(ControlKind::Button, kRootPickButton));

    // The hidden long-name box is skipped; the read-only target box takes the focus.
    EXPECT_TRUE(Route(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(GetFocus(), Get(ControlKind::PathBox, kTargetSlot));

    SetShift(true);
    EXPECT_TRUE(Route(WM_KEYDOWN, VK_TAB));
    EXPECT_EQ(GetFocus(), Get(ControlKind::Button, kRootPickButton));
}

TEST_F(MainWindowKeyboardTest, AltWithTheUnderlinedLetterPressesTheButton) {
    SetFocus(Get(ControlKind::PathBox, kRootSlot));
    prompts.AnswerFolder(L"C:\\CD");
    EXPECT_TRUE(Route(WM_SYSCHAR, L'a'));  // the first "&Auswahl ..." after the focus
    EXPECT_EQ(Slot(kRootSlot), L"C:\\CD\\");

    // Enter and Escape have no meaning of their own: nothing is picked, saved or closed.
    SetFocus(Get(ControlKind::LabelBox, 0));
    Route(WM_KEYDOWN, VK_RETURN);
    Route(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_TRUE(IsWindow(window.Handle()));
    EXPECT_EQ(Slot(kRootSlot), L"C:\\CD\\");
    EXPECT_EQ(prompts.Calls().size(), 1u);
}

}  // namespace
}  // namespace velquor::testing
