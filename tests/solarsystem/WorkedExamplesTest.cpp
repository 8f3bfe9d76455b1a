#include "PassHelpers.h"

#include "solarsystem/planets/Pluto.h"
#include "solarsystem/planets/SunJ2000.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <gtest/gtest.h>

// Worked examples of Meeus, Astronomical Algorithms (2nd ed.). The series
// values agree to the digits the book prints. The apparent places carry the
// four-term nutation (good to about 0.5") where the book uses the full
// theory, hence the 1" bounds there.
namespace {

constexpr double k1992Oct13 = 2448908.5;  // 1992 Oct 13.0 TD
constexpr double k1992Dec20 = 2448976.5;  // 1992 Dec 20.0 TD

double tauOf(double jde)
{
    return (jde - 2451545.0) / 365250.0;
}

TEST(WorkedExamples, SunSeriesOf25b)
{
    const EclipticPlace earth = VSOP87Tables::planet(VSOP87Planet::Earth).place(tauOf(k1992Oct13));
    EXPECT_NEAR(earth.longitude / kDeg, 19.907372, 0.5e-6);
    EXPECT_NEAR(earth.latitude, -0.00000312, 0.5e-8);
    EXPECT_NEAR(earth.radius, 0.99760775, 0.5e-8);
}

TEST(WorkedExamples, ApparentSunOf25b)
{
    PlanetaryPass pass;
    PassRecords records;
    PlanetaryPassRequest request;
    request.julianDay = universalFor(k1992Oct13);
    ASSERT_TRUE(records.run(pass, request));
    const planet& sun = records.planets[0];
    EXPECT_LT(separation(sun, hours(13, 13, 30.749), degrees(-7, 47, 1.74)), 1.0 * kArcsec);
    EXPECT_NEAR(sun.geoDistance / PlanetaryPass::kKmPerAU, 0.99760775, 2e-7);
    EXPECT_EQ(sun.helioDistance, 0.0f);
    EXPECT_FLOAT_EQ(sun.mag, -26.7f);
}

TEST(WorkedExamples, VenusSeriesOf33a)
{
    const double tau = tauOf(k1992Dec20);
    const EclipticPlace venus = VSOP87Tables::planet(VSOP87Planet::Venus).place(tau);
    EXPECT_NEAR(venus.longitude / kDeg, 26.11428, 0.5e-5);
    EXPECT_NEAR(venus.latitude / kDeg, -2.62070, 0.5e-5);
    EXPECT_NEAR(venus.radius, 0.724603, 0.5e-6);
    const EclipticPlace earth = VSOP87Tables::planet(VSOP87Planet::Earth).place(tau);
    EXPECT_NEAR(earth.longitude / kDeg, 88.35704, 0.5e-5);
    EXPECT_NEAR(earth.latitude / kDeg, 0.00014, 0.5e-5);
    EXPECT_NEAR(earth.radius, 0.983824, 0.5e-6);
}

// The second pass takes the light time from the distance the first left,
// one step as in the book.
TEST(WorkedExamples, ApparentVenusOf33a)
{
    PlanetaryPass pass;
    PassRecords records;
    PlanetaryPassRequest request;
    request.julianDay = universalFor(k1992Dec20);
    ASSERT_TRUE(records.run(pass, request));
    ASSERT_TRUE(records.run(pass, request));
    const planet& venus = records.planets[2];
    EXPECT_LT(separation(venus, hours(21, 4, 41.454), degrees(-18, 53, 16.84)), 1.0 * kArcsec);
    EXPECT_NEAR(venus.geoDistance / PlanetaryPass::kKmPerAU, 0.910947, 1e-6);
    EXPECT_NEAR(venus.helioDistance / PlanetaryPass::kKmPerAU, 0.724604, 1e-6);
    // Illuminated fraction 0.647 (example 41.a, same date); east of the Sun.
    EXPECT_NEAR(pass.state().venusPhase, 64.7, 0.05);
}

TEST(WorkedExamples, PlutoOf37a)
{
    const EclipticPlace pluto = Pluto::heliocentricJ2000((k1992Oct13 - 2451545.0) / 36525.0);
    EXPECT_NEAR(pluto.longitude / kDeg, 232.74071, 0.5e-5);
    EXPECT_NEAR(pluto.latitude / kDeg, 14.58782, 0.5e-5);
    EXPECT_NEAR(pluto.radius, 29.711111, 0.5e-6);
}

// The geocentric Sun on the FK5 equator of J2000.0 (example 26.a).
TEST(WorkedExamples, SunOfJ2000Of26a)
{
    const Vec3 sun = SunJ2000::geocentric((k1992Oct13 - 2451545.0) / 36525.0);
    EXPECT_NEAR(sun.x, -0.9373959, 0.5e-7);
    EXPECT_NEAR(sun.y, -0.3131679, 0.5e-7);
    EXPECT_NEAR(sun.z, -0.1357792, 0.5e-7);
}

// Saturn's ring, 1992 Dec 16.0 TD (example 45.a): B 16.442, B' 14.679,
// P 6.741 degrees.
TEST(WorkedExamples, SaturnRingOf45a)
{
    PlanetaryPass pass;
    PassRecords records;
    PlanetaryPassRequest request;
    request.julianDay = universalFor(2448972.5);
    ASSERT_TRUE(records.run(pass, request));
    ASSERT_TRUE(records.run(pass, request));
    const SaturnRing& ring = pass.state().ring;
    EXPECT_NEAR(ring.B / kDeg, 16.442, 0.001);
    EXPECT_NEAR(ring.BPrime / kDeg, 14.679, 0.001);
    EXPECT_NEAR(ring.P / kDeg, 6.741, 0.001);
}

}  // namespace
