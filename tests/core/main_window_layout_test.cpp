#include <gtest/gtest.h>

#include <set>

#include "app/main_window_controls.h"
#include "app/view_layout.h"

namespace velquor {
namespace {

TEST(MainWindowControlsTest, IdentifiersAreUniqueAndAvoidOkAndCancel) {
    std::set<int> ids;
    for (const ControlRow& c : MainWindowControls()) {
        const int id = ControlId(c.kind, c.index);
        EXPECT_TRUE(ids.insert(id).second) << id;
        EXPECT_GT(id, 2) << "IDOK and IDCANCEL belong to Enter and Escape";
    }
}

TEST(MainWindowControlsTest, FocusableControlsAreCreatedInTabOrder) {
    int last = -1;
    std::set<int> tabIndices;
    for (const ControlRow& c : MainWindowControls()) {
        if (c.tabIndex == kNoTabStop) {
            continue;
        }
        EXPECT_TRUE(tabIndices.insert(c.tabIndex).second) << c.tabIndex;
        if (c.kind != ControlKind::Frame && c.kind != ControlKind::ColumnHeading) {
            EXPECT_GT(c.tabIndex, last);
            last = c.tabIndex;
        }
    }
    EXPECT_EQ(tabIndices.size(), 38u);  // 0..37
}

TEST(MainWindowControlsTest, EveryControlLiesInsideItsFrame) {
    for (const ControlRow& c : MainWindowControls()) {
        if (c.frame == kNoFrame) {
            continue;
        }
        const TwipsRect frame = FindControl(ControlKind::Frame, c.frame)->rect;
        EXPECT_LE(c.rect.left + c.rect.width, frame.width) << ControlId(c.kind, c.index);
        EXPECT_LE(c.rect.top + c.rect.height, frame.height) << ControlId(c.kind, c.index);
    }
}

TEST(MainWindowControlsTest, ClientRectsAddTheFrameOrigin) {
    struct Case {
        ControlKind kind;
        int index;
        int commandFrameTop;
        TwipsRect expected;
    };
    const Case cases[] = {
        {ControlKind::PathBox, 0, 4800, {300, 420, 5415, 315}},
        {ControlKind::Button, 42, 4800, {7500, 3300, 1035, 315}},
        {ControlKind::PathBox, 5, 4800, {300, 4200, 4095, 315}},
        {ControlKind::Button, 1, 4800, {7380, 5460, 1155, 375}},
        {ControlKind::Button, 1, 1920, {7380, 2580, 1155, 375}},
        {ControlKind::Frame, 5, 1920, {120, 1920, 8535, 1155}},
        {ControlKind::Frame, 2, 1920, {120, 1920, 8535, 1875}},
        {ControlKind::StatusBar, 0, 1920, {0, 6105, 8775, 255}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClientRectTwips(*FindControl(c.kind, c.index), c.commandFrameTop), c.expected)
            << ControlId(c.kind, c.index) << " at " << c.commandFrameTop;
    }
}

TEST(ViewLayoutTest, CompactAndExtendedViews) {
    struct Case {
        bool compact;
        double savedTop;
        double savedHeight;
        ViewLayout expected;
    };
    const Case cases[] = {
        {true, 4800, 6885, {false, kExtendedViewCaption, 1920, 4005}},
        {false, 4800, 6885, {true, kCompactViewCaption, 4800, 6885}},
        // A height measured in pixels at 168 DPI is no whole number of twips.
        {true, 4800, 6882.857, {false, kExtendedViewCaption, 1920, 4003}},
        {false, 4800, 6882.4, {true, kCompactViewCaption, 4800, 6882}},
    };
    for (const Case& c : cases) {
        const ViewLayout got = LayoutForView(c.compact, c.savedTop, c.savedHeight);
        EXPECT_EQ(got.extraStepsVisible, c.expected.extraStepsVisible);
        EXPECT_EQ(got.toggleCaption, c.expected.toggleCaption);
        EXPECT_EQ(got.commandFrameTop, c.expected.commandFrameTop);
        EXPECT_EQ(got.windowHeight, c.expected.windowHeight);
    }
}

}  // namespace
}  // namespace velquor
