// The calendar moment of a simulated day and time, and its texts.
#include "text/DateTimeText.h"

#include "common/Calendar.h"
#include "common/Saturate.h"

#include <cstdio>

int SimulatedSeconds(int day, int timeOfDay)
{
    long long seconds = (day > 0 ? day : 0) * static_cast<long long>(SECONDS_PER_DAY) + (timeOfDay > 0 ? timeOfDay : 0);
    return SaturateToInt(seconds);
}

SimulatedMoment SplitSimulatedSeconds(int year, int seconds)
{
    int s = seconds > 0 ? seconds : 0;
    SimulatedMoment moment;
    moment.second = s % SECONDS_PER_MINUTE;
    s /= SECONDS_PER_MINUTE;
    moment.minute = s % MINUTES_PER_HOUR;
    s /= MINUTES_PER_HOUR;
    moment.hour = s % HOURS_PER_DAY;
    int days = s / HOURS_PER_DAY;
    int month = 1;
    while (days >= DaysInMonth(month, year)) {
        days -= DaysInMonth(month, year);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    moment.year = year;
    moment.month = month;
    moment.day = days + 1;
    return moment;
}

SimulatedMoment SplitSimulatedDayTime(int year, int day, int timeOfDay)
{
    if (timeOfDay < SECONDS_PER_DAY)
        return SplitSimulatedSeconds(year, SimulatedSeconds(day, timeOfDay));
    // The day's last second, then one more on the same day's clock.
    SimulatedMoment moment = SplitSimulatedSeconds(year, SimulatedSeconds(day, SECONDS_PER_DAY - 1));
    moment.hour = HOURS_PER_DAY;
    moment.minute = 0;
    moment.second = 0;
    return moment;
}

void FormatSimulatedDate(const SimulatedMoment& moment, char* out, size_t size)
{
    snprintf(out, size, "%.4d-%.2d-%.2d", moment.year, moment.month, moment.day);
}

void FormatSimulatedTime(const SimulatedMoment& moment, char* out, size_t size)
{
    snprintf(out, size, "%.2d:%.2d:%.2d", moment.hour, moment.minute, moment.second);
}
