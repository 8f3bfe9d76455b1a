#include "solarsystem/moons/EclipticPrecession.h"

#include "solarsystem/SkyReference.h"

#include <gtest/gtest.h>

namespace {

using SkyReference::degrees;
using SkyReference::kDeg;

// Meeus, Astronomical Algorithms, example 21.c: Venus at ecliptic longitude
// 149.48194 deg, latitude +1.76549 deg of J2000.0, reduced to -214 June 30.0
// (JDE 1643074.5): 118.704 deg, +1.615 deg.
TEST(EclipticPrecession, Example21c)
{
    const EclipticPrecession::Ecliptic result =
        EclipticPrecession::precess(149.48194 * kDeg, 1.76549 * kDeg, 2451545.0, 1643074.5);
    EXPECT_NEAR(degrees(result.longitude), 118.704, 0.0005);
    EXPECT_NEAR(degrees(result.latitude), 1.615, 0.0005);
}

TEST(EclipticPrecession, ThereAndBackAgain)
{
    const double from = 2460000.5;
    const double to = 2433282.4235;
    const EclipticPrecession::Ecliptic there = EclipticPrecession::precess(5.9, -0.04, from, to);
    const EclipticPrecession::Ecliptic back = EclipticPrecession::precess(there.longitude, there.latitude, to, from);
    EXPECT_NEAR(back.longitude, 5.9, 1e-9);
    EXPECT_NEAR(back.latitude, -0.04, 1e-9);
}

TEST(EclipticPrecession, FiftyYearsMoveTheEquinoxByAboutFortyTwoArcminutes)
{
    const EclipticPrecession::Ecliptic result = EclipticPrecession::precess(1.0, 0.0, 2451545.0, 2451545.0 + 50 * 365.25);
    EXPECT_NEAR(degrees(result.longitude - 1.0) * 60.0, 50 * 50.29 / 60.0, 0.1);
}

TEST(EclipticPrecession, NoTimeNoChange)
{
    const EclipticPrecession::Ecliptic result = EclipticPrecession::precess(6.2, 0.3, 2440000.5, 2440000.5);
    EXPECT_NEAR(result.longitude, 6.2, 1e-12);
    EXPECT_NEAR(result.latitude, 0.3, 1e-12);
}

}  // namespace
