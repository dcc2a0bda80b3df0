// Tests of the calendar and string helpers.
#include "common/Calendar.h"
#include "common/Strings.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(DaysInMonth, FollowsGregorianLeapRules)
{
    EXPECT_EQ(DaysInMonth(2, 2000), 29);
    EXPECT_EQ(DaysInMonth(2, 1900), 28);
    EXPECT_EQ(DaysInMonth(2, 2008), 29);
    EXPECT_EQ(DaysInMonth(2, 2009), 28);
    EXPECT_EQ(DaysInMonth(12, 2009), 31);
    int total = 0;
    for (int m = 1; m <= 12; ++m)
        total += DaysInMonth(m, 2024);
    EXPECT_EQ(total, 366);
}

TEST(DuplicateString, CopiesTextAndKeepsNullAbsent)
{
    EXPECT_EQ(DuplicateString(nullptr), nullptr);
    char* empty = DuplicateString("");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty[0], '\0');
    free(empty);
    const char* original = "Umbrant";
    char* copy = DuplicateString(original);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, original);
    EXPECT_STREQ(copy, original);
    free(copy);
}
