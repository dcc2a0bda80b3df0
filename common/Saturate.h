// Conversions to int and clamps that stop at the ends of a range instead of overflowing.
#pragma once

#include <climits>

// value truncated toward zero and held to [low, high]; a NaN gives 0.
inline int SaturateToInt(double value, int low = INT_MIN, int high = INT_MAX)
{
    if (value != value)
        return 0;
    if (value <= low)
        return low;
    if (value >= high)
        return high;
    return static_cast<int>(value);
}

// A 64-bit integer held to the int range.
inline int SaturateToInt(long long value)
{
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// value held to [low, high]; an empty range (high below low) gives low.
inline long long Clamp(long long value, long long low, long long high)
{
    if (value > high)
        value = high;
    return value < low ? low : value;
}
