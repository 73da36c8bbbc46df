// The real main window, created in-process with scripted prompts and a fixed clock.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/main_window_win.h"
#include "support/fixed_clock.h"
#include "support/scripted_prompts.h"
#include "support/user_formats_win.h"
#include "util/file_services.h"
#include "util/program_windows_win.h"

namespace velquor::testing {

inline std::wstring WindowText(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
    return text;
}

// Processes whatever is pending, so that posted messages and timers have run.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        // Left hidden: under Wine without a window manager, hiding or destroying a shown
        // window waits two seconds for the manager. Visibility is read from WS_VISIBLE.
        createdBefore = LocalNow();
        ASSERT_TRUE(window.Create(GetModuleHandleW(nullptr)));
        createdAfter = LocalNow();
    }
    void TearDown() override { EXPECT_TRUE(prompts.AllAnswersUsed()); }

    HWND Get(ControlKind kind, int index) const { return window.Control(kind, index); }
    void Click(int button) { SendMessageW(Get(ControlKind::Button, button), BM_CLICK, 0, 0); }
    void ClickOption(int index) {
        SendMessageW(Get(ControlKind::TargetTypeOption, index), BM_CLICK, 0, 0);
    }
    std::wstring Text(ControlKind kind, int index) const { return WindowText(Get(kind, index)); }
    std::wstring Slot(int slot) const { return Text(ControlKind::PathBox, slot); }
    std::wstring Label(int row) const { return Text(ControlKind::LabelBox, row); }
    bool Enabled(int button) const { return IsWindowEnabled(Get(ControlKind::Button, button)); }
    void TypeLabel(int row, const std::wstring& text) {
        SetWindowTextW(Get(ControlKind::LabelBox, row), text.c_str());
    }
    void ChooseRoot(const std::wstring& folder) {
        prompts.AnswerFolder(folder);
        Click(kRootPickButton);
    }

    ScriptedPrompts prompts;
    FixedClock clock{L"14.05.2004 09:30:15", L"2004"};
    int lastWindowClosed = 0;
    ProgramWindows windows{[this] { ++lastWindowClosed; }};
    MainWindow window{prompts, clock, windows, ProgramFolder()};
    // The local time just before and just after the window was created; what it shows of the
    // clock was read in between.
    SYSTEMTIME createdBefore{};
    SYSTEMTIME createdAfter{};
};

}  // namespace velquor::testing
