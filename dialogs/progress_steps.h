// The timed progress dialog's script and layout: a list of bar values, each held for a time,
// played in a small window titled after its caller. Sizes in twips.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "util/screen_geometry.h"

namespace velquor {

inline constexpr int kProgressDialogClientWidth = 6150;
inline constexpr int kProgressDialogClientHeight = 945;
inline constexpr TwipsRect kProgressBarRect{120, 120, 5895, 435};
inline constexpr TwipsRect kProgressTextRect{0, 660, 6135, 195};
inline constexpr wchar_t kProgressText[] = L"Bitte warten ...";

// What the system check plays: 2900 ms in all, ending on a full bar.
inline constexpr wchar_t kSystemCheckSteps[] = L"0,300,13,100,33,400,68,1000,77,500,90,100,100,500";
inline constexpr wchar_t kSystemCheckTitle[] = L"System-Check";

struct ProgressStep {
    float barValue = 0;  // 0 to 100 in the lists in use
    std::int32_t holdTimeMs = 0;

    bool operator==(const ProgressStep&) const = default;
};

// Splits the list at every "," and reads the parts in pairs of bar value and hold time; an
// unpaired last part is ignored. Each part is the number at its start (see ReadLeadingNumber);
// hold times are rounded to whole milliseconds, a half to the even neighbour.
std::vector<ProgressStep> ParseStepList(std::wstring_view list);

// The number a text starts with: blanks are skipped, "." is the decimal point, an exponent may
// follow, and reading stops at the first character that cannot continue the number. A text
// without a number gives 0.
double ReadLeadingNumber(std::wstring_view text);

// "Velquor - <title>", or the product name alone for an empty title.
std::wstring ProgressDialogTitle(std::wstring_view title);

// The bar position shown for a step's value: within 0..100, rounded to the nearest whole.
int BarPosition(float barValue);

}  // namespace velquor
