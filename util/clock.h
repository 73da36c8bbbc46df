// The clock readings that go into a written file, injected so tests can fix them.
#pragma once

#include <string>

namespace velquor {

class Clock {
  public:
    virtual ~Clock() = default;
    // Local date and time in the user's short-date and long-time form.
    virtual std::wstring DateTimeText() = 0;
    // The local year as four digits.
    virtual std::wstring YearText() = 0;
};

// The locale's default form of a moment: the date alone at exactly midnight, otherwise the
// date, a blank and the time.
std::wstring CreationTimeText(const std::wstring& date, const std::wstring& time, int hour,
                              int minute, int second);

// Four digits, with leading zeros for the years before 1000.
std::wstring FourDigitYear(int year);

}  // namespace velquor
