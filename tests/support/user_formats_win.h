// The user's date and time formats as the platform itself applies them, to compare what the
// program shows of the clock with. A reading taken between two moments must match one of them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace velquor::testing {

inline SYSTEMTIME LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

inline std::wstring UserShortDate(const SYSTEMTIME& moment) {
    wchar_t text[128] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &moment, nullptr, text,
                    static_cast<int>(std::size(text)), nullptr);
    return text;
}

inline std::wstring UserLongTime(const SYSTEMTIME& moment) {
    wchar_t text[128] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &moment, nullptr, text,
                    static_cast<int>(std::size(text)));
    return text;
}

// `actual` is `format` applied to `before` or to `after`.
template <typename Format>
::testing::AssertionResult ShowsOneOf(const std::wstring& actual, Format format,
                                      const SYSTEMTIME& before, const SYSTEMTIME& after) {
    const std::wstring first = format(before);
    const std::wstring second = format(after);
    if (actual == first || actual == second) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << ::testing::PrintToString(actual) << " is neither " << ::testing::PrintToString(first)
           << " nor " << ::testing::PrintToString(second);
}

}  // namespace velquor::testing
