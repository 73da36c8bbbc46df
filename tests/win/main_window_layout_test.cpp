#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "app/view_layout.h"
#include "main_window_fixture.h"
#include "resources/resource_ids.h"
#include "util/maker.h"
#include "util/screen_geometry.h"

namespace velquor::testing {
namespace {

int Dpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int Px(int twips) {
    return TwipsToPixels(twips, Dpi());
}

// The layout tests run once more on a screen of 120 dots per inch; this makes sure that run
// really had one.
TEST(ScreenResolutionTest, IsTheOneThisRunAskedFor) {
    const char* expected = std::getenv("VELQUOR_EXPECT_DPI");
    EXPECT_EQ(Dpi(), expected ? std::atoi(expected) : 96);
}

RECT ClientRectOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Outer(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

bool Shown(HWND control) {
    return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool ExtraStep(const ControlRow& c) {
    const int frame = c.kind == ControlKind::Frame ? c.index : c.frame;
    return frame == kContextFrame || frame == kIconFrame;
}

class MainWindowLayoutTest : public MainWindowTest {
  protected:
    // Every control where the table puts it, with the command frame at `commandFrameTop`.
    void ExpectControlsPlaced(int commandFrameTop, int clientHeightTwips) {
        for (const ControlRow& c : MainWindowControls()) {
            TwipsRect t = ClientRectTwips(c, commandFrameTop);
            if (c.kind == ControlKind::StatusBar) {
                t.top = clientHeightTwips - t.height;
            }
            const RECT r = ClientRectOf(Get(c.kind, c.index));
            const int id = ControlId(c.kind, c.index);
            EXPECT_NEAR(r.left, Px(t.left), 1) << id;
            EXPECT_NEAR(r.top, Px(t.top), 1) << id;
            EXPECT_NEAR(r.right - r.left, Px(t.width), 1) << id;
            EXPECT_NEAR(r.bottom - r.top, Px(t.height), 1) << id;
        }
    }
    void ExpectCentred() {
        const RECT r = Outer(window.Handle());
        // The work area as the system reports it for the primary monitor, where the window is.
        RECT work;
        ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
        const Point origin =
            CentredOrigin({work.left, work.top, work.right - work.left, work.bottom - work.top},
                          {r.right - r.left, r.bottom - r.top});
        EXPECT_NEAR(r.left, origin.x, 1);
        EXPECT_NEAR(r.top, origin.y, 1);
    }
    void ExpectClientHeight(int twips) {
        RECT client;
        GetClientRect(window.Handle(), &client);
        EXPECT_NEAR(client.right, Px(kClientWidth), 1);
        EXPECT_NEAR(client.bottom, Px(twips), 1);
    }
};

TEST_F(MainWindowLayoutTest, OpensCompactAndCentred) {
    EXPECT_EQ(WindowText(window.Handle()), L"Velquor");
    EXPECT_EQ(Text(ControlKind::Button, kToggleViewButton), L"Erweiterte Ansicht >>");
    for (const ControlRow& c : MainWindowControls()) {
        const bool expected = !ExtraStep(c) && c.kind != ControlKind::LongNameBox;
        EXPECT_EQ(Shown(Get(c.kind, c.index)), expected) << ControlId(c.kind, c.index);
    }
    ExpectClientHeight(kExtendedClientHeight - 2880);
    ExpectControlsPlaced(kContextFrameTop, kExtendedClientHeight - 2880);
    ExpectCentred();
}

TEST_F(MainWindowLayoutTest, ExtendedViewFollowsTheTableAndTogglingTwiceRestoresCompact) {
    const RECT compactOuter = Outer(window.Handle());
    std::vector<RECT> compactRects;
    for (const ControlRow& c : MainWindowControls()) {
        compactRects.push_back(ClientRectOf(Get(c.kind, c.index)));
    }

    Click(kToggleViewButton);
    EXPECT_EQ(Text(ControlKind::Button, kToggleViewButton), L"Kompakte Ansicht <<");
    ExpectClientHeight(kExtendedClientHeight);
    ExpectControlsPlaced(4800, kExtendedClientHeight);
    for (const ControlRow& c : MainWindowControls()) {
        EXPECT_EQ(Shown(Get(c.kind, c.index)), c.kind != ControlKind::LongNameBox);
    }
    const RECT extendedOuter = Outer(window.Handle());
    EXPECT_NEAR(
        (extendedOuter.bottom - extendedOuter.top) - (compactOuter.bottom - compactOuter.top),
        Px(2880), 1);
    ExpectCentred();

    Click(kToggleViewButton);
    EXPECT_EQ(Text(ControlKind::Button, kToggleViewButton), L"Erweiterte Ansicht >>");
    const RECT againOuter = Outer(window.Handle());
    EXPECT_TRUE(EqualRect(&compactOuter, &againOuter));
    std::size_t i = 0;
    for (const ControlRow& c : MainWindowControls()) {
        const RECT r = ClientRectOf(Get(c.kind, c.index));
        EXPECT_TRUE(EqualRect(&r, &compactRects[i++])) << ControlId(c.kind, c.index);
        EXPECT_EQ(Shown(Get(c.kind, c.index)), !ExtraStep(c) && c.kind != ControlKind::LongNameBox);
    }
}

TEST_F(MainWindowLayoutTest, CaptionsFromTheControlTable) {
    for (const ControlRow& c : MainWindowControls()) {
        const bool fixedCaption =
            c.kind == ControlKind::Frame || c.kind == ControlKind::ColumnHeading ||
            c.kind == ControlKind::TargetTypeOption || c.kind == ControlKind::LongNameBox ||
            (c.kind == ControlKind::Button && c.index != kToggleViewButton);
        if (fixedCaption) {
            EXPECT_EQ(Text(c.kind, c.index), c.caption) << ControlId(c.kind, c.index);
        }
    }
}

TEST_F(MainWindowLayoutTest, TabOrderRunsThroughTheStepsToTheCommands) {
    std::vector<int> expected;
    for (const ControlRow& c : MainWindowControls()) {
        const bool focusable = c.kind == ControlKind::PathBox || c.kind == ControlKind::LabelBox ||
                               c.kind == ControlKind::TargetTypeOption ||
                               c.kind == ControlKind::Button || c.kind == ControlKind::LongNameBox;
        // An automatic option button keeps the tab stop on the selected member only.
        const bool unselectedOption = c.kind == ControlKind::TargetTypeOption && c.index == 1;
        if (focusable && !unselectedOption) {
            expected.push_back(ControlId(c.kind, c.index));
        }
    }
    // Steps (3) and (4) are first shown, and so made, after the compact view enabled the rest.
    ChooseRoot(L"C:\\Projekt");
    prompts.AnswerDocument(L"C:\\Projekt\\a.txt");
    Click(kTargetPickButton);
    Click(kToggleViewButton);
    std::vector<int> zOrder;
    for (HWND child = GetWindow(window.Handle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) {
            zOrder.push_back(GetDlgCtrlID(child));
        }
    }
    EXPECT_EQ(zOrder, expected);

    // What Tab really visits in the extended view once everything is enabled.
    std::vector<int> visited;
    HWND first = Get(ControlKind::PathBox, 0);
    HWND at = first;
    do {
        visited.push_back(GetDlgCtrlID(at));
        at = GetNextDlgTabItem(window.Handle(), at, FALSE);
    } while (at && at != first && visited.size() < 100);
    std::erase(expected, ControlId(ControlKind::LongNameBox, 0));
    EXPECT_EQ(visited, expected);

    // The arrow keys move between the two options, whichever lies on top.
    const HWND document = Get(ControlKind::TargetTypeOption, 0);
    const HWND folder = Get(ControlKind::TargetTypeOption, 1);
    EXPECT_EQ(GetNextDlgGroupItem(window.Handle(), document, FALSE), folder);
    EXPECT_EQ(GetNextDlgGroupItem(window.Handle(), folder, FALSE), document);
}

// The document option's rectangle reaches over the left of the folder option's circle. Both empty,
// the folder option's circle must show there what the document option's shows at its left.
TEST_F(MainWindowLayoutTest, BothOptionCirclesShowWhole) {
    SendMessageW(Get(ControlKind::TargetTypeOption, 0), BM_SETCHECK, BST_UNCHECKED, 0);
    ShowWindow(window.Handle(), SW_SHOWNOACTIVATE);  // a hidden window paints nothing
    UpdateWindow(window.Handle());
    const RECT d = ClientRectOf(Get(ControlKind::TargetTypeOption, 0));
    const RECT f = ClientRectOf(Get(ControlKind::TargetTypeOption, 1));
    ASSERT_GT(d.right, f.left);
    HDC dc = GetDC(window.Handle());
    std::vector<COLORREF> documentCircle, folderCircle;
    for (int y = 0; y < d.bottom - d.top; ++y) {
        for (int x = 0; x < d.right - f.left; ++x) {
            documentCircle.push_back(GetPixel(dc, d.left + x, d.top + y));
            folderCircle.push_back(GetPixel(dc, f.left + x, f.top + y));
        }
    }
    ReleaseDC(window.Handle(), dc);
    EXPECT_GT(std::set(documentCircle.begin(), documentCircle.end()).size(), 1u);
    EXPECT_EQ(folderCircle, documentCircle);
}

TEST_F(MainWindowLayoutTest, WindowAndControlStyles) {
    const LONG style = GetWindowLongW(window.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_NE(GetClassLongPtrW(window.Handle(), GCLP_HICON), 0);

    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_TRUE(GetWindowLongW(Get(ControlKind::PathBox, slot), GWL_STYLE) & ES_READONLY);
    }
    for (int row = 0; row < kContextRowCount; ++row) {
        EXPECT_FALSE(GetWindowLongW(Get(ControlKind::LabelBox, row), GWL_STYLE) & ES_READONLY);
    }
    HWND longNames = Get(ControlKind::LongNameBox, 0);
    EXPECT_FALSE(IsWindowVisible(longNames));
    EXPECT_EQ(SendMessageW(longNames, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Get(ControlKind::TargetTypeOption, 0), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_NE(SendMessageW(Get(ControlKind::Logo, 0), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    EXPECT_EQ(window.ShownPreview().kind, PreviewKind::Placeholder);
}

TEST_F(MainWindowLayoutTest, FontsAndColours) {
    auto weightOf = [](HWND control, std::wstring* face = nullptr) {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        if (face) {
            *face = font.lfFaceName;
        }
        return font.lfWeight;
    };
    std::wstring face;
    EXPECT_GE(weightOf(Get(ControlKind::Frame, kCommandFrame), &face), FW_BOLD);
    EXPECT_EQ(face, L"MS Sans Serif");
    EXPECT_GE(weightOf(Get(ControlKind::Button, kOkButton)), FW_BOLD);
    EXPECT_LT(weightOf(Get(ControlKind::Button, kQuitButton)), FW_BOLD);
    EXPECT_LT(weightOf(Get(ControlKind::ColumnHeading, 0)), FW_BOLD);

    HDC dc = CreateCompatibleDC(nullptr);
    auto colourFor = [&](UINT message, HWND control) {
        SetTextColor(dc, RGB(1, 2, 3));
        SendMessageW(window.Handle(), message, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(control));
        return GetTextColor(dc);
    };
    for (int slot = 0; slot < kSlotCount; ++slot) {
        EXPECT_EQ(colourFor(WM_CTLCOLORSTATIC, Get(ControlKind::PathBox, slot)), RGB(0, 0, 192));
    }
    EXPECT_NE(colourFor(WM_CTLCOLOREDIT, Get(ControlKind::LabelBox, 0)), RGB(0, 0, 192));
    DeleteDC(dc);
}

TEST_F(MainWindowLayoutTest, ToolTipsAndTheHandOverTheLogo) {
    struct Case {
        ControlKind kind;
        const wchar_t* tip;
    };
    for (const Case& c : {Case{ControlKind::IconPreview, kIconPreviewTip},
                          Case{ControlKind::Logo, kMakerLogoTip}}) {
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window.Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Get(c.kind, 0));
        tool.lpszText = text;
        SendMessageW(window.ToolTips(), TTM_GETTEXTW, std::size(text),
                     reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, c.tip);
    }
    HWND logo = Get(ControlKind::Logo, 0);
    EXPECT_TRUE(SendMessageW(window.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(logo),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

// The clock panels take the user's formats: whatever the platform makes of that moment.
TEST_F(MainWindowLayoutTest, StatusBarShowsTimeAndDate) {
    HWND status = Get(ControlKind::StatusBar, 0);
    ASSERT_EQ(SendMessageW(status, SB_GETPARTS, 0, 0), 3);
    const struct {
        int panel;
        std::wstring (*format)(const SYSTEMTIME&);
    } panels[] = {{1, UserLongTime}, {2, UserShortDate}};
    for (const auto& p : panels) {
        wchar_t text[80] = {};
        SendMessageW(status, SB_GETTEXTW, p.panel, reinterpret_cast<LPARAM>(text));
        EXPECT_TRUE(ShowsOneOf(text, p.format, createdBefore, createdAfter)) << p.panel;
    }
}

}  // namespace
}  // namespace velquor::testing
