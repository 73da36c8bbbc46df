// The real about box, opened beside the real main window with scripted prompts.
#include "dialogs/about_box_win.h"

#include <gtest/gtest.h>

#include <functional>

#include "dialogs/about_box.h"
#include "main_window_fixture.h"
#include "resources/resource_ids.h"

namespace velquor::testing {
namespace {

// The running Windows as "major.minor.build", read here without the program's own helpers.
std::wstring WindowsVersionText() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&info);
#pragma GCC diagnostic pop
    return std::to_wstring(info.dwMajorVersion) + L"." + std::to_wstring(info.dwMinorVersion) +
           L"." + std::to_wstring(info.dwBuildNumber);
}

void ClickButton(HWND box, int id) {
    SendMessageW(GetDlgItem(box, id), BM_CLICK, 0, 0);
}

// What the static control sends when it is clicked.
void ClickLogo(HWND box) {
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(kAboutLogoId, STN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, kAboutLogoId)));
}

class AboutBoxWindowTest : public MainWindowTest {
  protected:
    void TearDown() override {
        if (HWND box = OpenAboutBox()) {
            DestroyWindow(box);  // it refers to this test's prompts and windows
        }
        MainWindowTest::TearDown();
    }

    HWND Open(Clock& withClock) {
        return ShowAboutBox(window.Handle(), prompts, withClock, windows);
    }
    HWND Open() { return Open(clock); }

    // Keys go through the program's message loop, which routes them to the dialog manager.
    void PressKey(UINT key) {
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
        PostMessageW(GetFocus(), WM_KEYUP, key, 0xC0000001);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!windows.RouteDialogMessage(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
};

TEST_F(AboutBoxWindowTest, IsAFixedBoxWithoutTaskBarButtonShowingTheClocksYear) {
    FixedClock clock2031{L"", L"2031"};
    const HWND box = Open(clock2031);
    ASSERT_TRUE(IsWindow(box));
    EXPECT_EQ(WindowText(box), L"Velquor - Info");
    // The year comes from the clock; the label breaks its lines at CR LF.
    const std::wstring text = WindowText(GetDlgItem(box, kAboutTextId));
    EXPECT_EQ(text.substr(0, text.find(L"Copyright")),
              L"Velquor (V1.7) \u2013 macht Autostart-CDs 100% startklar\r\n\r\n");
    EXPECT_NE(text.find(L"vorbehalten. 1995 - 2031\r\n\r\nVelquor gehört"), std::wstring::npos);
    const LONG style = GetWindowLongW(box, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_VISIBLE), WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_EQ(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    const HWND owner = GetWindow(box, GW_OWNER);
    ASSERT_NE(owner, nullptr);  // an owned window has no task-bar button
    EXPECT_NE(owner, window.Handle());
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_EQ(GetFocus(), GetDlgItem(box, kCloseAboutButtonId));
    EXPECT_EQ(windows.Count(), 2u);
}

TEST_F(AboutBoxWindowTest, LinksReachTheShellWithTheirTargetsAndShowModes) {
    const std::wstring windowsVersion = WindowsVersionText();
    const struct {
        const char* name;
        std::function<void(HWND)> click;
        std::wstring target;
        int showMode;
    } cases[] = {
        {"visit", [](HWND b) { ClickButton(b, kVisitMakerButtonId); }, L"www.morvane.example", 3},
        {"logo", ClickLogo, L"www.morvane.example", 3},
        {"update", [](HWND b) { ClickButton(b, kSearchUpdateButtonId); },
         L"www.morvane.example/?find_update&app=velquor&ver=1.7.2&win=" + windowsVersion, 0},
        {"mail", [](HWND b) { ClickButton(b, kWriteMailButtonId); },
         L"mailto:support@morvane.example?subject=Ihre Software Velquor (V1.7) unter Windows " +
             windowsVersion,
         0},
    };
    const HWND box = Open();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.Clear();
        prompts.ExpectShellOpen();
        c.click(box);
        ASSERT_EQ(prompts.Calls().size(), 1u);
        EXPECT_EQ(prompts.Calls()[0].kind, PromptKind::Shell);
        EXPECT_EQ(prompts.Calls()[0].text, c.target);
        EXPECT_EQ(prompts.Calls()[0].style, c.showMode);
        EXPECT_EQ(OpenAboutBox(), box);
    }
}

TEST_F(AboutBoxWindowTest, AFailedLinkIsReportedOnceAndTheBoxStays) {
    const HWND box = Open();
    prompts.FailShellOpen(L"Kein Programm zugeordnet.").AnswerMessage(kAnswerOk);
    ClickButton(box, kWriteMailButtonId);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].style, 16);
    EXPECT_EQ(prompts.Messages()[0].owner, box);  // it blocks the box, not the main window
    EXPECT_NE(prompts.Messages()[0].text.find(L"Kein Programm zugeordnet."), std::wstring::npos);
    EXPECT_EQ(OpenAboutBox(), box);
}

TEST_F(AboutBoxWindowTest, EveryWayOutDestroysTheBoxAndUncountsIt) {
    const struct {
        const char* name;
        std::function<void(HWND)> close;
    } cases[] = {
        {"Schliessen", [](HWND b) { ClickButton(b, kCloseAboutButtonId); }},
        {"close box", [](HWND b) { SendMessageW(b, WM_CLOSE, 0, 0); }},
        {"Escape", [this](HWND) { PressKey(VK_ESCAPE); }},
        {"Enter", [this](HWND) { PressKey(VK_RETURN); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const HWND box = Open();
        c.close(box);
        EXPECT_FALSE(IsWindow(box));
        EXPECT_EQ(OpenAboutBox(), nullptr);
        EXPECT_EQ(windows.Count(), 1u);
        EXPECT_EQ(lastWindowClosed, 0);
    }
}

TEST_F(AboutBoxWindowTest, OneBoxAtATimeAndANewOneIsBuiltAfresh) {
    const HWND first = Open();
    FixedClock clock2031{L"", L"2031"};
    EXPECT_EQ(Open(clock2031), first);
    EXPECT_EQ(windows.Count(), 2u);
    EXPECT_NE(WindowText(GetDlgItem(first, kAboutTextId)).find(L"1995 - 2004"), std::wstring::npos);

    ClickButton(first, kCloseAboutButtonId);
    const HWND second = Open(clock2031);
    ASSERT_TRUE(IsWindow(second));
    EXPECT_NE(WindowText(GetDlgItem(second, kAboutTextId)).find(L"1995 - 2031"),
              std::wstring::npos);
    EXPECT_EQ(windows.Count(), 2u);
}

TEST_F(AboutBoxWindowTest, OutlivesTheMainWindowAndEndsTheRunWhenClosedLast) {
    const HWND box = Open();
    DestroyWindow(window.Handle());
    ASSERT_TRUE(IsWindow(box));
    EXPECT_EQ(lastWindowClosed, 0);
    ClickButton(box, kCloseAboutButtonId);
    EXPECT_EQ(lastWindowClosed, 1);
    EXPECT_EQ(windows.Count(), 0u);
}

TEST_F(AboutBoxWindowTest, QuittingClosesTheBoxWithTheMainWindow) {
    const HWND box = Open();
    windows.CloseAll();
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(OpenAboutBox(), nullptr);
    EXPECT_EQ(lastWindowClosed, 1);
}

TEST_F(AboutBoxWindowTest, ToolTipsAndTheMouseCursorOfTheLogo) {
    const HWND box = Open();
    HWND toolTips = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM found) {
            wchar_t name[64] = {};
            GetClassNameW(w, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW && GetWindow(w, GW_OWNER) == OpenAboutBox()) {
                *reinterpret_cast<HWND*>(found) = w;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&toolTips));
    ASSERT_NE(toolTips, nullptr);
    auto tipOf = [&](int id) {
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = box;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(box, id));
        tool.lpszText = text;
        SendMessageW(toolTips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text);
    };
    EXPECT_EQ(tipOf(kAboutLogoId),
              L"Klicken Sie hier, um noch mehr interessante Morvane-Programme kennenzulernen ...");
    EXPECT_EQ(tipOf(kVisitMakerButtonId),
              L"... startet Ihren Internet-Browser mit dem Ziel www.morvane.example");
    EXPECT_EQ(tipOf(kCloseAboutButtonId), L"... bringt Sie zurück zum Programm");
    EXPECT_EQ(SendMessageW(toolTips, TTM_GETTOOLCOUNT, 0, 0), 3);

    const HCURSOR mouse = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_ABOUT_MOUSE));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(mouse, &info));
    EXPECT_EQ(info.xHotspot, 1u);  // the cord's free end
    EXPECT_EQ(info.yHotspot, 0u);
    EXPECT_EQ(info.hbmColor, nullptr);  // monochrome
    DeleteObject(info.hbmMask);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(box, kAboutTextId)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), mouse);
    SendMessageW(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(box, kAboutLogoId)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), mouse);
}

TEST_F(AboutBoxWindowTest, LaysOutItsControlsInTwipsAtTheScreensResolution) {
    const HWND box = Open();
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT client{};
    GetClientRect(box, &client);
    EXPECT_EQ(client.right, TwipsToPixels(9390, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(4875, dpi));
    // The test display is larger than 640 x 480: centred on the work area.
    RECT frame{};
    GetWindowRect(box, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window.Handle(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    EXPECT_EQ(frame.left, work.left + (work.right - work.left - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2);
    const struct {
        int id;
        TwipsRect twips;
    } cases[] = {
        {kAboutLogoId, {60, 120, 975, 4635}},
        {kAboutTextId, {1140, 120, 8115, 3975}},
        {kAboutDividerId, {1140, 4200, 8160, 0}},  // two pixels thick
        {kVisitMakerButtonId, {1140, 4305, 1605, 495}},
        {kSearchUpdateButtonId, {2805, 4305, 2850, 495}},
        {kWriteMailButtonId, {5715, 4305, 2400, 495}},
        {kCloseAboutButtonId, {8175, 4305, 1125, 495}},
    };
    for (const auto& c : cases) {
        RECT r;
        GetWindowRect(GetDlgItem(box, c.id), &r);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
        const int height = c.id == kAboutDividerId ? 2 : TwipsToPixels(c.twips.height, dpi);
        EXPECT_EQ(r.left, TwipsToPixels(c.twips.left, dpi)) << c.id;
        EXPECT_EQ(r.top, TwipsToPixels(c.twips.top, dpi)) << c.id;
        EXPECT_EQ(r.right - r.left, TwipsToPixels(c.twips.width, dpi)) << c.id;
        EXPECT_EQ(r.bottom - r.top, height) << c.id;
    }
    LOGFONTW font{};
    GetObjectW(
        reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(box, kAboutTextId), WM_GETFONT, 0, 0)),
        sizeof font, &font);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Arial");
    EXPECT_EQ(font.lfHeight, -MulDiv(975, dpi, 7200));
}

}  // namespace
}  // namespace velquor::testing
