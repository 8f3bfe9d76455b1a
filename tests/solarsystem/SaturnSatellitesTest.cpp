#include "solarsystem/moons/SaturnSatellites.h"

#include <gtest/gtest.h>

namespace {

constexpr double kMillionKmPerAu = 149.59787069;

// Meeus example 46.a, 1999 Sep 8 0h UT (JDE 2451439.50074), with Saturn's
// geometric geocentric place of date and light time from the book's abridged
// VSOP87 with the FK5 correction: 46.8652 deg, -2.5393 deg, 8.5574916 AU.
SaturnSatelliteInput example46a()
{
    return {2451439.50074, 8.55749158257 * kMillionKmPerAu, true, 0.81795279854, -0.0443187203268};
}

TEST(SaturnSatellites, Example46a)
{
    SaturnSatellites satellites;
    satellites.calculateSaturnSatellites(example46a());
    // Mimas, Enceladus, Tethys, Dione, Rhea, Titan, Hyperion, Iapetus, printed to three decimals.
    const double x[] = {3.102, 3.823, 4.027, -5.365, -0.972, 14.568, -18.001, -48.760};
    const double y[] = {-0.204, 0.318, -1.061, -1.148, -3.136, 4.738, -5.328, 4.137};
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_NEAR(satellites.saturnSatX()[k], x[k], 0.0005) << "satellite " << k + 1;
        EXPECT_NEAR(satellites.saturnSatY()[k], y[k], 0.0005) << "satellite " << k + 1;
    }

    // Miles give the same places.
    SaturnSatelliteInput imperial = example46a();
    imperial.isMetric = false;
    imperial.geoDistance = float(imperial.geoDistance * 0.62137199);
    SaturnSatellites inMiles;
    inMiles.calculateSaturnSatellites(imperial);
    for (std::size_t k = 0; k < 8; ++k)
        EXPECT_NEAR(inMiles.saturnSatX()[k], satellites.saturnSatX()[k], 1e-6);
}

// Starting at J2000.0: the day cache once began at day 0, so a first call there gave zeros.
TEST(SaturnSatellites, OneComputationPerJulianDayOnceADistanceIsKnown)
{
    SaturnSatelliteInput input = example46a();
    input.julianDay = 2451545.0;
    input.geoDistance = -1.0;
    SaturnSatellites satellites;
    satellites.calculateSaturnSatellites(input);
    EXPECT_EQ(satellites.saturnSatX(), SaturnSatellites::Values{});

    input.geoDistance = example46a().geoDistance;
    satellites.calculateSaturnSatellites(input);
    const SaturnSatellites::Values first = satellites.saturnSatX();
    EXPECT_NE(first, SaturnSatellites::Values{});
    input.geoDistance *= 0.5;
    input.sL += 0.2;
    satellites.calculateSaturnSatellites(input);
    EXPECT_EQ(satellites.saturnSatX(), first);
    input.julianDay += 0.1;
    satellites.calculateSaturnSatellites(input);
    EXPECT_NE(satellites.saturnSatX(), first);
}

}  // namespace
