#include "model/SkyCoordinates.h"

#include <erfa.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace SkyCoordinates;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;

View view(double altitude, double azimuth)
{
    return View{altitude, azimuth, 500.0, 1000.0f, 800.0f};
}

// Angle between two horizon directions, exact near zero (unlike acos of a dot product).
double angleBetween(double az1, double alt1, double az2, double alt2)
{
    const double dx = std::cos(alt1) * std::cos(az1) - std::cos(alt2) * std::cos(az2);
    const double dy = std::cos(alt1) * std::sin(az1) - std::cos(alt2) * std::sin(az2);
    const double dz = std::sin(alt1) - std::sin(alt2);
    return 2.0 * std::asin(std::sqrt(dx * dx + dy * dy + dz * dz) / 2.0);
}

}  // namespace

TEST(SkyCoordinates, HorizonPlaceMatchesErfa)
{
    for (double latitude : {-89.0, -45.0, 0.0, 33.3, 51.5, 89.0}) {
        for (double ha = -170.0; ha <= 180.0; ha += 23.0) {
            for (double dec = -85.0; dec <= 85.0; dec += 17.0) {
                const double lst = 123.0 * kDeg;
                const double ra = lst - ha * kDeg;
                double az = 0.0, alt = 0.0;
                CalculateAzFromRA(ra, dec * kDeg, Site{latitude * kDeg, lst}, &az, &alt);
                double erfaAz = 0.0, erfaAlt = 0.0;
                eraHd2ae(ha * kDeg, dec * kDeg, latitude * kDeg, &erfaAz, &erfaAlt);
                EXPECT_NEAR(alt, erfaAlt, 1e-9);
                EXPECT_NEAR(std::remainder(az - erfaAz, 2 * kPi), 0.0, 1e-9)
                    << "lat " << latitude << " ha " << ha << " dec " << dec;
                EXPECT_GE(az, 0.0);
                EXPECT_LT(az, 2 * kPi);
            }
        }
    }
}

TEST(SkyCoordinates, EquatorialRoundTripTakesDegreesBack)
{
    const Site site{-30.0 * kDeg, 2.5};
    for (double azDeg = 5.0; azDeg < 360.0; azDeg += 35.0) {
        for (double altDeg = -60.0; altDeg <= 80.0; altDeg += 20.0) {
            double ra = 0.0, dec = 0.0;
            CalcRAFromAz(azDeg, altDeg, site, &ra, &dec);
            double az = 0.0, alt = 0.0;
            CalculateAzFromRA(ra, dec, site, &az, &alt);
            EXPECT_NEAR(angleBetween(az, alt, azDeg * kDeg, altDeg * kDeg), 0.0, 1e-9);
            EXPECT_GE(ra, 0.0);
            EXPECT_LT(ra, 2 * kPi);
        }
    }
}

// The centre lands on the chart's centre, 90 degrees straight above it one
// radius higher (y upward), and facing south west is to the right.
TEST(SkyCoordinates, ProjectionCentreAndOrientation)
{
    const View v = view(30.0, 200.0);
    const FloatPoint centre = CalculateAzPoint(200.0 * kDeg, 30.0 * kDeg, v);
    EXPECT_FLOAT_EQ(centre.x, 500.0f);
    EXPECT_FLOAT_EQ(centre.y, 400.0f);
    const FloatPoint up = CalculateAzPoint(20.0 * kDeg, 60.0 * kDeg, v);
    EXPECT_NEAR(up.x, 500.0, 1e-3);
    EXPECT_NEAR(up.y, 900.0, 1e-3);
    EXPECT_GT(CalculateAzPoint(260.0 * kDeg, 0.0, view(0.0, 180.0)).x, 500.0f);
}

TEST(SkyCoordinates, CursorPositionInvertsTheProjection)
{
    const Site site{45.0 * kDeg, 1.2};
    for (double viewAlt : {-85.0, -30.0, 0.0, 20.0, 60.0, 89.0}) {
        for (double viewAz : {0.0, 95.0, 180.0, 270.0, 359.0}) {
            const View v = view(viewAlt, viewAz);
            for (double dAz = -75.0; dAz <= 75.0; dAz += 25.0) {
                for (double dAlt = -60.0; dAlt <= 60.0; dAlt += 20.0) {
                    const double alt = std::clamp(viewAlt + dAlt, -89.0, 89.0) * kDeg;
                    const double az = std::fmod(viewAz + dAz + 360.0, 360.0) * kDeg;
                    const FloatPoint p = CalculateAzPoint(az, alt, v);
                    const auto back = calculateCursorPosition(p, v, site);
                    ASSERT_TRUE(back);
                    // Single-precision chart points limit the round trip to arcseconds.
                    EXPECT_NEAR(angleBetween(back->az * kDeg, back->alt * kDeg, az, alt), 0.0, 1e-4)
                        << "view " << viewAlt << "/" << viewAz << " at " << az / kDeg << "/"
                        << alt / kDeg << " got " << back->az << "/" << back->alt;
                    EXPECT_GE(back->az, 0.0);
                    EXPECT_LT(back->az, 360.0);
                }
            }
        }
    }
}

// The zenith lies radius·cos h0/(1 + sin h0) ≈ 134 points above the centre;
// beyond it the azimuth is the far one, but never for a view almost straight down.
TEST(SkyCoordinates, CursorBeyondTheZenithTakesTheFarAzimuth)
{
    const Site site{45.0 * kDeg, 0.0};
    const View v = view(60.0, 10.0);
    const auto centre = calculateCursorPosition({500.0f, 400.0f}, v, site);
    const auto below = calculateCursorPosition({500.0f, 500.0f}, v, site);
    const auto beyond = calculateCursorPosition({500.0f, 600.0f}, v, site);
    const auto down = calculateCursorPosition({500.0f, 700.0f}, view(-85.0, 100.0), site);
    ASSERT_TRUE(centre && below && beyond && down);
    EXPECT_NEAR(centre->alt, 60.0, 1e-6);
    EXPECT_NEAR(centre->az, 10.0, 1e-6);
    EXPECT_NEAR(below->az, 10.0, 1e-6);
    EXPECT_NEAR(beyond->az, 190.0, 1e-6);
    EXPECT_NEAR(down->az, 100.0, 1e-6);
}

// A z just above 1 by rounding must not make asin give NaN.
TEST(SkyCoordinates, VectorsGiveTheirRightAscensionAndDeclination)
{
    for (double ra = 0.1; ra < 2 * kPi; ra += 0.7) {
        for (double dec : {-1.2, 0.0, 1.5}) {
            double r = 0.0, d = 0.0;
            raDecOfVector(std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec),
                          &r, &d);
            EXPECT_NEAR(r, ra, 1e-7);
            EXPECT_NEAR(d, dec, 1e-12);
        }
    }
    double r = -1.0, d = 0.0;
    raDecOfVector(0.0, 0.0, 1.0000000000000002, &r, &d);
    EXPECT_FALSE(std::isnan(r));
    EXPECT_NEAR(d, kPi / 2, 1e-12);
}

// From the equator the north point of the horizon is the celestial pole, where
// the hour angle is undefined: a right ascension came back NaN there.
TEST(SkyCoordinates, CelestialPoleSeenFromTheEquatorHasAFiniteRightAscension)
{
    const Site site{0.0, 1.0};
    double ra = -1.0, dec = 0.0;
    CalcRAFromAz(0.0, 0.0, site, &ra, &dec);
    EXPECT_TRUE(ra >= 0.0 && ra < 2 * kPi) << ra;
    EXPECT_NEAR(dec, kPi / 2, 1e-12);
}
