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

// Layout sizes are given in twips (1/1440 inch).
inline constexpr int kTwipsPerInch = 1440;

// Twips per pixel for a screen of the given dots per inch (15 at 96 DPI, 12 at 120 DPI).
double TwipsPerPixel(int dotsPerInch);

// Twips to whole pixels, rounded to the nearest pixel.
int TwipsToPixels(double twips, int dotsPerInch);

// Top-left corner that centres `window` on `screen`; halves are cut toward zero, so a window
// larger than the screen gets a negative coordinate.
Point CentredOrigin(Size screen, Size window);

}  // namespace velquor
