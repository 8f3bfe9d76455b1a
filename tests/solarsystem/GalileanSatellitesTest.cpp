#include "solarsystem/moons/GalileanSatellites.h"
#include "solarsystem/moons/JupiterSatelliteTerms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Meeus example 44.b, 1992 Dec 16 0h UT (JDE 2448972.50068), with Jupiter's
// geometric geocentric place of date and light time from the book's abridged
// VSOP87 with the FK5 correction: 191.8044 deg, 1.2416 deg, 5.6611354 AU;
// heliocentric at the same moment 181.8797 deg, 1.2905 deg.
constexpr double kJde = 2448972.50068;
constexpr GalileanSatellites::Input kExample44b{kJde,          5.66113536888, 3.34761899273,
                                                0.0216691257207, 3.17439977575, 0.0225239980081};

// Printed to four decimals; Jupiter's place above differs from the book's by up
// to about 1" (1e-4 radii), hence one and a half units of the last decimal.
// All four stood in front of Jupiter.
TEST(GalileanSatellites, Example44b)
{
    const GalileanSatellites::Positions p = GalileanSatellites::positions(kExample44b);
    const double x[] = {-3.4502, 7.4418, 1.2011, 7.0720};
    const double y[] = {0.2137, 0.2753, 0.5900, 1.0291};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(p.fromEarth[k].x, x[k], 1.5e-4) << "satellite " << k + 1;
        EXPECT_NEAR(p.fromEarth[k].y, y[k], 1.5e-4) << "satellite " << k + 1;
        EXPECT_LT(p.fromEarth[k].z, 0.0);
    }
}

// Seen from the Sun along the Earth's line (no perspective) the shadows cover
// the satellites, but for the light-time shift (under 1e-3).
TEST(GalileanSatellites, ShadowsAlongTheEarthsLineCoverTheSatellites)
{
    GalileanSatellites::Input input = kExample44b;
    input.distanceAu = 1e9;
    input.heliocentricLongitude = input.geocentricLongitude;
    input.heliocentricLatitude = input.geocentricLatitude;
    const GalileanSatellites::Positions p = GalileanSatellites::positions(input);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(p.fromSun[k].x, p.fromEarth[k].x, 1e-3);
        EXPECT_NEAR(p.fromSun[k].y, p.fromEarth[k].y, 1e-9);
        EXPECT_NEAR(p.fromSun[k].z, p.fromEarth[k].z, 1e-9);
    }
}

// One transcription of the book's table has -0.0007917, which the worked example cannot tell apart.
TEST(JupiterSatelliteTerms, GanymedesSecondRadiusTermIsTheBooksValue)
{
    EXPECT_EQ(JupiterSatelliteTerms::radius(2)[1].coefficient, -0.0007919);
}

}  // namespace
