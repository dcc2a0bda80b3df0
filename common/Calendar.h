// Days in the months and years of the Gregorian calendar, and the length of a day.
#pragma once

const int SECONDS_PER_DAY = 86400;

// Days in a month of the Gregorian calendar; month 1 = January ... 12.
int DaysInMonth(int month, int year);
// Days in a year of the Gregorian calendar: 365, or 366 in a leap year.
int DaysInYear(int year);
