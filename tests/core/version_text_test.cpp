#include "util/version_text.h"

#include <gtest/gtest.h>

namespace velquor {
namespace {

TEST(VersionTextTest, ProgramVersionInEachStyle) {
    const ProgramVersion velquor{1, 7, 0, 2};
    struct Case {
        std::uint16_t style;
        const wchar_t* expected;
    };
    const Case cases[] = {{0, L" (V1.7.2)"}, {1, L"1.7.2"}, {256, L" (V1.7)"}, {257, L"1.7"},
                          {2, L""},          {258, L""},    {0x1FF, L""}};
    for (const Case& c : cases) {
        EXPECT_EQ(ProgramVersionText(c.style, velquor), c.expected) << c.style;
    }
}

TEST(VersionTextTest, RevisionsFrom100OnAreALetterRoundedHalfToEven) {
    struct Case {
        int revision;
        const wchar_t* expected;
    };
    const Case cases[] = {{0, L"2.0"},    {99, L"2.0"},   {100, L"2.0a"},
                          {149, L"2.0a"}, {150, L"2.0b"}, {250, L"2.0b"},
                          {251, L"2.0c"}, {350, L"2.0d"}, {2600, L"2.0z"}};
    for (const Case& c : cases) {
        EXPECT_EQ(ProgramVersionText(257, {2, 0, 0, c.revision}), c.expected) << c.revision;
    }
    EXPECT_EQ(ProgramVersionText(1, {2, 0, 0, 150}), L"2.0.150");  // only style 256 makes letters
}

TEST(VersionTextTest, WindowsVersionIsPackedAndWrittenOut) {
    struct Case {
        OsVersionRecord record;
        std::uint32_t number;
        const wchar_t* text;
    };
    const Case cases[] = {
        {{5, 1, 2600, 2}, 0x05010A28u, L"5.1.2600"},
        {{10, 0, 19045, 2}, 0x0A004A65u, L"10.0.19045"},
        // Fields wider than their bits lose the upper ones.
        {{0x1FF, 0x102, 0x12345, 2}, 0xFF022345u, L"255.2.9029"},
        // Windows 98: major and minor sit in the build field's upper 16 bits.
        {{4, 10, 0x040A08AE, kWindows9xPlatform}, 0x040A08AEu, L"4.10.2222"},
        {{9, 9, 0x040A08AE, kWindows9xPlatform}, 0x040A08AEu, L"4.10.2222"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OsVersionNumber(c.record), c.number) << c.text;
        EXPECT_EQ(OsVersionText(OsVersionNumber(c.record)), c.text);
    }
}

}  // namespace
}  // namespace velquor
