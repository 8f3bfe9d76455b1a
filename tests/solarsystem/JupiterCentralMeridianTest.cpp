#include "solarsystem/moons/JupiterCentralMeridian.h"

#include <gtest/gtest.h>

namespace {

// Meeus example 43.a, 1992 Dec 16 0h UT (JDE 2448972.50068): 72.74 deg for the
// illuminated disk, which includes +0.43 deg of phase correction; the
// geometric disk's low-accuracy longitude is good to about 0.1 deg.
TEST(JupiterCentralMeridian, Example43a)
{
    EXPECT_NEAR(JupiterCentralMeridian::systemII(2448972.50068), 72.74 - 0.43, 0.1);
}

// System II turns in 9h 55m 40.6s: 870.27 deg a day as seen from the Earth.
TEST(JupiterCentralMeridian, TurnsAboutOnceInTenHoursWithinOneTurn)
{
    double advance = JupiterCentralMeridian::systemII(2451545.1) - JupiterCentralMeridian::systemII(2451545.0);
    EXPECT_NEAR(advance < 0.0 ? advance + 360.0 : advance, 87.0, 0.5);
    for (double jd = 2415020.5; jd < 2488070.5; jd += 997.31) {
        EXPECT_GE(JupiterCentralMeridian::systemII(jd), 0.0);
        EXPECT_LT(JupiterCentralMeridian::systemII(jd), 360.0);
    }
}

}  // namespace
