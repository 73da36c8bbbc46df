// Window arithmetic that does not need the platform: twips and centring.
#pragma once

namespace velquor {

struct Point {
    int x = 0;
    int y = 0;
};

struct Size {
    int width = 0;
    int height = 0;
};

// A rectangle in pixels as origin and extent, such as the work area of one monitor: the part
// of its screen that the taskbar and docked bars leave free.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A rectangle in twips, given as origin and extent.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const TwipsRect&) const = default;
};

// Layout sizes are given in twips (1/1440 inch).
inline constexpr int kTwipsPerInch = 1440;

// Twips per pixel for a screen of the given dots per inch (15 at 96 DPI, 12 at 120 DPI).
double TwipsPerPixel(int dotsPerInch);

// Twips to whole pixels, rounded to the nearest pixel.
int TwipsToPixels(double twips, int dotsPerInch);

// Top-left corner that centres `window` on `area`; halves are cut toward zero, so a window
// larger than the area starts before it. A monitor beside or above the primary one has an area
// that starts elsewhere than 0,0, even at negative coordinates.
Point CentredOrigin(PixelRect area, Size window);

}  // namespace velquor
