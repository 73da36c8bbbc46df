#include "util/text_helpers.h"

#include <gtest/gtest.h>

namespace velquor {
namespace {

TEST(TextHelpersTest, AddBackslash) {
    EXPECT_EQ(AddBackslash(L""), L"\\");
    EXPECT_EQ(AddBackslash(L"C:\\CD"), L"C:\\CD\\");
    EXPECT_EQ(AddBackslash(L"C:\\CD\\"), L"C:\\CD\\");
    EXPECT_EQ(AddBackslash(L"D:\\"), L"D:\\");
}

TEST(TextHelpersTest, CutAtNul) {
    EXPECT_EQ(CutAtNul(L"abc"), L"abc");
    EXPECT_EQ(CutAtNul(std::wstring(L"\0abc", 4)), L"");
    EXPECT_EQ(CutAtNul(std::wstring(L"ab\0c\0", 5)), L"ab");
}

TEST(TextHelpersTest, EncloseAndQuote) {
    struct Case {
        const wchar_t* opener;
        const wchar_t* expected;
    };
    const Case cases[] = {{L"(", L"(x)"},    {L"[", L"[x]"}, {L"{", L"{x}"}, {L"<", L"<x>"},
                          {L"\"", L"\"x\""}, {L"'", L"'x'"}, {L")", L")x)"}, {L"", L"x"}};
    for (const Case& c : cases) {
        EXPECT_EQ(Enclose(L"x", c.opener), c.expected) << c.opener;
    }
    EXPECT_EQ(Quote(L"a \"b\""), L"\"a \"b\"\"");  // inner quotes are not doubled
    EXPECT_EQ(Quote(L""), L"\"\"");
}

TEST(TextHelpersTest, IfTextAndTrimBlanks) {
    EXPECT_EQ(IfText(L"ja", true, L"nein"), L"ja");
    EXPECT_EQ(IfText(L"ja", false, L"nein"), L"nein");
    EXPECT_EQ(TrimBlanks(L"  a b  "), L"a b");
    EXPECT_EQ(TrimBlanks(L"   "), L"");
    EXPECT_EQ(TrimBlanks(L"\ta\t"), L"\ta\t");  // only blanks are trimmed
}

}  // namespace
}  // namespace velquor
