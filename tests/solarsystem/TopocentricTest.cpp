#include "solarsystem/moons/Topocentric.h"

#include "solarsystem/SkyReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using SkyReference::degrees;
using SkyReference::kDeg;

// Palomar Observatory (Meeus, Astronomical Algorithms, example 11.a): latitude
// +33 deg 21' 22", height 1706 m.
constexpr double kPalomarLatitude = (33.0 + 21.0 / 60.0 + 22.0 / 3600.0) * kDeg;
constexpr double kPalomarHeight = 1706.0;

TEST(TopocentricSite, PalomarExample11a)
{
    const Topocentric::Site site = Topocentric::site(kPalomarLatitude, kPalomarHeight);
    EXPECT_NEAR(site.rhoSinPhi, 0.546861, 0.5e-6);
    EXPECT_NEAR(site.rhoCosPhi, 0.836339, 0.5e-6);
}

TEST(TopocentricSite, PolesAndEquator)
{
    const Topocentric::Site north = Topocentric::site(std::numbers::pi / 2, 30.0);
    EXPECT_NEAR(north.rhoCosPhi, 0.0, 1e-12);
    EXPECT_NEAR(north.rhoSinPhi, 0.99664719 + 30.0 / 6378140.0, 1e-12);
    const Topocentric::Site south = Topocentric::site(-std::numbers::pi / 2, 30.0);
    EXPECT_NEAR(south.rhoSinPhi, -north.rhoSinPhi, 1e-12);
    const Topocentric::Site equator = Topocentric::site(0.0, 0.0);
    EXPECT_DOUBLE_EQ(equator.rhoCosPhi, 1.0);
    EXPECT_DOUBLE_EQ(equator.rhoSinPhi, 0.0);
}

// Meeus, example 40.a: Mars on 2003 August 28, 3h17m UT, seen from Palomar:
// alpha 22h38m07.25s, delta -15 deg 46' 15.9", distance 0.37276 AU, hour angle
// 288.7958 deg; topocentric alpha' 22h38m08.54s, delta' -15 deg 46' 30.0".
TEST(TopocentricPlace, MarsExample40a)
{
    const double ra = 339.530208 * kDeg;
    const double dec = -15.771083 * kDeg;
    const double sinParallax = std::sin(8.794 / 3600.0 * kDeg) / 0.37276;
    const double siderealTime = ra + 288.7958 * kDeg;
    const Topocentric::Place place = Topocentric::place(
        ra, dec, sinParallax, siderealTime, Topocentric::site(kPalomarLatitude, kPalomarHeight));
    EXPECT_NEAR(degrees(place.rightAscension) / 15.0 * 3600.0, (22 * 60 + 38) * 60 + 8.54, 0.005);
    EXPECT_NEAR(degrees(place.declination) * 3600.0, -(15 * 3600 + 46 * 60 + 30.0), 0.05);
}

TEST(TopocentricPlace, OnTheMeridianOnlyTheDeclinationChanges)
{
    const Topocentric::Site site = Topocentric::site(40.0 * kDeg, 30.0);
    const double ra = 1.234;
    const double sinParallax = std::sin(0.95 * kDeg);
    const Topocentric::Place place = Topocentric::place(ra, 10.0 * kDeg, sinParallax, ra, site);
    EXPECT_NEAR(place.rightAscension, ra, 1e-12);
    // South of the zenith the parallax lowers the body by about pi x sin(zenith distance).
    EXPECT_NEAR(degrees(10.0 * kDeg - place.declination), 0.95 * std::sin(30.0 * kDeg), 0.01);
}

TEST(TopocentricPlace, NearTheHorizonTheRightAscensionShiftsUpToAboutADegree)
{
    const Topocentric::Site site = Topocentric::site(0.0, 30.0);
    const double sinParallax = std::sin(1.0 * kDeg);
    // Setting in the west (hour angle +90 deg) the parallax lowers the Moon
    // toward the western horizon, to a smaller right ascension; rising, to a larger one.
    const Topocentric::Place west = Topocentric::place(1.0, 0.0, sinParallax, 1.0 + std::numbers::pi / 2, site);
    EXPECT_NEAR(degrees(west.rightAscension - 1.0), -1.0, 0.01);
    EXPECT_NEAR(west.declination, 0.0, 1e-12);
    const Topocentric::Place east = Topocentric::place(1.0, 0.0, sinParallax, 1.0 - std::numbers::pi / 2, site);
    EXPECT_NEAR(degrees(east.rightAscension - 1.0), 1.0, 0.01);
}

TEST(TopocentricPlace, RightAscensionStaysInOneTurn)
{
    const Topocentric::Site site = Topocentric::site(0.0, 30.0);
    const double sinParallax = std::sin(1.0 * kDeg);
    const Topocentric::Place place = Topocentric::place(0.001 * kDeg, 0.0, sinParallax, std::numbers::pi / 2, site);
    EXPECT_GE(place.rightAscension, 0.0);
    EXPECT_GT(degrees(place.rightAscension), 359.0);
    EXPECT_LT(place.rightAscension, 2.0 * std::numbers::pi);
}

TEST(TopocentricPlace, AtThePolesTheValuesStayFinite)
{
    for (const double latitude : {std::numbers::pi / 2, -std::numbers::pi / 2}) {
        const Topocentric::Place place = Topocentric::place(2.0, 0.3, std::sin(1.0 * kDeg), 5.0,
                                                            Topocentric::site(latitude, 30.0));
        EXPECT_TRUE(std::isfinite(place.rightAscension));
        EXPECT_TRUE(std::isfinite(place.declination));
        // The observer lies on the axis: only the declination moves, by up to the parallax.
        EXPECT_NEAR(place.rightAscension, 2.0, 1e-9);
        EXPECT_LE(std::fabs(place.declination - 0.3), 1.0 * kDeg);
    }
}

TEST(ParallacticAngle, ZeroOnTheMeridianSouthOfTheZenith)
{
    EXPECT_DOUBLE_EQ(Topocentric::parallacticAngle(0.0, 10.0 * kDeg, 40.0 * kDeg), 0.0);
    // North of the zenith the pole lies below the body.
    EXPECT_NEAR(std::fabs(Topocentric::parallacticAngle(0.0, 60.0 * kDeg, 40.0 * kDeg)), std::numbers::pi, 1e-12);
}

TEST(ParallacticAngle, NegativeInTheEastPositiveInTheWest)
{
    EXPECT_LT(Topocentric::parallacticAngle(-0.5, 10.0 * kDeg, 40.0 * kDeg), 0.0);
    EXPECT_GT(Topocentric::parallacticAngle(0.5, 10.0 * kDeg, 40.0 * kDeg), 0.0);
}

TEST(ParallacticAngle, OnTheEquatorAtTheHorizonItIsTheComplementOfTheDeclination)
{
    // Rising due east from the equator the pole lies 90 deg to the left of the zenith direction.
    EXPECT_NEAR(degrees(Topocentric::parallacticAngle(-std::numbers::pi / 2, 0.0, 0.0)), -90.0, 1e-9);
}

}  // namespace
