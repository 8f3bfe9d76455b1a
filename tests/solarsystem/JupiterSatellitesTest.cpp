#include "solarsystem/moons/JupiterSatellites.h"

#include "solarsystem/moons/GalileanSatellites.h"
#include "solarsystem/moons/JupiterCentralMeridian.h"

#include <gtest/gtest.h>

namespace {

constexpr double kMillionKmPerAu = 149.59787069;
constexpr double kMilesPerKm = 0.62137199;

// The instant and Jupiter's place of example 44.b (see GalileanSatellitesTest).
JupiterSatelliteInput example44b()
{
    return {2448972.50068, 5.66113536888 * kMillionKmPerAu, true, 3.34761899273, 0.0216691257207,
            3.17439977575, 0.0225239980081};
}

bool anyNonZero(const JupiterSatellites::Values& values)
{
    for (const double v : values)
        if (v != 0.0)
            return true;
    return false;
}

TEST(JupiterSatellites, HandsOnTheSatellitesShadowsAndCentralMeridian)
{
    const JupiterSatelliteInput input = example44b();
    JupiterSatellites satellites;
    satellites.calculateJupiterSatellites(input);
    const GalileanSatellites::Positions expected = GalileanSatellites::positions(
        {input.julianDay, input.geoDistance / kMillionKmPerAu, input.jL, input.jB, input.jsL, input.jsB});
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_DOUBLE_EQ(satellites.jupiterSatX()[k], expected.fromEarth[k].x);
        EXPECT_DOUBLE_EQ(satellites.jupiterSatY()[k], expected.fromEarth[k].y);
        EXPECT_EQ(satellites.jupiterSatVis()[k], expected.fromEarth[k].z < 0.0);
        EXPECT_DOUBLE_EQ(satellites.jSatShadowX()[k], expected.fromSun[k].x);
        EXPECT_DOUBLE_EQ(satellites.jSatShadowY()[k], expected.fromSun[k].y);
        EXPECT_EQ(satellites.jSatShadowVis()[k], expected.fromSun[k].z < 0.0);
    }
    EXPECT_DOUBLE_EQ(satellites.jupIIlong(), JupiterCentralMeridian::systemII(input.julianDay));
}

TEST(JupiterSatellites, FirstCallAtJ2000IsComputed)
{
    JupiterSatelliteInput input = example44b();
    input.julianDay = 2451545.0;
    JupiterSatellites satellites;
    satellites.calculateJupiterSatellites(input);
    EXPECT_TRUE(anyNonZero(satellites.jupiterSatX()));
    EXPECT_TRUE(anyNonZero(satellites.jSatShadowX()));
    EXPECT_DOUBLE_EQ(satellites.jupIIlong(), JupiterCentralMeridian::systemII(2451545.0));
}

TEST(JupiterSatellites, SameJulianDayKeepsTheFirstResults)
{
    JupiterSatelliteInput input = example44b();
    JupiterSatellites satellites;
    satellites.calculateJupiterSatellites(input);
    const JupiterSatellites::Values first = satellites.jupiterSatX();
    input.geoDistance *= 2.0;
    input.jL += 0.1;
    satellites.calculateJupiterSatellites(input);
    EXPECT_EQ(satellites.jupiterSatX(), first);
}

TEST(JupiterSatellites, AnotherJulianDayRecomputes)
{
    JupiterSatelliteInput input = example44b();
    JupiterSatellites satellites;
    satellites.calculateJupiterSatellites(input);
    const JupiterSatellites::Values first = satellites.jupiterSatX();
    const double firstMeridian = satellites.jupIIlong();
    input.julianDay += 1.0 / 24.0;
    satellites.calculateJupiterSatellites(input);
    EXPECT_NE(satellites.jupiterSatX(), first);
    EXPECT_NE(satellites.jupIIlong(), firstMeridian);
}

TEST(JupiterSatellites, MilesGiveTheSameResultsAsKilometres)
{
    JupiterSatelliteInput metric = example44b();
    JupiterSatelliteInput imperial = metric;
    imperial.isMetric = false;
    imperial.geoDistance = float(metric.geoDistance * kMilesPerKm);
    JupiterSatellites a;
    JupiterSatellites b;
    a.calculateJupiterSatellites(metric);
    b.calculateJupiterSatellites(imperial);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(a.jupiterSatX()[k], b.jupiterSatX()[k], 1e-6);
        EXPECT_NEAR(a.jupiterSatY()[k], b.jupiterSatY()[k], 1e-6);
    }
}

TEST(JupiterSatellites, NoDistanceYetComputesNothingAndLeavesTheDayOpen)
{
    JupiterSatelliteInput input = example44b();
    input.geoDistance = 0.0;
    JupiterSatellites satellites;
    satellites.calculateJupiterSatellites(input);
    EXPECT_FALSE(anyNonZero(satellites.jupiterSatX()));
    EXPECT_EQ(satellites.jupIIlong(), 0.0);
    input.geoDistance = example44b().geoDistance;
    satellites.calculateJupiterSatellites(input);
    EXPECT_TRUE(anyNonZero(satellites.jupiterSatX()));
}

}  // namespace
