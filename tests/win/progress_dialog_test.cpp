// The timed progress dialog, watched from outside: a hook records every bar position it is
// given and when, and what the dialog looked like.
#include "dialogs/progress_dialog_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "dialogs/progress_steps.h"
#include "util/program_windows_win.h"

namespace velquor {
namespace {

double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

struct BarSetting {
    int position;
    double atMs;
};

struct DialogLook {
    std::wstring title;
    DWORD style = 0;
    RECT frame{};
    RECT client{};
    RECT bar{};
    std::wstring text;
    HWND owner = nullptr;
    bool visible = false;
};

// Records what the thread's windows are sent while the dialog runs.
class ProgressWatch {
  public:
    ProgressWatch() {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
    }
    ~ProgressWatch() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }

    std::vector<BarSetting> settings;
    std::vector<DialogLook> shown;  // one per time a dialog was shown
    std::vector<POINT> createdAt;   // where each dialog was made

  private:
    static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_) {
            if (sent->message == PBM_SETPOS) {
                current_->settings.push_back({static_cast<int>(sent->wParam), NowMs()});
            } else if (sent->message == WM_SHOWWINDOW && sent->wParam && IsDialog(sent->hwnd)) {
                current_->shown.push_back(Look(sent->hwnd));
            } else if (sent->message == WM_NCCREATE && IsDialog(sent->hwnd)) {
                const auto* made = reinterpret_cast<const CREATESTRUCTW*>(sent->lParam);
                current_->createdAt.push_back({made->x, made->y});
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static bool IsDialog(HWND window) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        return std::wstring(name) == kProgressDialogClass;
    }

    static DialogLook Look(HWND dialog) {
        DialogLook look;
        look.title = TextOf(dialog);
        look.style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
        GetWindowRect(dialog, &look.frame);
        GetClientRect(dialog, &look.client);
        const HWND bar = FindWindowExW(dialog, nullptr, PROGRESS_CLASSW, nullptr);
        GetWindowRect(bar, &look.bar);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&look.bar), 2);
        look.text = TextOf(FindWindowExW(dialog, nullptr, L"STATIC", nullptr));
        look.owner = GetWindow(dialog, GW_OWNER);
        look.visible = true;
        return look;
    }

    static inline ProgressWatch* current_ = nullptr;
    HHOOK hook_ = nullptr;
};

class ProgressDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        owner = CreateWindowExW(0, L"STATIC", L"Besitzer", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        if (IsWindow(owner)) {
            DestroyWindow(owner);
        }
    }

    ProgressEnd Run(const wchar_t* steps, const wchar_t* title = L"Test") {
        const double start = NowMs();
        const ProgressEnd end = RunProgressDialog(owner, steps, title, windows);
        elapsedMs = NowMs() - start;
        return end;
    }
    static bool AnyDialogLeft() { return FindWindowW(kProgressDialogClass, nullptr) != nullptr; }

    HWND owner = nullptr;
    ProgramWindows windows{[] {}};
    ProgressWatch watch;
    double elapsedMs = 0;
};

TEST_F(ProgressDialogTest, TheSystemCheckShowsEveryValueForItsTimeAndEndsOnAFullBar) {
    ASSERT_EQ(Run(kSystemCheckSteps, kSystemCheckTitle), ProgressEnd::Completed);

    EXPECT_GE(elapsedMs, 2900.0);
    const int expected[] = {0, 13, 33, 68, 77, 90, 100};
    const int holds[] = {300, 100, 400, 1000, 500, 100, 500};
    ASSERT_EQ(watch.settings.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(watch.settings[i].position, expected[i]) << i;
        const double shownUntil = i + 1 < std::size(expected) ? watch.settings[i + 1].atMs : 0;
        if (shownUntil > 0) {
            // Timers may fire a clock tick early against the performance counter.
            EXPECT_GE(shownUntil - watch.settings[i].atMs, holds[i] - 16) << i;
        }
    }
    EXPECT_FALSE(AnyDialogLeft());

    ASSERT_EQ(watch.shown.size(), 1u);
    const DialogLook& look = watch.shown[0];
    EXPECT_EQ(look.title, L"Velquor - System-Check");
    EXPECT_EQ(look.text, L"Bitte warten ...");
    EXPECT_EQ(look.owner, owner);
    // 6150 x 945 twips, the bar at 120, 120, 5895 x 435, at 15 twips per pixel.
    EXPECT_EQ(look.client.right, 410);
    EXPECT_EQ(look.client.bottom, 63);
    EXPECT_EQ(look.bar.left, 8);
    EXPECT_EQ(look.bar.top, 8);
    EXPECT_EQ(look.bar.right - look.bar.left, 393);
    EXPECT_EQ(look.bar.bottom - look.bar.top, 29);
    // A fixed frame without minimise, maximise or close box.
    EXPECT_TRUE(look.style & WS_CAPTION);
    EXPECT_FALSE(look.style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    // Made in its place, centred on the work area of the owner's monitor.
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const RECT& frame = look.frame;
    EXPECT_EQ(frame.left, work.left + (work.right - work.left - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2);
    ASSERT_EQ(watch.createdAt.size(), 1u);
    EXPECT_EQ(watch.createdAt[0].x, frame.left);
    EXPECT_EQ(watch.createdAt[0].y, frame.top);
}

TEST_F(ProgressDialogTest, ShortListsPlayTheirFullPairsOnly) {
    struct Case {
        const wchar_t* steps;
        std::vector<int> positions;
        double atLeastMs;
    };
    const Case cases[] = {
        {L"", {}, 0},  // shown and gone at once
        {L"40", {}, 0},
        {L"20,30,60", {20}, 30},  // the unpaired 60 is never shown
        {L"10,40,55.6,30,100,20", {10, 56, 100}, 90},
        {L"50,0,70,-5,90,25", {50, 70, 90}, 25},  // no wait without a hold time
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.steps));
        watch.settings.clear();
        watch.shown.clear();
        ASSERT_EQ(Run(c.steps, L""), ProgressEnd::Completed);
        std::vector<int> positions;
        for (const BarSetting& s : watch.settings) {
            positions.push_back(s.position);
        }
        EXPECT_EQ(positions, c.positions);
        EXPECT_GE(elapsedMs, c.atLeastMs - 16);
        EXPECT_LT(elapsedMs, 2000.0);
        ASSERT_EQ(watch.shown.size(), 1u);
        EXPECT_EQ(watch.shown[0].title, L"Velquor");
        EXPECT_FALSE(AnyDialogLeft());
    }
}

// A timer procedure runs inside the dialog's waiting, as a click of the user would.
HWND gOwnerToClose = nullptr;

TEST_F(ProgressDialogTest, TheOwnerGoingAwayEndsTheWaitAtOnce) {
    gOwnerToClose = owner;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        DestroyWindow(gOwnerToClose);
    });
    EXPECT_EQ(Run(L"10,5000,20,5000"), ProgressEnd::OwnerClosed);
    KillTimer(nullptr, timer);
    EXPECT_LT(elapsedMs, 2000.0);
    EXPECT_FALSE(AnyDialogLeft());
    ASSERT_EQ(watch.settings.size(), 1u);  // the second value never came
}

TEST_F(ProgressDialogTest, AQuitEndsTheWaitAndIsPostedAgainForTheProgramsLoop) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        PostQuitMessage(7);
    });
    EXPECT_EQ(Run(L"10,5000"), ProgressEnd::Quit);
    KillTimer(nullptr, timer);
    EXPECT_LT(elapsedMs, 2000.0);
    EXPECT_FALSE(AnyDialogLeft());
    MSG quit;
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
}

}  // namespace
}  // namespace velquor
