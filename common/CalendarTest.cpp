// Tests of the calendar.
#include "common/Calendar.h"

#include <gtest/gtest.h>

TEST(DaysInMonth, FollowsGregorianLeapRules)
{
    static const struct
    {
        int year, february, days;
    } cases[] = {
        {1900, 28, 365}, {2000, 29, 366}, {2008, 29, 366}, {2009, 28, 365}, {2024, 29, 366}, {2026, 28, 365},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DaysInMonth(2, c.year), c.february) << c.year;
        EXPECT_EQ(DaysInYear(c.year), c.days) << c.year;
        int total = 0;
        for (int month = 1; month <= 12; ++month)
            total += DaysInMonth(month, c.year);
        EXPECT_EQ(total, c.days) << c.year << ": the months' days";
    }
    EXPECT_EQ(DaysInMonth(12, 2009), 31);
}
