// Days in the months and years of the Gregorian calendar.
#include "common/Calendar.h"

#include <cassert>

namespace {

// The days of a common year; a leap year has one more, the 29th of February.
const int COMMON_YEAR_DAYS = 365;

// Leap years: every fourth, but of the centuries only every fourth.
bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

}  // namespace

int DaysInMonth(int month, int year)
{
    static const int DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    assert(month >= 1 && month <= 12);
    if (month == 2 && IsLeapYear(year))
        return 29;
    return DAYS[(month - 1) % 12];
}

int DaysInYear(int year)
{
    return COMMON_YEAR_DAYS + (IsLeapYear(year) ? 1 : 0);
}
