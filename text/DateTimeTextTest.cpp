// Tests of the simulated date and time texts.
#include "text/DateTimeText.h"

#include <climits>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Text(const SimulatedMoment& moment)
{
    char date[16], time[16];
    FormatSimulatedDate(moment, date, sizeof date);
    FormatSimulatedTime(moment, time, sizeof time);
    return std::string(date) + " " + time;
}

std::string At(int year, int day, int timeOfDay)
{
    return Text(SplitSimulatedDayTime(year, day, timeOfDay));
}

TEST(SimulatedDateTime, WalksTheMonthsOfTheYear)
{
    EXPECT_EQ("2025-01-01 00:00:00", At(2025, 0, 0));
    EXPECT_EQ("2025-01-31 23:59:59", At(2025, 30, 86399));
    EXPECT_EQ("2025-02-01 00:00:00", At(2025, 31, 0));
    EXPECT_EQ("2025-03-01 12:34:56", At(2025, 59, 12 * 3600 + 34 * 60 + 56));
    EXPECT_EQ("2024-02-29 00:00:00", At(2024, 59, 0));
    EXPECT_EQ("2025-12-31 00:00:00", At(2025, 364, 0));
    EXPECT_EQ("2024-12-31 00:00:00", At(2024, 365, 0));
}

TEST(SimulatedDateTime, RunsOnIntoTheNextYear)
{
    // The track bars reach day 365 and 1440 minutes; the end of a day is
    // 24:00 of the day the day track bar points at.
    EXPECT_EQ("2025-01-01 24:00:00", At(2025, 0, 86400));
    EXPECT_EQ("2024-12-31 24:00:00", At(2024, 365, 86400));
    EXPECT_EQ("2026-01-01 00:00:00", At(2025, 365, 0));
    EXPECT_EQ("2026-01-01 24:00:00", At(2025, 365, 86400));
    EXPECT_EQ("2000-01-01 00:00:00", At(1999, 365, 0));
    // A stored day far beyond the track bar's range still gives a real date.
    EXPECT_EQ("2026-01-01 00:00:00", At(2024, 366 + 365, 0));
}

TEST(SimulatedDateTime, OutOfRangeInputStaysInRange)
{
    EXPECT_EQ(0, SimulatedSeconds(-5, -60));
    EXPECT_EQ(INT_MAX, SimulatedSeconds(INT_MAX, INT_MAX));
    EXPECT_EQ("2025-01-01 00:00:00", Text(SplitSimulatedSeconds(2025, -1)));
    // INT_MAX seconds: 24855 days 03:14:07 after 1 January 2025.
    EXPECT_EQ("2093-01-19 03:14:07", Text(SplitSimulatedSeconds(2025, INT_MAX)));
}

}  // namespace
