#include "solarsystem/moons/MoonPhase.h"
#include "solarsystem/moons/MoonPosition.h"

#include "solarsystem/SkyReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using SkyReference::kDeg;
constexpr double kPi = std::numbers::pi;
constexpr double kMonth = 2953.0589;  // one synodic month in hundredths of a day

TEST(MoonPhase, FromElongation)
{
    const double earth = 100.0 * kDeg;  // the Sun at 280 deg
    const struct {
        double elongation, percent, age;
    } cases[] = {
        {0.0, 0.0, 0.0}, {kPi / 2, 50.0, kMonth / 4}, {kPi, 100.0, kMonth / 2}, {-kPi / 2, -50.0, 3 * kMonth / 4}};
    for (const auto& c : cases) {
        const MoonPhase::Phase phase = MoonPhase::phase(earth + kPi + c.elongation, 0.0, earth);
        if (c.percent < 100.0) {  // at full Moon the sign is either
            EXPECT_NEAR(phase.percent, c.percent, 1e-9) << c.elongation;
        }
        EXPECT_NEAR(phase.illuminatedFraction, std::fabs(c.percent) / 100.0, 1e-12) << c.elongation;
        EXPECT_NEAR(phase.age, c.age, 0.01) << c.elongation;
    }
    // The Sun at 359 deg, the Moon at 1 deg: waxing, two degrees past new Moon.
    const MoonPhase::Phase across = MoonPhase::phase(1.0 * kDeg, 0.0, 179.0 * kDeg);
    EXPECT_GT(across.percent, 0.0);
    EXPECT_NEAR(across.age, 2.0 * kDeg * 469.99392117651, 1e-6);
    // Latitude keeps a new Moon lit.
    EXPECT_NEAR(MoonPhase::phase(10.0 * kDeg + kPi, 5.0 * kDeg, 10.0 * kDeg).illuminatedFraction,
                (1.0 - std::cos(5.0 * kDeg)) / 2.0, 1e-12);
}

// The phase from the computed place around the full Moon of 2000 Jan 21,
// 4h40m UT and the new Moon of 2000 Jan 6, 18h14m UT.
MoonPhase::Phase phaseAt(double julianDay)
{
    const PlanetHandOver h = SkyReference::handOverAt(julianDay + 64.0 / 86400.0);
    const MoonPosition::Geocentric moon = MoonPosition::geocentric(h.pT, h.pNutLong, h.pCO, h.pSO);
    return MoonPhase::phase(moon.longitude, moon.latitude, h.pLe);
}

TEST(MoonPhase, SignTurnsAtFullMoonAndAgeRestartsAtNewMoon)
{
    constexpr double kFullMoon = 2451564.5 + (4.0 + 40.0 / 60.0) / 24.0;
    constexpr double kNewMoon = 2451549.5 + (18.0 + 14.0 / 60.0) / 24.0;
    const MoonPhase::Phase beforeFull = phaseAt(kFullMoon - 0.25);
    const MoonPhase::Phase afterFull = phaseAt(kFullMoon + 0.25);
    EXPECT_GT(beforeFull.percent, 99.0);
    EXPECT_LT(afterFull.percent, -99.0);
    EXPECT_NEAR(beforeFull.age, kMonth / 2, 60.0);
    EXPECT_GT(afterFull.age, beforeFull.age);

    const MoonPhase::Phase beforeNew = phaseAt(kNewMoon - 0.25);
    const MoonPhase::Phase afterNew = phaseAt(kNewMoon + 0.25);
    EXPECT_LT(beforeNew.percent, 0.0);
    EXPECT_GT(afterNew.percent, 0.0);
    EXPECT_LT(afterNew.percent, 1.0);
    EXPECT_GT(beforeNew.age, kMonth - 60.0);
    EXPECT_LT(afterNew.age, 60.0);
}

}  // namespace
