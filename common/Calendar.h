// Days in the months and years of the Gregorian calendar, the units of the clock.
#pragma once

const int MS_PER_SECOND = 1000;
const int SECONDS_PER_MINUTE = 60;
const int MINUTES_PER_HOUR = 60;
const int HOURS_PER_DAY = 24;
const int SECONDS_PER_HOUR = SECONDS_PER_MINUTE * MINUTES_PER_HOUR;
const int MINUTES_PER_DAY = MINUTES_PER_HOUR * HOURS_PER_DAY;
const int SECONDS_PER_DAY = SECONDS_PER_HOUR * HOURS_PER_DAY;
// The sun's hour angle runs a full turn a day: a degree of longitude is four
// minutes of time.
const double DEGREES_PER_DAY = 360;
const double MINUTES_PER_DEGREE = MINUTES_PER_DAY / DEGREES_PER_DAY;
const double SECONDS_PER_DEGREE = SECONDS_PER_DAY / DEGREES_PER_DAY;

// Days in a month of the Gregorian calendar; month 1 = January ... 12.
int DaysInMonth(int month, int year);
// Days in a year of the Gregorian calendar: 365, or 366 in a leap year.
int DaysInYear(int year);
