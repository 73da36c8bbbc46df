#include "dialogs/progress_steps.h"

#include <gtest/gtest.h>

namespace velquor {
namespace {

using Steps = std::vector<ProgressStep>;

TEST(ProgressStepsTest, TheSystemCheckPlaysSevenStepsOf2900MsEndingFull) {
    const Steps expected = {{0, 300},  {13, 100}, {33, 400}, {68, 1000},
                            {77, 500}, {90, 100}, {100, 500}};
    EXPECT_EQ(ParseStepList(kSystemCheckSteps), expected);
}

TEST(ProgressStepsTest, ListsAreReadInPairs) {
    struct Case {
        const wchar_t* list;
        Steps expected;
    };
    const Case cases[] = {
        {L"", {}},
        {L"50", {}},  // an unpaired last element is ignored
        {L"10,20,30", {{10, 20}}},
        {L"10,20,", {{10, 20}}},       // the empty last element is unpaired
        {L",", {{0, 0}}},              // two empty elements are a pair of zeros
        {L" 5 , 1 0 0 ", {{5, 100}}},  // blanks are skipped, also between digits
        {L"\t7,\t8", {{7, 8}}},
        {L"12.75,40.4", {{12.75f, 40}}},  // "." is the decimal point
        {L"12,75,40", {{12, 75}}},        // "," always separates
        {L"abc,x9", {{0, 0}}},            // text without a number counts as 0
        {L"33%,250ms", {{33, 250}}},      // reading stops where the number ends
        {L"1.2.3,4-5", {{1.2f, 4}}},
        {L"+20,-3", {{20, -3}}},
        {L".5,.25e3", {{0.5f, 250}}},           // an exponent continues the number
        {L"2e,3E+1", {{2, 30}}},                // but only one with digits
        {L"1,99999999999", {{1, 2147483647}}},  // hold times stay 32-bit numbers
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseStepList(c.list), c.expected) << testing::PrintToString(c.list);
    }
}

TEST(ProgressStepsTest, HoldTimesRoundHalvesToEven) {
    struct Case {
        const wchar_t* hold;
        std::int32_t expected;
    };
    const Case cases[] = {{L"0.5", 0},     {L"1.5", 2},    {L"2.5", 2},  {L"3.5", 4},
                          {L"2.51", 3},    {L"2.49", 2},   {L"-0.5", 0}, {L"-1.5", -2},
                          {L"100.5", 100}, {L"101.5", 102}};
    for (const Case& c : cases) {
        const Steps steps = ParseStepList(std::wstring(L"1,") + c.hold);
        ASSERT_EQ(steps.size(), 1u);
        EXPECT_EQ(steps[0].holdTimeMs, c.expected) << testing::PrintToString(c.hold);
    }
}

TEST(ProgressStepsTest, TitleAndBarPosition) {
    EXPECT_EQ(ProgressDialogTitle(kSystemCheckTitle), L"Velquor - System-Check");
    EXPECT_EQ(ProgressDialogTitle(L""), L"Velquor");
    const std::pair<float, int> positions[] = {{0, 0},     {13, 13},   {67.5f, 68}, {99.4f, 99},
                                               {100, 100}, {250, 100}, {-4, 0}};
    for (const auto& [value, position] : positions) {
        EXPECT_EQ(BarPosition(value), position) << value;
    }
}

}  // namespace
}  // namespace velquor
