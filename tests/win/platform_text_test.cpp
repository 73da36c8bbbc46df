#include <windows.h>

#include <gtest/gtest.h>

#include "autorun/autorun_text.h"
#include "support/projects.h"
#include "support/user_formats_win.h"
#include "util/file_name_case.h"
#include "util/system_clock.h"
#include "util/win32_error_win.h"

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

// Our users run a German Windows, and so does this suite: should the locale set-up of the test
// run break, this says so instead of leaving it to odd failures elsewhere.
TEST(GermanWindowsTest, UserLocaleCodePageAndSystemTexts) {
    wchar_t locale[LOCALE_NAME_MAX_LENGTH] = {};
    GetUserDefaultLocaleName(locale, LOCALE_NAME_MAX_LENGTH);
    EXPECT_STREQ(locale, L"de-DE");
    EXPECT_EQ(GetACP(), 1252u);
    EXPECT_EQ(Win32Error(ERROR_ACCESS_DENIED).Description(), L"Zugriff verweigert.");
}

// The creation time in a written file's header is the user's short date and long time of the
// moment of writing (the date alone at midnight), the copyright its year.
TEST(SystemClockTest, HeaderShowsTheUsersFormsOfNow) {
    ProjectSettings s = testing::ProjectAt(L"C:\\Projekt\\");
    s.slots[kTargetSlot] = L"C:\\Projekt\\Start.htm";
    SystemClock clock;
    const SYSTEMTIME before = testing::LocalNow();
    const std::wstring text = ComposeAutorunText(s, clock);
    const SYSTEMTIME after = testing::LocalNow();

    // The text between `prefix` and the end of its line.
    const auto lineAfter = [&text](const std::wstring& prefix) {
        const std::size_t start = text.find(prefix);
        const std::size_t end = text.find(L"\r\n", start);
        return start == std::wstring::npos || end == std::wstring::npos
                   ? std::wstring(L"(missing)")
                   : text.substr(start + prefix.size(), end - start - prefix.size());
    };
    const auto creationTime = [](const SYSTEMTIME& t) {
        const std::wstring date = testing::UserShortDate(t);
        return (t.wHour == 0 && t.wMinute == 0 && t.wSecond == 0
                    ? date
                    : date + L" " + testing::UserLongTime(t)) +
               L")";
    };
    const auto year = [](const SYSTEMTIME& t) { return std::to_wstring(t.wYear); };
    EXPECT_TRUE(
        testing::ShowsOneOf(lineAfter(L";* AUTORUN.INF (Erstellt: "), creationTime, before, after));
    EXPECT_TRUE(
        testing::ShowsOneOf(lineAfter(L"alle Rechte vorbehalten, 1995 - "), year, before, after));
}

}  // namespace
}  // namespace velquor
