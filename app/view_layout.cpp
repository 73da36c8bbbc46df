#include "app/view_layout.h"

#include <cmath>

namespace velquor {

ViewLayout LayoutForView(bool compact, double savedCommandFrameTop, double savedWindowHeight) {
    if (compact) {
        const double height = savedWindowHeight - savedCommandFrameTop + kContextFrameTop;
        return {false, kExtendedViewCaption, kContextFrameTop,
                static_cast<int>(std::lround(height))};
    }
    return {true, kCompactViewCaption, static_cast<int>(std::lround(savedCommandFrameTop)),
            static_cast<int>(std::lround(savedWindowHeight))};
}

}  // namespace velquor
