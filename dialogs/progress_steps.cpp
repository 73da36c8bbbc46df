#include "dialogs/progress_steps.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "util/maker.h"
#include "util/text_helpers.h"

namespace velquor {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Reads digits into `text`, skipping blanks; returns how many digits were read.
int ReadDigits(std::wstring_view source, std::size_t& at, std::string& text) {
    int count = 0;
    for (; at < source.size(); ++at) {
        if (IsDigit(source[at])) {
            text += static_cast<char>(source[at]);
            ++count;
        } else if (!IsBlank(source[at])) {
            break;
        }
    }
    return count;
}

void SkipBlanks(std::wstring_view source, std::size_t& at) {
    while (at < source.size() && IsBlank(source[at])) {
        ++at;
    }
}

std::int32_t RoundHoldTime(double ms) {
    // Rounded to nearest, a half to even, as the default floating-point rounding does.
    const double rounded = std::nearbyint(ms);
    if (!(rounded >= std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace

double ReadLeadingNumber(std::wstring_view source) {
    // The digits are collected into a plain C-locale number text and converted once, so the
    // value is the correctly rounded one.
    std::string text;
    std::size_t at = 0;
    SkipBlanks(source, at);
    if (at < source.size() && (source[at] == L'+' || source[at] == L'-')) {
        text += static_cast<char>(source[at++]);
    }
    int digits = ReadDigits(source, at, text);
    if (at < source.size() && source[at] == L'.') {
        text += '.';
        ++at;
        digits += ReadDigits(source, at, text);
    }
    if (digits == 0) {
        return 0;
    }
    if (at < source.size() && (source[at] == L'e' || source[at] == L'E')) {
        // Only an exponent with digits belongs to the number; "2e" is 2.
        std::size_t exponentAt = at + 1;
        std::string exponent = "e";
        SkipBlanks(source, exponentAt);
        if (exponentAt < source.size() &&
            (source[exponentAt] == L'+' || source[exponentAt] == L'-')) {
            exponent += static_cast<char>(source[exponentAt++]);
        }
        if (ReadDigits(source, exponentAt, exponent) > 0) {
            text += exponent;
        }
    }
    return std::strtod(text.c_str(), nullptr);
}

std::vector<ProgressStep> ParseStepList(std::wstring_view list) {
    std::vector<std::wstring_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = list.find(L',', start);
        parts.push_back(
            list.substr(start, comma == std::wstring_view::npos ? comma : comma - start));
        if (comma == std::wstring_view::npos) {
            break;
        }
        start = comma + 1;
    }
    std::vector<ProgressStep> steps;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        steps.push_back({static_cast<float>(ReadLeadingNumber(parts[i])),
                         RoundHoldTime(ReadLeadingNumber(parts[i + 1]))});
    }
    return steps;
}

std::wstring ProgressDialogTitle(std::wstring_view title) {
    return std::wstring(kProductName) + IfText(L" - ", !title.empty(), L"") + std::wstring(title);
}

int BarPosition(float barValue) {
    if (!(barValue > 0)) {
        return 0;
    }
    return barValue >= 100 ? 100 : static_cast<int>(std::lround(barValue));
}

}  // namespace velquor
