// The about box ("&Info"): its controls in twips, its texts, the addresses its buttons open and
// where it goes on the screen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "util/screen_geometry.h"
#include "util/version_text.h"

namespace velquor {

inline constexpr int kAboutBoxClientWidth = 9390;
inline constexpr int kAboutBoxClientHeight = 4875;

// Control identifiers. "&Schliessen" has the dialog manager's Cancel number (2), so that Escape
// presses it.
inline constexpr int kAboutLogoId = 100;
inline constexpr int kAboutTextId = 101;
inline constexpr int kAboutDividerId = 102;
inline constexpr int kVisitMakerButtonId = 110;
inline constexpr int kSearchUpdateButtonId = 111;
inline constexpr int kWriteMailButtonId = 112;
inline constexpr int kCloseAboutButtonId = 2;

// An etched line is two pixels thick at any resolution.
inline constexpr int kDividerPixels = 2;

enum class AboutControlKind {
    LogoStrip,  // the maker's logo, a link to the web site
    AboutText,  // product, version, rights and where to find more
    Divider,    // the line above the buttons: no height in twips, kDividerPixels thick
    Button,
};

struct AboutControl {
    int id;
    AboutControlKind kind;
    std::wstring caption;
    TwipsRect rect;
    std::wstring toolTip;  // empty: none
};

// In creation order; the buttons in their tab order, left to right.
const std::vector<AboutControl>& AboutBoxControls();

// "Velquor - Info".
std::wstring AboutBoxTitle();

// The label's text. Lines are separated by a carriage return alone; `year` ends the years of
// the rights notice.
std::wstring AboutBoxText(const ProgramVersion& version, std::wstring_view year);

// The maker's page that looks for a newer version of this program on this Windows, all in
// lower case.
std::wstring UpdateAddress(const ProgramVersion& version, std::wstring_view osVersionText);

// A mail to the maker's support whose subject names the program, its version and the Windows.
std::wstring SupportMailAddress(const ProgramVersion& version, std::wstring_view osVersionText);

// Where the box's outer frame goes: centred on the work area of the main window's monitor, or
// at the work area's top-left corner when that monitor's screen measures 640 x 480 pixels or
// less in either direction, where the box barely fits and is best kept whole.
Point AboutBoxOrigin(Size screen, PixelRect workArea, Size box);

}  // namespace velquor
