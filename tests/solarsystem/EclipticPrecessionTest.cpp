#include "solarsystem/moons/EclipticPrecession.h"

#include "solarsystem/SkyReference.h"

#include <gtest/gtest.h>

namespace {

using SkyReference::degrees;
using SkyReference::kDeg;

// Meeus example 21.c: Venus at 149.48194, +1.76549 deg of J2000.0, reduced to
// -214 June 30.0 (JDE 1643074.5): 118.704, +1.615 deg.
TEST(EclipticPrecession, Example21c)
{
    const auto result = EclipticPrecession::precess(149.48194 * kDeg, 1.76549 * kDeg, 2451545.0, 1643074.5);
    EXPECT_NEAR(degrees(result.longitude), 118.704, 0.0005);
    EXPECT_NEAR(degrees(result.latitude), 1.615, 0.0005);
}

TEST(EclipticPrecession, ThereAndBackAgain)
{
    const auto there = EclipticPrecession::precess(5.9, -0.04, 2460000.5, 2433282.4235);
    const auto back = EclipticPrecession::precess(there.longitude, there.latitude, 2433282.4235, 2460000.5);
    EXPECT_NEAR(back.longitude, 5.9, 1e-9);
    EXPECT_NEAR(back.latitude, -0.04, 1e-9);
}

}  // namespace
