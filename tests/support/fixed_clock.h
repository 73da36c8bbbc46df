// A clock whose readings the test chooses, counting how often each is read.
#pragma once

#include <string>

#include "util/clock.h"

namespace velquor::testing {

class FixedClock : public Clock {
  public:
    FixedClock(std::wstring dateTime, std::wstring year)
        : dateTime_(std::move(dateTime)), year_(std::move(year)) {}

    std::wstring DateTimeText() override {
        ++dateTimeReads;
        return dateTime_;
    }
    std::wstring YearText() override {
        ++yearReads;
        return year_;
    }

    int dateTimeReads = 0;
    int yearReads = 0;

  private:
    std::wstring dateTime_;
    std::wstring year_;
};

}  // namespace velquor::testing
