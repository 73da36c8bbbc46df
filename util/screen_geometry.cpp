#include "screen_geometry.h"

#include <cmath>

namespace velquor {

double TwipsPerPixel(int dotsPerInch) {
    return static_cast<double>(kTwipsPerInch) / dotsPerInch;
}

int TwipsToPixels(double twips, int dotsPerInch) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel(dotsPerInch)));
}

Point CentredOrigin(PixelRect area, Size window) {
    return {area.left + (area.width - window.width) / 2,
            area.top + (area.height - window.height) / 2};
}

}  // namespace velquor
