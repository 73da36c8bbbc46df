#include <windows.h>

#include <gtest/gtest.h>

#include "util/file_name_case.h"
#include "util/system_clock.h"

namespace velquor {
namespace {

// The portable table must agree with the platform's own comparison for every character.
TEST(FileNameCaseTest, AgreesWithThePlatformForEveryCharacter) {
    int mismatches = 0;
    for (unsigned code = 1; code <= 0xFFFF; ++code) {
        const wchar_t c = static_cast<wchar_t>(code);
        const wchar_t upper = FileNameUpcase(c);
        if (CompareStringOrdinal(&c, 1, &upper, 1, TRUE) != CSTR_EQUAL) {
            ++mismatches;
        }
        // Whatever the platform's own upper case is, ours must equal it as a file name.
        wchar_t platformUpper = c;
        CharUpperBuffW(&platformUpper, 1);
        if (CompareStringOrdinal(&c, 1, &platformUpper, 1, TRUE) == CSTR_EQUAL &&
            FileNameUpcase(platformUpper) != upper) {
            ++mismatches;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(SystemClockTest, GivesTheLocaleFormsOfNow) {
    SystemClock clock;
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(clock.YearText(), std::to_wstring(now.wYear));

    wchar_t date[128] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128, nullptr);
    const std::wstring text = clock.DateTimeText();
    EXPECT_EQ(text.rfind(date, 0), 0u);  // begins with today's short date
    EXPECT_GT(text.size(), wcslen(date) + 1);
}

}  // namespace
}  // namespace velquor
