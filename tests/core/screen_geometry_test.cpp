#include "util/screen_geometry.h"

#include <gtest/gtest.h>

#include "util/clock.h"

namespace velquor {
namespace {

TEST(ScreenGeometryTest, CentredOriginCutsHalvesTowardZero) {
    struct Case {
        Size screen, window;
        int x, y;
    };
    const Case cases[] = {
        {{1024, 768}, {600, 400}, 212, 184},
        {{1025, 769}, {600, 400}, 212, 184},  // odd remainder dropped
        {{640, 480}, {800, 600}, -80, -60},   // larger than the screen
        {{640, 480}, {641, 481}, 0, 0},       // -0.5 cut toward zero, not down to -1
        {{640, 480}, {643, 483}, -1, -1},
    };
    for (const Case& c : cases) {
        const Point p = CentredOrigin(c.screen, c.window);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
    }
}

TEST(ScreenGeometryTest, TwipsToPixelsFollowsTheScreenResolution) {
    EXPECT_DOUBLE_EQ(TwipsPerPixel(96), 15.0);
    EXPECT_DOUBLE_EQ(TwipsPerPixel(120), 12.0);
    EXPECT_EQ(TwipsToPixels(8775, 96), 585);
    EXPECT_EQ(TwipsToPixels(8775, 120), 731);  // 731.25
    EXPECT_EQ(TwipsToPixels(315, 96), 21);
    EXPECT_EQ(TwipsToPixels(2880, 96), 192);
}

TEST(ClockTextTest, MidnightShowsTheDateAlone) {
    EXPECT_EQ(CreationTimeText(L"14.05.2004", L"09:30:15", 9, 30, 15), L"14.05.2004 09:30:15");
    EXPECT_EQ(CreationTimeText(L"14.05.2004", L"00:00:00", 0, 0, 0), L"14.05.2004");
    EXPECT_EQ(CreationTimeText(L"14.05.2004", L"00:00:01", 0, 0, 1), L"14.05.2004 00:00:01");
    EXPECT_EQ(FourDigitYear(2004), L"2004");
    EXPECT_EQ(FourDigitYear(987), L"0987");
}

}  // namespace
}  // namespace velquor
