#include "solarsystem/moons/MoonStep.h"

#include "solarsystem/moons/MoonPhase.h"
#include "solarsystem/moons/MoonPosition.h"
#include "solarsystem/moons/Topocentric.h"

#include "solarsystem/SkyReference.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using SkyReference::degrees;
using SkyReference::kDeg;

planet record(std::int32_t index)
{
    planet p{};
    p.index = index;
    p.state = 1;
    p.horX = 0.25;
    p.helioDistance = 149.6f;
    p.screenX = 12.0f;
    return p;
}

// The inputs of example 47.a (1992 April 12, 0h TD) for a site at 50 deg N,
// sidereal time 150 deg; the shadow point holds its geocentric place.
class MoonStepTest : public ::testing::Test {
protected:
    static constexpr double kT = (2448724.5 - 2451545.0) / 36525.0;
    MoonStep::Input input{kT, 0.004610 * kDeg, std::cos(23.440636 * kDeg), std::sin(23.440636 * kDeg),
                          SkyReference::earthLongitude(kT), 150.0, 50.0, true};
    planet moon = record(9);
    planet shadow = [] {
        planet p = record(10);
        p.ra = float(300.0 * kDeg);
        p.dec = float(-10.0 * kDeg);
        return p;
    }();
    MoonPosition::Geocentric geo = MoonPosition::geocentric(kT, input.nutationLongitude, input.cosObliquity,
                                                            input.sinObliquity);
};

TEST_F(MoonStepTest, Example47aParallaxDiameterDistanceAndPhase)
{
    const MoonStep::Result result = MoonStep::calculateMoon(input, moon, shadow);
    EXPECT_NEAR(degrees(result.moonHP), 0.991990, 0.5e-6);
    EXPECT_NEAR(result.moonAD, 3475.856172677 / 368409.7, 1e-9);
    const float km = moon.geoDistance;
    EXPECT_NEAR(km, 368.4097f, 0.0001f);

    // The magnitude field holds 1000 x the illuminated fraction; 1992 April 12
    // lies between first quarter (April 10) and full Moon (April 17).
    const MoonPhase::Phase phase = MoonPhase::phase(geo.longitude, geo.latitude, input.earthLongitude);
    const float mag = moon.mag;
    EXPECT_NEAR(mag, 1000.0 * phase.illuminatedFraction, 1e-3);
    EXPECT_DOUBLE_EQ(result.moonPhase, phase.percent);
    EXPECT_DOUBLE_EQ(result.moonAge, phase.age);
    EXPECT_GT(result.moonPhase, 50.0);
    EXPECT_LT(result.moonPhase, 100.0);

    input.isMetric = false;
    MoonStep::calculateMoon(input, moon, shadow);
    const float miles = moon.geoDistance;
    EXPECT_NEAR(miles, 368.4097 * 0.62137199, 0.0001);
}

TEST_F(MoonStepTest, MoonAndShadowPointTurnTopocentricAndKeepTheirOtherFields)
{
    const MoonStep::Result result = MoonStep::calculateMoon(input, moon, shadow);
    const Topocentric::Place topo = Topocentric::place(geo.rightAscension, geo.declination, std::sin(geo.parallax),
                                                       150.0 * kDeg, Topocentric::site(50.0 * kDeg, 30.0));
    const float ra = moon.ra;
    const float dec = moon.dec;
    EXPECT_NEAR(ra, topo.rightAscension, 1e-6);
    EXPECT_NEAR(dec, topo.declination, 1e-6);
    const double x = moon.vecX, y = moon.vecY, z = moon.vecZ;
    EXPECT_NEAR(x, std::cos(topo.declination) * std::cos(topo.rightAscension), 1e-15);
    EXPECT_NEAR(y, std::cos(topo.declination) * std::sin(topo.rightAscension), 1e-15);
    EXPECT_NEAR(z, std::sin(topo.declination), 1e-15);
    // The parallax moves the Moon by less than the parallax itself.
    const double shift = SkyReference::separationArcsec(ra, dec, geo.rightAscension, geo.declination);
    EXPECT_GT(shift, 60.0);
    EXPECT_LT(shift, degrees(geo.parallax) * 3600.0);
    EXPECT_NEAR(result.moonTermA,
                Topocentric::parallacticAngle(150.0 * kDeg - topo.rightAscension, topo.declination, 50.0 * kDeg),
                1e-15);

    // The shadow point's vector turns topocentric; its ra and dec stay geocentric.
    const float sra = shadow.ra, sdec = shadow.dec;
    EXPECT_EQ(sra, float(300.0 * kDeg));
    EXPECT_EQ(sdec, float(-10.0 * kDeg));
    const double sx = shadow.vecX, sy = shadow.vecY, sz = shadow.vecZ;
    EXPECT_NEAR(sx * sx + sy * sy + sz * sz, 1.0, 1e-12);
    const double shadowShift = SkyReference::separationArcsec(std::atan2(sy, sx), std::asin(sz), sra, sdec);
    EXPECT_GT(shadowShift, 60.0);
    EXPECT_LT(shadowShift, degrees(result.moonHP) * 3600.0);

    for (const planet& p : {moon, shadow}) {
        const std::int32_t state = p.state;
        const double horX = p.horX;
        const float helio = p.helioDistance, screenX = p.screenX;
        EXPECT_EQ(state, 1);
        EXPECT_EQ(horX, 0.25);
        EXPECT_EQ(helio, 149.6f);
        EXPECT_EQ(screenX, 12.0f);
    }
    const std::int32_t moonIndex = moon.index, shadowIndex = shadow.index;
    const float shadowDistance = shadow.geoDistance, shadowMag = shadow.mag;
    EXPECT_EQ(moonIndex, 9);
    EXPECT_EQ(shadowIndex, 10);
    EXPECT_EQ(shadowDistance, 0.0f);
    EXPECT_EQ(shadowMag, 0.0f);
}

TEST_F(MoonStepTest, FiniteAtThePoles)
{
    for (const double latitude : {90.0, -90.0}) {
        input.latitude = latitude;
        const MoonStep::Result result = MoonStep::calculateMoon(input, moon, shadow);
        const double x = moon.vecX, sx = shadow.vecX;
        EXPECT_TRUE(std::isfinite(x) && std::isfinite(sx) && std::isfinite(result.moonTermA)) << latitude;
    }
}

}  // namespace
