// Showing the main window the way the program starts it.
#include "main_window_fixture.h"
#include "util/window_services_win.h"

namespace velquor::testing {
namespace {

using MainWindowShowTest = MainWindowTest;

TEST_F(MainWindowShowTest, AShortcutSetToMaximisedOpensTheWindowInItsOwnSize) {
    RECT before;
    GetWindowRect(window.Handle(), &before);

    ShowFixedSizeWindow(window.Handle(), SW_SHOWMAXIMIZED);
    PumpMessages();

    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_FALSE(IsZoomed(window.Handle()));
    RECT after;
    GetWindowRect(window.Handle(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

}  // namespace
}  // namespace velquor::testing
