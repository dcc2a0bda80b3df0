// Tests of the night text choice.
#include "dial/NightText.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(NightText, MorningRunsFromThreeToBeforeFifteen)
{
    const int day = 100 * 86400;
    EXPECT_EQ(NightTextBase(day + 2 * 3600 + 3599), NIGHT_TEXT_EVENING);
    EXPECT_EQ(NightTextBase(day + 3 * 3600), NIGHT_TEXT_MORNING);
    EXPECT_EQ(NightTextBase(day + 14 * 3600 + 3599), NIGHT_TEXT_MORNING);
    EXPECT_EQ(NightTextBase(day + 15 * 3600), NIGHT_TEXT_EVENING);
    // Absurd simulated moments still pick a list.
    EXPECT_EQ(NightTextBase(-3600), NIGHT_TEXT_EVENING);
    EXPECT_EQ(NightTextBase(-12 * 3600), NIGHT_TEXT_MORNING);
    EXPECT_EQ(NightTextBase(INT_MIN), NIGHT_TEXT_EVENING);  // 21 h before the epoch's midnight
    EXPECT_EQ(NightTextBase(INT_MAX), NIGHT_TEXT_MORNING);  // 3 h
}

TEST(NightText, CountMustBeAPositiveNumber)
{
    EXPECT_EQ(NightTextCount(L"1"), 1);
    EXPECT_EQ(NightTextCount(L"  12 texts"), 12);
    EXPECT_EQ(NightTextCount(L"+3"), 3);
    EXPECT_EQ(NightTextCount(L""), 0);
    EXPECT_EQ(NightTextCount(std::wstring_view(L"12", 1)), 1);  // the table's texts end without a terminator
    EXPECT_EQ(NightTextCount(L"0"), 0);
    EXPECT_EQ(NightTextCount(L"-2"), 0);
    EXPECT_EQ(NightTextCount(L"Morning time."), 0);
    EXPECT_GT(NightTextCount(L"99999999999999999999"), 0);  // no overflow
}

TEST(NightText, ChosenAgainOnlyAfterTenSeconds)
{
    EXPECT_TRUE(NightTextDue(0, 5));
    EXPECT_FALSE(NightTextDue(1000, 1000));
    EXPECT_FALSE(NightTextDue(1000, 11000));
    EXPECT_TRUE(NightTextDue(1000, 11001));
    // Across the wrap of the millisecond counter.
    EXPECT_FALSE(NightTextDue(0xFFFFF000u, 0x00000100u));
    EXPECT_TRUE(NightTextDue(0xFFFFF000u, 0x00002800u));
}

}  // namespace
