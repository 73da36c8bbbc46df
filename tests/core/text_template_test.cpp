#include "util/text_template.h"

#include <gtest/gtest.h>

#include <random>

namespace velquor {
namespace {

struct EscapeCase {
    const wchar_t* tmpl;
    const wchar_t* expected;
};

TEST(ExpandEscapesTest, Expands) {
    const EscapeCase cases[] = {
        EscapeCase{L"", L""},
        EscapeCase{L"plain text", L"plain text"},
        EscapeCase{L"a\\\\b", L"a\\b"},  // two backslashes give one
        EscapeCase{L"\\x\\Q", L"xQ"},    // other letters keep their case
        EscapeCase{L"end\\", L"end"},    // a final backslash is dropped
        EscapeCase{L"\\n\\l", L"\r\n"},  // CR then LF
        EscapeCase{L"\\n\\n", L"\r\r"},  // two CRs, no LF
        EscapeCase{L"\\N\\L\\T\\H", L"\r\n\t\""},
        EscapeCase{L"\\t\\h", L"\t\""},
        EscapeCase{L"\\\\n", L"\\n"},  // an escaped backslash is not pending
        EscapeCase{L"\\\\\\n", L"\\\r"},
        EscapeCase{L"C:\\temp", L"C:\temp"},  // a drive path gets a tab
        EscapeCase{L"\\ä\\1", L"ä1"}};
    for (const EscapeCase& c : cases) {
        EXPECT_EQ(ExpandEscapes(c.tmpl), c.expected) << c.tmpl;
    }
}

TEST(FormatTextTest, FillsNumberedPlaceholders) {
    struct Case {
        const wchar_t* tmpl;
        std::vector<std::wstring> args;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"Hallo %1!", {}, L"Hallo !"},  // missing arguments vanish
        {L"%1 und %2", {L"A", L"B"}, L"A und B"},
        {L"%2%1%2", {L"x", L"y"}, L"yxy"},
        {L"%1", {L"%2", L"zwei"}, L"zwei"},  // the second pass sees the first pass's text
        {L"%2", {L"eins", L"%1"}, L"%1"},    // %1 was already done when %2 brings it in
        {L"%10", {L"a", L"", L"", L"", L"", L"", L"", L"", L"", L"zehn"}, L"a0"},
        {L"Pfad: %1", {L"C:\\temp"}, L"Pfad: C:\temp"},  // arguments are expanded too
        {L"%1\\n%1", {L"x"}, L"x\rx"},
        {L"100 %", {L"x"}, L"100 %"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatText(c.tmpl, c.args), c.expected) << c.tmpl;
    }
}

TEST(FillMessageTemplateTest, ExpandsFirstThenIndentsValuesKeepingBackslashes) {
    EXPECT_EQ(FillMessageTemplate(L"Datei\\n%f%\\nFehler: %g% %f%",
                                  {{L"%f%", L"C:\\neu\\test.inf"}, {L"%g%", L"kaputt"}}),
              L"Datei\r    C:\\neu\\test.inf\rFehler:     kaputt     C:\\neu\\test.inf");
    // Values that hold placeholder text (a folder may be named so) stay as they are, whatever
    // the order of the placeholders.
    EXPECT_EQ(FillMessageTemplate(L"%v%|%n%", {{L"%v%", L"D:\\%n%\\"}, {L"%n%", L"x"}}),
              L"    D:\\%n%\\|    x");
    EXPECT_EQ(FillMessageTemplate(L"%f%\\n%g%", {{L"%f%", L"E:\\%g%%f%"}, {L"%g%", L"Fehler"}}),
              L"    E:\\%g%%f%\r    Fehler");
}

TEST(ReplaceAllTest, IsLeftToRightAndDoesNotRescanInsertedText) {
    EXPECT_EQ(ReplaceAll(L"aaa", L"aa", L"b"), L"ba");
    EXPECT_EQ(ReplaceAll(L"%t%%t%", L"%t%", L"%t%%t%"), L"%t%%t%%t%%t%");
    EXPECT_EQ(ReplaceAll(L"abc", L"", L"x"), L"abc");
    EXPECT_EQ(ReplaceAll(L"%T%", L"%t%", L"x"), L"%T%");  // case-sensitive
}

// A deliberately naive model of the rules, written from the description of the escapes and
// placeholders rather than from the code above.
std::wstring ReferenceExpand(const std::wstring& t) {
    std::wstring out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != L'\\') {
            out += t[i];
            continue;
        }
        if (i + 1 == t.size()) {
            break;
        }
        const wchar_t next = t[++i];
        const wchar_t upper = next >= L'a' && next <= L'z' ? next - 32 : next;
        out += upper == L'T'   ? L'\t'
               : upper == L'N' ? L'\r'
               : upper == L'L' ? L'\n'
               : upper == L'H' ? L'"'
                               : next;
    }
    return out;
}

std::wstring ReferenceFormat(std::wstring t, const std::vector<std::wstring>& args) {
    for (int n = 1; n <= 10; ++n) {
        const std::wstring key = L"%" + std::to_wstring(n);
        const std::wstring value = n <= static_cast<int>(args.size()) ? args[n - 1] : L"";
        std::wstring out;
        std::size_t i = 0;
        while (i < t.size()) {
            if (t.compare(i, key.size(), key) == 0) {
                out += value;
                i += key.size();
            } else {
                out += t[i++];
            }
        }
        t = out;
    }
    return ReferenceExpand(t);
}

TEST(FormatTextTest, AgreesWithReferenceModelOnRandomTemplates) {
    std::mt19937 random(20040514);
    const std::wstring alphabet = L"\\\\\\%%%0123456789tTnNlLhHxä ";
    auto randomText = [&](int maxLength) {
        std::wstring s;
        const int length = std::uniform_int_distribution<int>(0, maxLength)(random);
        for (int i = 0; i < length; ++i) {
            s += alphabet[std::uniform_int_distribution<std::size_t>(0,
                                                                     alphabet.size() - 1)(random)];
        }
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::wstring tmpl = randomText(24);
        std::vector<std::wstring> args;
        const int count = std::uniform_int_distribution<int>(0, 10)(random);
        for (int i = 0; i < count; ++i) {
            args.push_back(randomText(4));
        }
        ASSERT_EQ(FormatText(tmpl, args), ReferenceFormat(tmpl, args)) << "round " << round;
        ASSERT_EQ(ExpandEscapes(tmpl), ReferenceExpand(tmpl)) << "round " << round;
    }
}

}  // namespace
}  // namespace velquor
