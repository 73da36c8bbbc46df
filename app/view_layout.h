// The compact and the extended view of the main window: which steps show, where the command
// frame sits and how high the window is. All sizes in twips.
#pragma once

#include <string_view>

namespace velquor {

inline constexpr std::wstring_view kExtendedViewCaption = L"Erweiterte Ansicht >>";
inline constexpr std::wstring_view kCompactViewCaption = L"Kompakte Ansicht <<";

// Top of step (3)'s frame, where the command frame moves up to in the compact view.
inline constexpr int kContextFrameTop = 1920;

struct ViewLayout {
    bool extraStepsVisible;           // steps (3) and (4)
    std::wstring_view toggleCaption;  // names the view the toggle leads to
    int commandFrameTop;
    int windowHeight;  // outer height, title bar and borders included
};

// The layout for the view; the saved values are the extended view's command frame top and outer
// window height, which may come from a pixel measurement and so need not be whole twips.
ViewLayout LayoutForView(bool compact, double savedCommandFrameTop, double savedWindowHeight);

}  // namespace velquor
