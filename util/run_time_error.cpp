#include "run_time_error.h"

#include "util/system_text_inserts.h"

namespace velquor {

std::wstring DescribeError(const RunTimeError& error) {
    return error.Description() + L" (Code " + std::to_wstring(error.Number()) + L")";
}

std::wstring DescribeError(const RunTimeError& error, std::wstring_view objectName) {
    return WithInsertsFilled(DescribeError(error), objectName);  // the code holds no insert
}

std::wstring WithInsertsFilled(std::wstring_view systemText, std::wstring_view objectName) {
    std::wstring filled;
    AppendWithInsertsFilled(systemText, objectName,
                            [&](std::wstring_view piece) { filled += piece; });
    return filled;
}

}  // namespace velquor
