// Tests of the dial moment read from the real Windows clock.
#include "sun/Solar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <windows.h>

// Under Wine the real clock path must give the same moment as the host's own
// clock, which the wrapper that starts this program read just before Wine
// started (UMBRANT_HOST_MOMENT): never earlier, and later only by Wine's
// start-up time, whereas a wrong day or bias would be hours off.
TEST(RealClock, GivesTheSameMomentAsTheHost)
{
    const char* host = getenv("UMBRANT_HOST_MOMENT");
    if (!host)
        GTEST_SKIP() << "UMBRANT_HOST_MOMENT not set";
    int expected = atoi(host);
    int moment = ComputeDialMoment(false, 0, 0, ReadSystemClock());
    EXPECT_GE(moment, expected - 1);
    EXPECT_LE(moment, expected + 60);
}
