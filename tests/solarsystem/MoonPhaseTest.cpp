#include "solarsystem/moons/MoonPhase.h"
#include "solarsystem/moons/MoonPosition.h"

#include "solarsystem/SkyReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using SkyReference::kDeg;
constexpr double kPi = std::numbers::pi;

// Age in hundredths of a day of one synodic month of 29.530589 days.
constexpr double kMonth = 2953.0589;

TEST(MoonPhase, NewMoon)
{
    const double earth = 100.0 * kDeg;
    const MoonPhase::Phase phase = MoonPhase::phase(earth + kPi, 0.0, earth);
    EXPECT_NEAR(phase.illuminatedFraction, 0.0, 1e-12);
    EXPECT_NEAR(phase.percent, 0.0, 1e-9);
    EXPECT_NEAR(phase.age, 0.0, 1e-9);
}

TEST(MoonPhase, FirstQuarterFullAndLastQuarter)
{
    const double earth = 100.0 * kDeg;
    const double sun = earth + kPi;
    const MoonPhase::Phase first = MoonPhase::phase(sun + kPi / 2, 0.0, earth);
    EXPECT_NEAR(first.percent, 50.0, 1e-9);
    EXPECT_NEAR(first.age, kMonth / 4, 0.01);
    const MoonPhase::Phase full = MoonPhase::phase(sun - kPi, 0.0, earth);
    EXPECT_NEAR(full.illuminatedFraction, 1.0, 1e-12);
    EXPECT_NEAR(full.age, kMonth / 2, 0.01);
    const MoonPhase::Phase last = MoonPhase::phase(sun - kPi / 2, 0.0, earth);
    EXPECT_NEAR(last.percent, -50.0, 1e-9);
    EXPECT_NEAR(last.age, 3 * kMonth / 4, 0.01);
}

TEST(MoonPhase, WaxingAcrossTheZeroOfLongitude)
{
    // The Sun at 359 deg, the Moon at 1 deg: two days' worth of elongation past new Moon.
    const MoonPhase::Phase phase = MoonPhase::phase(1.0 * kDeg, 0.0, 179.0 * kDeg);
    EXPECT_GT(phase.percent, 0.0);
    EXPECT_NEAR(phase.age, 2.0 * kDeg * 469.99392117651, 1e-6);
}

TEST(MoonPhase, LatitudeKeepsANewMoonLit)
{
    const double earth = 10.0 * kDeg;
    const MoonPhase::Phase phase = MoonPhase::phase(earth + kPi, 5.0 * kDeg, earth);
    EXPECT_NEAR(phase.illuminatedFraction, (1.0 - std::cos(5.0 * kDeg)) / 2.0, 1e-12);
}

// The Moon's phase from its computed place around the full Moon of 2000 January
// 21, 4h40m UT and the new Moon of 2000 January 6, 18h14m UT.
MoonPhase::Phase phaseAt(double julianDay)
{
    const double T = SkyReference::centuries(julianDay + 64.0 / 86400.0);
    const SkyReference::Nutation nutation = SkyReference::nutation(T);
    const MoonPosition::Geocentric moon =
        MoonPosition::geocentric(T, nutation.longitude, std::cos(nutation.obliquity), std::sin(nutation.obliquity));
    return MoonPhase::phase(moon.longitude, moon.latitude, SkyReference::earthLongitude(T));
}

constexpr double kFullMoon = 2451564.5 + (4.0 + 40.0 / 60.0) / 24.0;
constexpr double kNewMoon = 2451549.5 + (18.0 + 14.0 / 60.0) / 24.0;

TEST(MoonPhase, PositiveBeforeAndNegativeAfterFullMoon)
{
    const MoonPhase::Phase before = phaseAt(kFullMoon - 0.25);
    const MoonPhase::Phase after = phaseAt(kFullMoon + 0.25);
    EXPECT_GT(before.percent, 99.0);
    EXPECT_LT(after.percent, -99.0);
    EXPECT_NEAR(before.age, kMonth / 2, 60.0);
    EXPECT_GT(after.age, before.age);
}

TEST(MoonPhase, AgeRestartsAtNewMoon)
{
    const MoonPhase::Phase before = phaseAt(kNewMoon - 0.25);
    const MoonPhase::Phase after = phaseAt(kNewMoon + 0.25);
    EXPECT_LT(before.percent, 0.0);
    EXPECT_GT(after.percent, 0.0);
    EXPECT_GT(before.age, kMonth - 60.0);
    EXPECT_LT(after.age, 60.0);
    EXPECT_LT(std::fabs(after.percent), 1.0);
}

}  // namespace
