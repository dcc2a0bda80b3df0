// Days in the months of the Gregorian calendar.
#include "common/Calendar.h"

#include <cassert>

int DaysInMonth(int month, int year)
{
    static const int DAYS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    assert(month >= 1 && month <= 12);
    if (month == 2 && year % 4 == 0 && (year % 100 != 0 || year % 400 == 0))
        return 29;
    return DAYS[(month - 1) % 12];
}
