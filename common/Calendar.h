// Days in the months of the Gregorian calendar.
#pragma once

// Days in a month of the Gregorian calendar; month 1 = January ... 12.
int DaysInMonth(int month, int year);
