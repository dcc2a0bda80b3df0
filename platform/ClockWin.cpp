// The system clock on Windows.
#include "platform/Clock.h"

#include <windows.h>

ClockReading ReadSystemClock()
{
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    TIME_ZONE_INFORMATION zone;
    // Only the standard bias counts; the result code and the daylight rules
    // are not needed here.
    GetTimeZoneInformation(&zone);
    return ClockReading {utc.wYear,   utc.wMonth,  utc.wDay,          utc.wHour,
                         utc.wMinute, utc.wSecond, utc.wMilliseconds, static_cast<int>(zone.Bias)};
}
