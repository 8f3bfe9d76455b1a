#include "solarsystem/SkyReference.h"

#include "solarsystem/planets/Pluto.h"
#include "solarsystem/planets/SunJ2000.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <gtest/gtest.h>

// Worked examples of Meeus, Astronomical Algorithms (2nd ed.). The series
// agree to the digits the book prints; the apparent places carry the four-term
// nutation (good to about 0.5") where the book uses the full theory, hence 1".
namespace {

using namespace SkyReference;

constexpr double k1992Oct13 = 2448908.5;  // 1992 Oct 13.0 TD
constexpr double k1992Dec20 = 2448976.5;  // 1992 Dec 20.0 TD

EclipticPlace seriesAt(VSOP87Planet planet, double jde)
{
    return VSOP87Tables::planet(planet).place((jde - 2451545.0) / 365250.0);
}

// Two passes at the dynamical instant jde, the second with light time from the first's distances.
PlanetaryState passesAt(double jde, PassRecords& records, int count = 2)
{
    PlanetaryPass pass;
    PlanetaryPassRequest request;
    request.julianDay = universalFor(jde);
    for (int i = 0; i < count; ++i)
        EXPECT_TRUE(records.run(pass, request));
    return pass.state();
}

TEST(WorkedExamples, Sun25b)
{
    const EclipticPlace earth = seriesAt(VSOP87Planet::Earth, k1992Oct13);
    EXPECT_NEAR(earth.longitude / kDeg, 19.907372, 0.5e-6);
    EXPECT_NEAR(earth.latitude, -0.00000312, 0.5e-8);
    EXPECT_NEAR(earth.radius, 0.99760775, 0.5e-8);

    PassRecords records;
    passesAt(k1992Oct13, records, 1);
    const planet& sun = records.planets[0];
    EXPECT_LT(separation(sun, hms(13, 13, 30.749), dms(-7, 47, 1.74)), 1.0 * kArcsec);
    EXPECT_NEAR(sun.geoDistance / PlanetaryPass::kKmPerAU, 0.99760775, 2e-7);
    EXPECT_EQ(sun.helioDistance, 0.0f);
    EXPECT_FLOAT_EQ(sun.mag, -26.7f);
}

TEST(WorkedExamples, Venus33a)
{
    const EclipticPlace venus = seriesAt(VSOP87Planet::Venus, k1992Dec20);
    EXPECT_NEAR(venus.longitude / kDeg, 26.11428, 0.5e-5);
    EXPECT_NEAR(venus.latitude / kDeg, -2.62070, 0.5e-5);
    EXPECT_NEAR(venus.radius, 0.724603, 0.5e-6);
    const EclipticPlace earth = seriesAt(VSOP87Planet::Earth, k1992Dec20);
    EXPECT_NEAR(earth.longitude / kDeg, 88.35704, 0.5e-5);
    EXPECT_NEAR(earth.latitude / kDeg, 0.00014, 0.5e-5);
    EXPECT_NEAR(earth.radius, 0.983824, 0.5e-6);

    PassRecords records;
    const PlanetaryState state = passesAt(k1992Dec20, records);
    const planet& apparent = records.planets[2];
    EXPECT_LT(separation(apparent, hms(21, 4, 41.454), dms(-18, 53, 16.84)), 1.0 * kArcsec);
    EXPECT_NEAR(apparent.geoDistance / PlanetaryPass::kKmPerAU, 0.910947, 1e-6);
    EXPECT_NEAR(apparent.helioDistance / PlanetaryPass::kKmPerAU, 0.724604, 1e-6);
    // Illuminated fraction 0.647 (example 41.a, same date), east of the Sun.
    EXPECT_NEAR(state.venusPhase, 64.7, 0.05);
}

// Pluto (37.a) and the geocentric Sun on the FK5 equator of J2000.0 (26.a), 1992 Oct 13.0 TD.
TEST(WorkedExamples, Pluto37aAndSunOfJ2000Of26a)
{
    const double T = (k1992Oct13 - 2451545.0) / 36525.0;
    const EclipticPlace pluto = Pluto::heliocentricJ2000(T);
    EXPECT_NEAR(pluto.longitude / kDeg, 232.74071, 0.5e-5);
    EXPECT_NEAR(pluto.latitude / kDeg, 14.58782, 0.5e-5);
    EXPECT_NEAR(pluto.radius, 29.711111, 0.5e-6);
    const Vec3 sun = SunJ2000::geocentric(T);
    EXPECT_NEAR(sun.x, -0.9373959, 0.5e-7);
    EXPECT_NEAR(sun.y, -0.3131679, 0.5e-7);
    EXPECT_NEAR(sun.z, -0.1357792, 0.5e-7);
}

// Saturn's ring, 1992 Dec 16.0 TD (example 45.a): B 16.442, B' 14.679, P 6.741 degrees.
TEST(WorkedExamples, SaturnRing45a)
{
    PassRecords records;
    const SaturnRing ring = passesAt(2448972.5, records).ring;
    EXPECT_NEAR(ring.B / kDeg, 16.442, 0.001);
    EXPECT_NEAR(ring.BPrime / kDeg, 14.679, 0.001);
    EXPECT_NEAR(ring.P / kDeg, 6.741, 0.001);
}

}  // namespace
