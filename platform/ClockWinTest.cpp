#include "dial/Solar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <windows.h>

// Under Wine the real clock path must give the same moment as the host's own
// clock (which the test script hands over as UMBRANT_HOST_MOMENT).
TEST(RealClock, GivesTheSameMomentAsTheHost)
{
    const char* host = getenv("UMBRANT_HOST_MOMENT");
    if (!host)
        GTEST_SKIP() << "UMBRANT_HOST_MOMENT not set";
    int expected = atoi(host);
    int moment = ComputeDialMoment(false, 0, 0);
    EXPECT_NEAR(moment, expected, 3);
}
