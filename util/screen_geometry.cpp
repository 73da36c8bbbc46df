#include "screen_geometry.h"

#include <cmath>

namespace velquor {

double TwipsPerPixel(int dotsPerInch) {
    return static_cast<double>(kTwipsPerInch) / dotsPerInch;
}

int TwipsToPixels(double twips, int dotsPerInch) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel(dotsPerInch)));
}

Point CentredOrigin(Size screen, Size window) {
    return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

}  // namespace velquor
