// The system clock on POSIX systems, for the native builds.
#include "platform/Clock.h"

#include "common/Calendar.h"

#include <ctime>
#include <sys/time.h>

const long MICROSECONDS_PER_MS = 1000;

ClockReading ReadSystemClock()
{
    timeval now;
    gettimeofday(&now, nullptr);
    time_t seconds = now.tv_sec;
    tm utc;
    gmtime_r(&seconds, &utc);
    tm local;
    localtime_r(&seconds, &local);
    // The standard-time offset: take the zone's offset and undo daylight time.
    long east = local.tm_gmtoff - (local.tm_isdst > 0 ? SECONDS_PER_HOUR : 0);
    return ClockReading {utc.tm_year + 1900,
                         utc.tm_mon + 1,
                         utc.tm_mday,
                         utc.tm_hour,
                         utc.tm_min,
                         utc.tm_sec,
                         static_cast<int>(now.tv_usec / MICROSECONDS_PER_MS),
                         static_cast<int>(-east / SECONDS_PER_MINUTE)};
}
