#include "solarsystem/moons/JupiterCentralMeridian.h"

#include <gtest/gtest.h>

namespace {

// Meeus, Astronomical Algorithms, example 43.a: 1992 December 16, 0h UT
// (JDE 2448972.50068): omega2 = 72.74 deg for the illuminated disk, which
// includes his correction for phase, 57.3 deg x sin^2(i / 2) = +0.43 deg with
// the phase angle i = 9.9 deg. The longitude here is the geometric disk's
// (72.31 deg), by the low-accuracy method, good to about 0.1 deg.
TEST(JupiterCentralMeridian, Example43a)
{
    EXPECT_NEAR(JupiterCentralMeridian::systemII(2448972.50068), 72.74 - 0.43, 0.1);
}

TEST(JupiterCentralMeridian, TurnsAboutOnceInTenHours)
{
    // System II rotates in 9h 55m 40.6s: 870.27 deg a day as seen from the Earth.
    const double start = JupiterCentralMeridian::systemII(2451545.0);
    const double later = JupiterCentralMeridian::systemII(2451545.0 + 0.1);
    double advance = later - start;
    if (advance < 0.0)
        advance += 360.0;
    EXPECT_NEAR(advance, 87.0, 0.5);
}

TEST(JupiterCentralMeridian, StaysWithinOneTurn)
{
    for (double jd = 2415020.5; jd < 2488070.5; jd += 97.31) {
        const double longitude = JupiterCentralMeridian::systemII(jd);
        EXPECT_GE(longitude, 0.0);
        EXPECT_LT(longitude, 360.0);
    }
}

}  // namespace
