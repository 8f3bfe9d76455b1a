#include "solarsystem/moons/MoonStep.h"

#include "solarsystem/moons/MoonPhase.h"
#include "solarsystem/moons/MoonPosition.h"
#include "solarsystem/moons/Topocentric.h"

#include "solarsystem/SkyReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using SkyReference::degrees;
using SkyReference::kDeg;

// A record with a few fields set, to see which the step writes.
planet record(std::int32_t index, float ra = 0.0f, float dec = 0.0f)
{
    planet p{};
    p.index = index;
    p.ra = ra;
    p.dec = dec;
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
                          SkyReference::handOverAt(2448724.5).pLe, 150.0, 50.0, true};
    planet moon = record(9);
    planet shadow = record(10, float(300.0 * kDeg), float(-10.0 * kDeg));
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

// The Moon's record holds its topocentric place; the shadow point's vector
// turns topocentric by less than the Moon's parallax while its ra and dec stay geocentric.
TEST_F(MoonStepTest, MoonAndShadowPointTurnTopocentric)
{
    const MoonStep::Result result = MoonStep::calculateMoon(input, moon, shadow);
    const Topocentric::Place topo = Topocentric::place(geo.rightAscension, geo.declination, std::sin(geo.parallax),
                                                       150.0 * kDeg, Topocentric::site(50.0 * kDeg, 30.0));
    const float ra = moon.ra, dec = moon.dec;
    EXPECT_NEAR(ra, topo.rightAscension, 1e-6);
    EXPECT_NEAR(dec, topo.declination, 1e-6);
    EXPECT_LT(SkyReference::separation(moon, topo.rightAscension, topo.declination), 1e-12);
    EXPECT_NEAR(result.moonTermA,
                Topocentric::parallacticAngle(150.0 * kDeg - topo.rightAscension, topo.declination, 50.0 * kDeg),
                1e-15);

    const float sra = shadow.ra, sdec = shadow.dec;
    EXPECT_EQ(sra, float(300.0 * kDeg));
    EXPECT_EQ(sdec, float(-10.0 * kDeg));
    const double sx = shadow.vecX, sy = shadow.vecY, sz = shadow.vecZ;
    EXPECT_NEAR(sx * sx + sy * sy + sz * sz, 1.0, 1e-12);
    const double shift = SkyReference::separation(shadow, sra, sdec) / SkyReference::kArcsec;
    EXPECT_GT(shift, 60.0);
    EXPECT_LT(shift, degrees(result.moonHP) * 3600.0);
}

// Only the place, distance and magnitude of the Moon and the shadow point's vector are written.
TEST_F(MoonStepTest, OtherFieldsAreLeftAlone)
{
    planet moonWas = moon, shadowWas = shadow;
    MoonStep::calculateMoon(input, moon, shadow);
    moonWas.vecX = moon.vecX;
    moonWas.vecY = moon.vecY;
    moonWas.vecZ = moon.vecZ;
    shadowWas.vecX = shadow.vecX;
    shadowWas.vecY = shadow.vecY;
    shadowWas.vecZ = shadow.vecZ;
    moonWas.ra = moon.ra;
    moonWas.dec = moon.dec;
    moonWas.geoDistance = moon.geoDistance;
    moonWas.mag = moon.mag;
    EXPECT_EQ(std::memcmp(&moonWas, &moon, sizeof(planet)), 0);
    EXPECT_EQ(std::memcmp(&shadowWas, &shadow, sizeof(planet)), 0);
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
