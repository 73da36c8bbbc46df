#include "clock.h"

namespace velquor {

std::wstring CreationTimeText(const std::wstring& date, const std::wstring& time, int hour,
                              int minute, int second) {
    if (hour == 0 && minute == 0 && second == 0) {
        return date;
    }
    return date + L" " + time;
}

std::wstring FourDigitYear(int year) {
    std::wstring digits = std::to_wstring(year);
    if (digits.size() < 4) {
        digits.insert(0, 4 - digits.size(), L'0');
    }
    return digits;
}

}  // namespace velquor
