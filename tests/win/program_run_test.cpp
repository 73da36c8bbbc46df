// Starting the program: a window whose creation fails is not shown half-built, and the user
// is told instead of the program ending silently.
#include "app/program_run_win.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/scripted_prompts.h"
#include "util/program_windows_win.h"
#include "util/window_base_win.h"

namespace velquor::testing {
namespace {

constexpr wchar_t kFailingClass[] = L"VelquorTestFailingWindow";

// Fails while it builds its contents, as the main window would if a control could not be made.
class FailingWindow : public WindowBase {
  public:
    HWND Create() {
        WNDCLASSEXW wc{};
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kFailingClass;
        if (!RegisterClassOnce(wc)) {
            return nullptr;
        }
        return CreateFor(kFailingClass, L"", WS_OVERLAPPEDWINDOW, 0, {0, 0, 200, 100},
                         wc.hInstance);
    }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_CREATE:
                CreateWindowExW(0, L"BUTTON", L"halb", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                                Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
                throw std::runtime_error("no more controls");
        }
        return Default(message, wParam, lParam);
    }
};

TEST(ProgramRunTest, AFailedMainWindowIsNotShownAndTheUserIsToldInGerman) {
    ProgramWindows windows(QuitMessageLoop);
    ScriptedPrompts prompts;
    prompts.AnswerMessage(kAnswerOk);
    FailingWindow window;
    HWND created = nullptr;

    const int exitCode = RunProgram(
        [&] {
            // As when a window that had counted itself went away: the last one posts a quit.
            PostQuitMessage(0);
            created = window.Create();
            return created;
        },
        SW_SHOWNORMAL, windows, prompts);

    EXPECT_EQ(exitCode, kStartFailureExitCode);
    EXPECT_NE(exitCode, 0);
    EXPECT_EQ(created, nullptr);
    EXPECT_EQ(FindWindowW(kFailingClass, nullptr), nullptr);  // nothing half-built is left
    EXPECT_EQ(windows.Count(), 0u);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].text, kStartFailureMessage);
    EXPECT_EQ(prompts.Messages()[0].style, 16);
    // The quit was taken out before the message, which it would otherwise close at once.
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace velquor::testing
