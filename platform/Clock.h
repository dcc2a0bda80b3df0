// The system clock as the dial needs it.
#pragma once

// The system clock as the dial needs it: the UTC calendar date and time and
// the time zone's bias (minutes, UTC = local + bias, daylight saving ignored).
struct ClockReading
{
    int year;
    int month;  // 1..12
    int day;    // 1..31
    int hour;
    int minute;
    int second;
    int milliseconds;
    int biasMinutes;
};

// Reads the system clock and the time-zone bias.
ClockReading ReadSystemClock();
