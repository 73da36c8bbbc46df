#include "dialogs/about_box.h"

#include <gtest/gtest.h>

namespace velquor {
namespace {

TEST(AboutBoxTest, TitleAndTextNameProductVersionMakerAndYears) {
    EXPECT_EQ(AboutBoxTitle(), L"Velquor - Info");
    EXPECT_EQ(AboutBoxText({1, 7, 0, 2}, L"2026"),
              L"Velquor (V1.7) \u2013 macht Autostart-CDs 100% startklar\r"
              L"\r"
              L"Copyright \u00a9 Morvane und Jonas Albrecht. Alle Rechte "
              L"vorbehalten. 1995 - 2026\r"
              L"\r"
              L"Velquor gehört zu einer ganzen Serie von nützlichen, kleinen Helfern im "
              L"PC-Alltag. Interesse? Weitere Infos gibt es im Internet unter "
              L"www.morvane.example. Mit einem Klick auf den Taster links unten können Sie sich "
              L"direkt verbinden lassen ...");
}

TEST(AboutBoxTest, UpdateAddressIsLowerCaseAndTheMailSubjectIsLeftAsItIs) {
    struct Case {
        ProgramVersion version;
        const wchar_t* windows;
        const wchar_t* update;
        const wchar_t* mail;
    };
    const Case cases[] = {
        {{1, 7, 0, 2},
         L"5.1.2600",
         L"www.morvane.example/?find_update&app=velquor&ver=1.7.2&win=5.1.2600",
         L"mailto:support@morvane.example?subject=Ihre Software Velquor (V1.7) unter Windows "
         L"5.1.2600"},
        {{2, 10, 0, 150},
         L"10.0.19045",
         L"www.morvane.example/?find_update&app=velquor&ver=2.10.150&win=10.0.19045",
         L"mailto:support@morvane.example?subject=Ihre Software Velquor (V2.10b) unter Windows "
         L"10.0.19045"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UpdateAddress(c.version, c.windows), c.update);
        EXPECT_EQ(SupportMailAddress(c.version, c.windows), c.mail);
    }
}

TEST(AboutBoxTest, CentresOnlyOnScreensLargerThan640By480) {
    constexpr Size kBox{634, 360};
    struct Case {
        Size screen;
        PixelRect workArea;
        int x, y;
    };
    const Case cases[] = {
        {{640, 480}, {0, 0, 640, 450}, 0, 0},           {{641, 480}, {0, 0, 641, 450}, 0, 0},
        {{800, 480}, {0, 0, 800, 450}, 0, 0},           {{640, 600}, {0, 0, 640, 570}, 0, 0},
        {{641, 481}, {0, 0, 641, 451}, 3, 45},          {{800, 600}, {0, 0, 800, 570}, 83, 105},
        {{800, 600}, {0, 30, 800, 570}, 83, 135},        // taskbar at the top
        {{1024, 768}, {1920, 0, 1024, 738}, 2115, 189},  // a monitor right of the first
        {{640, 480}, {-640, 40, 640, 440}, -640, 40},    // a small one on the left
        {{800, 600}, {-800, -100, 800, 570}, -717, 5},   // and a larger one, set higher
    };
    for (const Case& c : cases) {
        const Point p = AboutBoxOrigin(c.screen, c.workArea, kBox);
        EXPECT_EQ(p.x, c.x) << c.screen.width << "x" << c.screen.height;
        EXPECT_EQ(p.y, c.y) << c.screen.width << "x" << c.screen.height;
    }
}

TEST(AboutBoxTest, ButtonsShareOneRowUnderTheDividerWithoutOverlapping) {
    int right = 1140;  // the divider's extent: 1140 .. 9300
    int buttons = 0;
    for (const AboutControl& c : AboutBoxControls()) {
        if (c.kind != AboutControlKind::Button) {
            continue;
        }
        ++buttons;
        EXPECT_GE(c.rect.left, right) << c.id;
        EXPECT_GT(c.rect.top, 4200) << c.id;
        EXPECT_LE(c.rect.top + c.rect.height, kAboutBoxClientHeight) << c.id;
        right = c.rect.left + c.rect.width;
    }
    EXPECT_EQ(buttons, 4);
    EXPECT_LE(right, 9300);
}

}  // namespace
}  // namespace velquor
