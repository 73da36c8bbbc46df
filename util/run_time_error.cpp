#include "run_time_error.h"

namespace velquor {

std::wstring DescribeError(const RunTimeError& error) {
    return error.Description() + L" (Code " + std::to_wstring(error.Number()) + L")";
}

}  // namespace velquor
