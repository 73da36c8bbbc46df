#include "util/file_name_case.h"

#include <gtest/gtest.h>

namespace velquor {
namespace {

TEST(FileNameCaseTest, UpcasesAcrossScripts) {
    struct Case {
        wchar_t lower, upper;
    };
    const Case cases[] = {
        {L'a', L'A'},           {L'z', L'Z'},           {L'ä', L'Ä'},
        {L'ö', L'Ö'},           {L'ü', L'Ü'},           {L'ÿ', L'\u0178'},
        {L'\u0101', L'\u0100'}, {L'\u017E', L'\u017D'}, {L'\u03B1', L'\u0391'},
        {L'\u0436', L'\u0416'}, {L'\u0450', L'\u0400'}, {L'\uFF41', L'\uFF21'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileNameUpcase(c.lower), c.upper) << static_cast<int>(c.lower);
        EXPECT_EQ(FileNameUpcase(c.upper), c.upper) << static_cast<int>(c.upper);
    }
    // No single-character upper case: unchanged.
    EXPECT_EQ(FileNameUpcase(L'ß'), L'ß');
    EXPECT_EQ(FileNameUpcase(L'1'), L'1');
    EXPECT_EQ(FileNameUpcase(L'\\'), L'\\');
}

TEST(FileNameCaseTest, PrefixTest) {
    struct Case {
        const wchar_t* path;
        const wchar_t* prefix;
        bool inside;
    };
    const Case cases[] = {
        {L"c:\\PROJEKT\\Info.txt", L"C:\\Projekt\\", true},
        {L"C:\\Projekt2\\a.txt", L"C:\\Projekt\\", false},  // sibling with common prefix
        {L"C:\\Projekt\\", L"C:\\Projekt\\", true},
        {L"C:\\Projekt", L"C:\\Projekt\\", false},  // shorter than the root
        {L"D:\\x\\y.doc", L"D:\\", true},
        {L"E:\\x", L"D:\\", false},
        {L"C:\\ÄRGER\\été.txt", L"c:\\ärger\\", true},
        {L"C:\\\u0416\\a", L"C:\\\u0436\\", true},
        {L"C:\\Strasse\\a", L"C:\\Straße\\", false},  // no expansion of ß
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartsWithFileName(c.path, c.prefix), c.inside) << c.path;
    }
    EXPECT_TRUE(FileNamesEqual(L"", L""));
    EXPECT_FALSE(FileNamesEqual(L"a", L"ab"));
}

}  // namespace
}  // namespace velquor
