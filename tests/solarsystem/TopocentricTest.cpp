#include "solarsystem/moons/Topocentric.h"

#include "solarsystem/SkyReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using SkyReference::degrees;
using SkyReference::kDeg;
constexpr double kPi = std::numbers::pi;

// Palomar (Meeus example 11.a): latitude +33 21' 22", 1706 m.
const Topocentric::Site kPalomar = Topocentric::site((33.0 + 21.0 / 60.0 + 22.0 / 3600.0) * kDeg, 1706.0);

TEST(TopocentricSite, PalomarExample11aPolesAndEquator)
{
    EXPECT_NEAR(kPalomar.rhoSinPhi, 0.546861, 0.5e-6);
    EXPECT_NEAR(kPalomar.rhoCosPhi, 0.836339, 0.5e-6);
    const Topocentric::Site north = Topocentric::site(kPi / 2, 30.0);
    EXPECT_NEAR(north.rhoCosPhi, 0.0, 1e-12);
    EXPECT_NEAR(north.rhoSinPhi, 0.99664719 + 30.0 / 6378140.0, 1e-12);
    EXPECT_NEAR(Topocentric::site(-kPi / 2, 30.0).rhoSinPhi, -north.rhoSinPhi, 1e-12);
    EXPECT_DOUBLE_EQ(Topocentric::site(0.0, 0.0).rhoCosPhi, 1.0);
}

// Meeus example 40.a: Mars 2003 Aug 28 3h17m UT from Palomar, alpha 22h38m07.25s,
// delta -15 46' 15.9", 0.37276 AU, hour angle 288.7958 deg: 22h38m08.54s, -15 46' 30.0".
TEST(TopocentricPlace, MarsExample40a)
{
    const double ra = 339.530208 * kDeg;
    const Topocentric::Place place = Topocentric::place(
        ra, -15.771083 * kDeg, std::sin(8.794 / 3600.0 * kDeg) / 0.37276, ra + 288.7958 * kDeg, kPalomar);
    EXPECT_NEAR(degrees(place.rightAscension) / 15.0 * 3600.0, (22 * 60 + 38) * 60 + 8.54, 0.005);
    EXPECT_NEAR(degrees(place.declination) * 3600.0, -(15 * 3600 + 46 * 60 + 30.0), 0.05);
}

// A right ascension pushed below 0 comes back by a turn; an observer on the
// axis sees only the declination move, with no division by zero.
TEST(TopocentricPlace, WrapAndPoles)
{
    const double sinParallax = std::sin(1.0 * kDeg);
    const double wrapped =
        Topocentric::place(0.001 * kDeg, 0.0, sinParallax, kPi / 2, Topocentric::site(0.0, 30.0)).rightAscension;
    EXPECT_GT(degrees(wrapped), 359.0);
    EXPECT_LT(wrapped, 2.0 * kPi);
    for (const double latitude : {kPi / 2, -kPi / 2}) {
        const Topocentric::Place place =
            Topocentric::place(2.0, 0.3, sinParallax, 5.0, Topocentric::site(latitude, 30.0));
        EXPECT_NEAR(place.rightAscension, 2.0, 1e-9);
        EXPECT_LE(std::fabs(place.declination - 0.3), 1.0 * kDeg);
    }
}

TEST(ParallacticAngle, SignsAndEdges)
{
    EXPECT_DOUBLE_EQ(Topocentric::parallacticAngle(0.0, 10.0 * kDeg, 40.0 * kDeg), 0.0);
    // North of the zenith the pole lies below the body.
    EXPECT_NEAR(std::fabs(Topocentric::parallacticAngle(0.0, 60.0 * kDeg, 40.0 * kDeg)), kPi, 1e-12);
    EXPECT_LT(Topocentric::parallacticAngle(-0.5, 10.0 * kDeg, 40.0 * kDeg), 0.0);
    EXPECT_GT(Topocentric::parallacticAngle(0.5, 10.0 * kDeg, 40.0 * kDeg), 0.0);
    // Rising due east from the equator the pole lies 90 deg left of the zenith direction.
    EXPECT_NEAR(degrees(Topocentric::parallacticAngle(-kPi / 2, 0.0, 0.0)), -90.0, 1e-9);
}

}  // namespace
