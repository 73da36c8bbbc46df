// The real clock: the user's locale forms of the current local date and time.
#pragma once

#include "util/clock.h"

namespace velquor {

class SystemClock : public Clock {
  public:
    std::wstring DateTimeText() override;
    std::wstring YearText() override;
};

}  // namespace velquor
