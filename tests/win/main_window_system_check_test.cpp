// "&Prüfe Autostart-Optionen von Windows": the timed sequence, then the report; the window
// stays usable meanwhile and may even go away.
#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "support/registry_changes_win.h"

namespace velquor::testing {
namespace {

class MainWindowSystemCheckTest : public MainWindowTest {
  protected:
    // Clicks the button; what was posted before happens while the sequence runs.
    void RunCheck() {
        const ULONGLONG start = GetTickCount64();
        Click(kSystemCheckButton);
        elapsedMs = GetTickCount64() - start;
    }
    void PostClick(int button) { PostMessageW(Get(ControlKind::Button, button), BM_CLICK, 0, 0); }

    ULONGLONG elapsedMs = 0;
};

TEST_F(MainWindowSystemCheckTest, TheReportOfThisComputerFollowsTheFullSequence) {
    RegistryChanges registry;
    registry.SetDword(HKEY_CURRENT_USER,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoplayHandlers",
                      L"DisableAutoplay", 1);
    prompts.AnswerMessage(kAnswerOk);
    RunCheck();
    EXPECT_GE(elapsedMs, 2900u);
    const auto messages = prompts.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].style, static_cast<int>(MessageStyle::Information));
    EXPECT_TRUE(messages[0].text.starts_with(
        L"Folgende Einstellungen dieses Computers verhindern den CD-Autostart:\r\rDie "
        L"automatische Wiedergabe ist für diesen Benutzer ausgeschaltet"))
        << messages[0].text;
}

TEST_F(MainWindowSystemCheckTest, OtherButtonsWorkMeanwhileAndASecondStartIsIgnored) {
    prompts.AnswerMessage(kAnswerOk);
    PostClick(kSystemCheckButton);
    PostClick(kToggleViewButton);
    RunCheck();
    EXPECT_LT(elapsedMs, 2 * 2900u);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text, L"Alle Einstellungen sind korrekt ...");
    EXPECT_EQ(Text(ControlKind::Button, kToggleViewButton), L"Kompakte Ansicht <<");
    PumpMessages();  // nothing of the ignored start is left to run later
    EXPECT_EQ(prompts.Messages().size(), 1u);
}

TEST_F(MainWindowSystemCheckTest, EndingOrClosingMeanwhileEndsTheSequenceWithoutAReport) {
    for (const bool viaEndButton : {true, false}) {
        SCOPED_TRACE(viaEndButton ? "Beenden" : "close box");
        if (!window.Handle()) {
            ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr)));
        }
        const HWND main = window.Handle();
        if (viaEndButton) {
            PostClick(kQuitButton);
        } else {
            PostMessageW(main, WM_CLOSE, 0, 0);
        }
        lastWindowClosed = 0;
        RunCheck();
        EXPECT_LT(elapsedMs, 2900u);
        EXPECT_FALSE(IsWindow(main));
        EXPECT_EQ(window.Handle(), nullptr);
        EXPECT_EQ(lastWindowClosed, 1);
        EXPECT_TRUE(prompts.Messages().empty());
        EXPECT_EQ(FindWindowW(L"VelquorProgressDialog", nullptr), nullptr);
    }
}

}  // namespace
}  // namespace velquor::testing
