#include "solarsystem/moons/JupiterSatellites.h"

#include "solarsystem/moons/GalileanSatellites.h"
#include "solarsystem/moons/JupiterCentralMeridian.h"

#include <gtest/gtest.h>

namespace {

constexpr double kMillionKmPerAu = 149.59787069;

// The instant and Jupiter's place of example 44.b (see GalileanSatellitesTest).
JupiterSatelliteInput example44b()
{
    return {2448972.50068, 5.66113536888 * kMillionKmPerAu, true, 3.34761899273, 0.0216691257207,
            3.17439977575, 0.0225239980081};
}

TEST(JupiterSatellites, HandsOnTheSatellitesShadowsAndCentralMeridianInKmOrMiles)
{
    const JupiterSatelliteInput input = example44b();
    JupiterSatellites satellites;
    satellites.calculateJupiterSatellites(input);
    const GalileanSatellites::Positions expected = GalileanSatellites::positions(
        {input.julianDay, input.geoDistance / kMillionKmPerAu, input.jL, input.jB, input.jsL, input.jsB});
    JupiterSatelliteInput imperial = input;
    imperial.isMetric = false;
    imperial.geoDistance = float(input.geoDistance * 0.62137199);
    JupiterSatellites inMiles;
    inMiles.calculateJupiterSatellites(imperial);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_DOUBLE_EQ(satellites.jupiterSatX()[k], expected.fromEarth[k].x);
        EXPECT_DOUBLE_EQ(satellites.jupiterSatY()[k], expected.fromEarth[k].y);
        EXPECT_EQ(satellites.jupiterSatVis()[k], expected.fromEarth[k].z < 0.0);
        EXPECT_DOUBLE_EQ(satellites.jSatShadowX()[k], expected.fromSun[k].x);
        EXPECT_DOUBLE_EQ(satellites.jSatShadowY()[k], expected.fromSun[k].y);
        EXPECT_EQ(satellites.jSatShadowVis()[k], expected.fromSun[k].z < 0.0);
        EXPECT_NEAR(inMiles.jupiterSatX()[k], satellites.jupiterSatX()[k], 1e-6);
        EXPECT_NEAR(inMiles.jupiterSatY()[k], satellites.jupiterSatY()[k], 1e-6);
    }
    EXPECT_DOUBLE_EQ(satellites.jupIIlong(), JupiterCentralMeridian::systemII(input.julianDay));
}

// Starting at J2000.0: the day cache once began at day 0, so a first call there gave zeros.
TEST(JupiterSatellites, OneComputationPerJulianDayOnceADistanceIsKnown)
{
    JupiterSatelliteInput input = example44b();
    input.julianDay = 2451545.0;
    input.geoDistance = 0.0;
    JupiterSatellites satellites;
    satellites.calculateJupiterSatellites(input);
    EXPECT_EQ(satellites.jupiterSatX(), JupiterSatellites::Values{});
    EXPECT_EQ(satellites.jupIIlong(), 0.0);

    input.geoDistance = example44b().geoDistance;
    satellites.calculateJupiterSatellites(input);
    const JupiterSatellites::Values first = satellites.jupiterSatX();
    EXPECT_NE(first, JupiterSatellites::Values{});
    EXPECT_NE(satellites.jSatShadowX(), JupiterSatellites::Values{});
    EXPECT_DOUBLE_EQ(satellites.jupIIlong(), JupiterCentralMeridian::systemII(2451545.0));
    input.geoDistance *= 2.0;
    input.jL += 0.1;
    satellites.calculateJupiterSatellites(input);
    EXPECT_EQ(satellites.jupiterSatX(), first);
    input.julianDay += 1.0 / 24.0;
    satellites.calculateJupiterSatellites(input);
    EXPECT_NE(satellites.jupiterSatX(), first);
    EXPECT_NE(satellites.jupIIlong(), JupiterCentralMeridian::systemII(2451545.0));
}

}  // namespace
