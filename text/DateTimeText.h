// The calendar moment of a simulated day and time, and its texts.
#pragma once

#include <cstddef>

// The calendar moment that a simulated day of the year and time of day stand
// for, and its texts in the Settings dialog.
struct SimulatedMoment
{
    int year, month, day;  // month 1 ... 12, day 1 ... 31
    int hour, minute, second;
};

// Seconds after 1 January 00:00 of the simulated day (0 = 1 January) and
// time of day (seconds after midnight); negative parts count as 0 and the sum
// saturates at the largest int.
int SimulatedSeconds(int day, int timeOfDay);

// The moment that lies seconds (negative counts as 0) after 1 January 00:00
// of year; days past the end of the year run on into the next ones.
SimulatedMoment SplitSimulatedSeconds(int year, int seconds);

// The moment a simulated day of the year (0 = 1 January, days past the end
// of the year running on into the next ones) and time of day (seconds after
// midnight, up to a whole day) stand for, as the day's track bar names it:
// the end of a day is 24:00:00 of that day, not 00:00:00 of the next.
// Negative parts count as 0.
SimulatedMoment SplitSimulatedDayTime(int year, int day, int timeOfDay);

// "yyyy-mm-dd" and "hh:mm:ss" into out, which holds size bytes.
void FormatSimulatedDate(const SimulatedMoment& moment, char* out, size_t size);
void FormatSimulatedTime(const SimulatedMoment& moment, char* out, size_t size);
