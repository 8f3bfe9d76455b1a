#include "solarsystem/moons/GalileanSatellites.h"
#include "solarsystem/moons/JupiterSatelliteTerms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Meeus, Astronomical Algorithms, example 44.b: 1992 December 16, 0h UT
// (JDE 2448972.50068). Jupiter's geometric geocentric place of date with its
// light time, as the example takes it, computed from the book's abridged
// VSOP87 (Appendix III) with the FK5 correction: longitude 191.8044 deg,
// latitude 1.2416 deg, distance 5.6611354 AU. Its heliocentric place at the
// same moment: 181.8797 deg, 1.2905 deg.
constexpr double kJde = 2448972.50068;
constexpr GalileanSatellites::Input kExample44b{kJde,          5.66113536888, 3.34761899273,
                                                0.0216691257207, 3.17439977575, 0.0225239980081};

TEST(GalileanSatellites, Example44b)
{
    // Printed to four decimals. Jupiter's place above differs from the book's own
    // by up to about 1", which moves a satellite by up to 1e-4 radii: the check
    // allows one and a half units of the last decimal.
    const GalileanSatellites::Positions p = GalileanSatellites::positions(kExample44b);
    const double x[] = {-3.4502, 7.4418, 1.2011, 7.0720};
    const double y[] = {0.2137, 0.2753, 0.5900, 1.0291};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(p.fromEarth[k].x, x[k], 1.5e-4) << "satellite " << k + 1;
        EXPECT_NEAR(p.fromEarth[k].y, y[k], 1.5e-4) << "satellite " << k + 1;
    }
}

TEST(GalileanSatellites, AllFourStoodInFrontOfJupiterInExample44b)
{
    const GalileanSatellites::Positions p = GalileanSatellites::positions(kExample44b);
    for (const GalileanSatellites::Satellite& s : p.fromEarth)
        EXPECT_LT(s.z, 0.0);
}

TEST(GalileanSatellites, RadiusVectorsStayNearTheMeanDistances)
{
    const double a[] = {5.90569, 9.39657, 14.98832, 26.36273};
    GalileanSatellites::Input input = kExample44b;
    input.distanceAu = 1e9;  // no perspective
    for (double day = 0.0; day < 40.0; day += 0.37) {
        input.julianDay = kJde + day;
        const GalileanSatellites::Positions p = GalileanSatellites::positions(input);
        for (std::size_t k = 0; k < 4; ++k) {
            const GalileanSatellites::Satellite& s = p.fromSun[k];
            EXPECT_NEAR(std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z), a[k], 0.01 * a[k]);
        }
    }
}

TEST(GalileanSatellites, SeenFromTheSunAlongTheEarthsLineTheShadowsCoverTheSatellites)
{
    GalileanSatellites::Input input = kExample44b;
    input.distanceAu = 1e9;  // no perspective, so only the light-time shift (under 1e-3) remains
    input.heliocentricLongitude = input.geocentricLongitude;
    input.heliocentricLatitude = input.geocentricLatitude;
    const GalileanSatellites::Positions p = GalileanSatellites::positions(input);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(p.fromSun[k].x, p.fromEarth[k].x, 1e-3);
        EXPECT_NEAR(p.fromSun[k].y, p.fromEarth[k].y, 1e-9);
        EXPECT_NEAR(p.fromSun[k].z, p.fromEarth[k].z, 1e-9);
    }
}

TEST(GalileanSatellites, IoTransitsWithItsShadowNearby)
{
    // Over two days Io crosses the disk once in front (a transit) and once behind;
    // within a few hours of the transit its shadow falls on the disk.
    GalileanSatellites::Input input = kExample44b;
    bool sawTransit = false;
    bool sawOccultation = false;
    bool sawShadow = false;
    for (double hours = 0.0; hours < 48.0; hours += 0.1) {
        input.julianDay = kJde + hours / 24.0;
        const GalileanSatellites::Positions p = GalileanSatellites::positions(input);
        const GalileanSatellites::Satellite& io = p.fromEarth[0];
        const GalileanSatellites::Satellite& shadow = p.fromSun[0];
        if (std::hypot(io.x, io.y) < 0.9) {
            if (io.z < 0.0)
                sawTransit = true;
            else
                sawOccultation = true;
        }
        if (std::hypot(shadow.x, shadow.y) < 0.9 && shadow.z < 0.0)
            sawShadow = true;
    }
    EXPECT_TRUE(sawTransit);
    EXPECT_TRUE(sawOccultation);
    EXPECT_TRUE(sawShadow);
}

TEST(GalileanSatellites, SatellitesInFrontMoveWestward)
{
    // Prograde orbits: near conjunction a satellite nearer to the Earth than
    // Jupiter (z < 0) moves toward the west (x growing), one beyond it toward the east.
    const double a[] = {5.90569, 9.39657, 14.98832, 26.36273};
    GalileanSatellites::Input input = kExample44b;
    for (double day = 0.0; day < 60.0; day += 0.0731) {
        input.julianDay = kJde + day;
        const GalileanSatellites::Positions now = GalileanSatellites::positions(input);
        input.julianDay += 0.005;
        const GalileanSatellites::Positions later = GalileanSatellites::positions(input);
        for (std::size_t k = 0; k < 4; ++k) {
            if (std::fabs(now.fromEarth[k].x) > 0.5 * a[k])
                continue;
            EXPECT_EQ(later.fromEarth[k].x > now.fromEarth[k].x, now.fromEarth[k].z < 0.0)
                << "satellite " << k + 1 << " day " << day;
        }
    }
}

TEST(JupiterSatelliteTerms, HoldThePublishedTermCounts)
{
    const std::size_t longitude[] = {21, 37, 43, 50};
    const std::size_t latitude[] = {7, 9, 11, 8};
    const std::size_t radius[] = {7, 11, 10, 16};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(JupiterSatelliteTerms::longitude(k).size(), longitude[k]);
        EXPECT_EQ(JupiterSatelliteTerms::latitude(k).size(), latitude[k]);
        EXPECT_EQ(JupiterSatelliteTerms::radius(k).size(), radius[k]);
    }
    EXPECT_EQ(JupiterSatelliteTerms::longitude(1).front().coefficient, 1.06476);
    EXPECT_EQ(JupiterSatelliteTerms::radius(2)[1].coefficient, -0.0007919);
}

}  // namespace
