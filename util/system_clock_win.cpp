#include <windows.h>

#include "util/system_clock.h"
#include "util/text_helpers.h"

namespace velquor {

namespace {

std::wstring ShortDateText(const SYSTEMTIME& t) {
    wchar_t buffer[128] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, buffer,
                    static_cast<int>(std::size(buffer)), nullptr);
    return CutAtNul(std::wstring(buffer, std::size(buffer)));
}

std::wstring LongTimeText(const SYSTEMTIME& t) {
    wchar_t buffer[128] = {};
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &t, nullptr, buffer,
                    static_cast<int>(std::size(buffer)));
    return CutAtNul(std::wstring(buffer, std::size(buffer)));
}

}  // namespace

std::wstring SystemClock::DateTimeText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return CreationTimeText(ShortDateText(now), LongTimeText(now), now.wHour, now.wMinute,
                            now.wSecond);
}

std::wstring SystemClock::YearText() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return FourDigitYear(now.wYear);
}

}  // namespace velquor
