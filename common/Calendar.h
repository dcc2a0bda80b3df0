// Days in the months of the Gregorian calendar, and the length of a day.
#pragma once

const int SECONDS_PER_DAY = 86400;

// Days in a month of the Gregorian calendar; month 1 = January ... 12.
int DaysInMonth(int month, int year);
