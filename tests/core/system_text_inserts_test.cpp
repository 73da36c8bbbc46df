#include <gtest/gtest.h>

#include "util/run_time_error.h"

namespace velquor {
namespace {

TEST(SystemTextInsertsTest, EveryInsertNamesTheObjectInOnePass) {
    const struct {
        const wchar_t* text;
        const wchar_t* expected;  // for an object named C:\%2
    } cases[] = {
        {L"Bad EXE format for %1.", L"Bad EXE format for C:\\%2."},
        {L"%1 und %2", L"C:\\%2 und C:\\%2"},
        {L"%12|%123|%1!s!|%1!", L"C:\\%2|C:\\%23|C:\\%2|C:\\%2!"},  // inserts end at 99
        {L"100%% %%1 %0 %a 5%", L"100%% %%1 %0 %a 5%"},             // none of them an insert
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithInsertsFilled(c.text, L"C:\\%2"), c.expected) << c.text;
    }
}

}  // namespace
}  // namespace velquor
