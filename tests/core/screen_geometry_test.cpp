#include "util/screen_geometry.h"

#include <gtest/gtest.h>

#include "util/clock.h"

namespace velquor {
namespace {

TEST(ScreenGeometryTest, CentredOriginCentresOnTheWorkAreaCuttingHalvesTowardZero) {
    struct Case {
        PixelRect area;
        Size window;
        int x, y;
    };
    const Case cases[] = {
        {{0, 0, 1024, 768}, {600, 400}, 212, 184},
        {{0, 0, 1025, 769}, {600, 400}, 212, 184},  // odd remainder dropped
        {{0, 0, 640, 480}, {800, 600}, -80, -60},   // larger than the area
        {{0, 0, 640, 480}, {641, 481}, 0, 0},       // -0.5 cut toward zero, not down to -1
        {{0, 0, 640, 480}, {643, 483}, -1, -1},
        {{0, 0, 1280, 984}, {600, 400}, 340, 292},           // a taskbar 40 pixels high below
        {{0, 40, 1280, 984}, {600, 400}, 340, 332},          // the same taskbar at the top
        {{1920, 0, 1280, 1024}, {600, 400}, 2260, 312},      // a second monitor on the right
        {{-1280, -200, 1280, 1024}, {600, 400}, -940, 112},  // one on the left, set higher
        {{-1280, 0, 640, 480}, {643, 483}, -1281, -1},       // cut toward zero there too
    };
    for (const Case& c : cases) {
        const Point p = CentredOrigin(c.area, c.window);
        EXPECT_EQ(p.x, c.x) << c.area.left << "," << c.area.top;
        EXPECT_EQ(p.y, c.y) << c.area.left << "," << c.area.top;
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
