#include "solarsystem/smallbodies/CalendarJulianDay.h"
#include "solarsystem/MpcLines.h"
#include "solarsystem/smallbodies/OrbitLine.h"
#include "solarsystem/smallbodies/OrbitPlace.h"
#include "solarsystem/smallbodies/SiteParallax.h"
#include "solarsystem/smallbodies/SmallBodyMagnitude.h"
#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kArcsecond = kDegree / 3600.0;
// Light time per AU, days (Meeus 33.3).
constexpr double kLightDaysPerAU = 0.0057755183;

double hms(double h, double m, double s)
{
    return (h + m / 60.0 + s / 3600.0) * 15.0 * kDegree;
}

double dms(double d, double m, double s)
{
    return (std::abs(d) + m / 60.0 + s / 3600.0) * kDegree * (d < 0.0 ? -1.0 : 1.0);
}

// Angle between two directions, radians.
double separation(double ra1, double dec1, double ra2, double dec2)
{
    const double c = std::sin(dec1) * std::sin(dec2)
        + std::cos(dec1) * std::cos(dec2) * std::cos(ra1 - ra2);
    return std::acos(std::min(1.0, c));
}

TEST(CalendarJulianDay, MeeusChapter7)
{
    EXPECT_DOUBLE_EQ(calendarJulianDay(1957, 10, 4.81), 2436116.31);  // example 7.a
    EXPECT_DOUBLE_EQ(calendarJulianDay(333, 1, 27.5), 1842713.0);     // example 7.b, Julian
    EXPECT_DOUBLE_EQ(calendarJulianDay(2000, 1, 1.5), 2451545.0);
    EXPECT_DOUBLE_EQ(calendarJulianDay(1582, 10, 15.0), 2299160.5);  // first Gregorian day
    EXPECT_DOUBLE_EQ(calendarJulianDay(1582, 10, 4.0), 2299159.5);   // last Julian day
    EXPECT_DOUBLE_EQ(calendarJulianDay(1600, 12, 31.0), 2305812.5);
}

TEST(SiteParallax, MeeusExample11a)
{
    // Palomar: latitude +33 21' 22", 1706 m.
    const SiteParallax palomar(dms(33, 21, 22), 0.0, 1706.0);
    EXPECT_NEAR(palomar.rhoSinPhi(), 0.546861, 5e-7);
    EXPECT_NEAR(palomar.rhoCosPhi(), 0.836339, 5e-7);
}

TEST(SiteParallax, MeeusExample40a)
{
    // Mars from Palomar, 2003 August 28, 3h17m UT: hour angle 288.7958 deg.
    const double ra = 339.530208 * kDegree;
    const double dec = -15.771083 * kDegree;
    const double distance = 0.37276;
    const OrbitPlace::Geocentric mars{{distance * std::cos(dec) * std::cos(ra),
                                       distance * std::cos(dec) * std::sin(ra), distance * std::sin(dec)},
                                      ra, dec, distance};
    const SiteParallax palomar(dms(33, 21, 22), ra + 288.7958 * kDegree, 1706.0);
    const SiteParallax::Topocentric seen = palomar.apply(mars);
    EXPECT_NEAR(seen.rightAscension, hms(22, 38, 8.54), 0.005 * 15.0 * kArcsecond);
    EXPECT_NEAR(seen.declination, dms(-15, 46, 30.0), 0.05 * kArcsecond);
}

TEST(SiteParallax, SeaLevelSiteOfTheProgram)
{
    // The program puts every site 30 m up; at the equator rho cos phi' is
    // 1 + 30 / 6378140 and rho sin phi' is 0.
    const SiteParallax equator(0.0, 0.0);
    EXPECT_DOUBLE_EQ(equator.rhoSinPhi(), 0.0);
    EXPECT_DOUBLE_EQ(equator.rhoCosPhi(), 1.0 + 30.0 / 6378140.0);
}

struct Astrometric {
    OrbitPlace::Geocentric place;
    OrbitPoint point;  // in the orbit when the light left
};

// The geocentric place of a body, corrected for light time as Meeus does:
// the body is taken at t - tau while the Sun stays at t.
Astrometric astrometric(const auto& record, const SmallBodyInputs& inputs, auto orbitOf)
{
    Astrometric result{};
    double tau = 0.0;
    for (int i = 0; i < 3; ++i) {
        const SmallBodyPosition::Frame frame(inputs, -tau);
        result.point = orbitOf(record, frame);
        result.place = OrbitPlace::geocentric(result.point, SmallBodyPosition::orientation(record),
                                              frame.sunJ2000, frame.precession);
        tau = kLightDaysPerAU * result.place.distance;
    }
    return result;
}

TEST(OrbitPlace, MeeusExample33bPeriodicCometEncke)
{
    // 1990 October 6.0 TD; elements referred to J2000.0.
    comet encke{};
    const double a = 2.2091404;
    encke.eccentricity = 0.8502196f;
    encke.perihelionDistance = float(a * (1.0 - 0.8502196));
    encke.perihelionYear = 1990;
    encke.perihelionMonth = 10;
    encke.perihelionDay = 28.54502f;
    encke.inclination = 11.94524f;
    encke.node = 334.75006f;
    encke.argPerihelion = 186.23352f;

    SmallBodyInputs inputs;
    inputs.julianDay = 2448170.5;
    // The Sun's geometric place on the J2000.0 equator at that moment, AU,
    // computed once with PyEphem 4.1.4 (Debian python3-ephem): astrometric
    // J2000 right ascension and declination of the Sun with its Earth distance.
    inputs.sunJ2000 = {-0.97567303, -0.20032524, -0.08685663};

    const OrbitPlace::Geocentric place =
        astrometric(encke, inputs, SmallBodyPosition::cometOrbit).place;
    // Printed: 158.558965 = 10h 34m 14.2s, 19.158496 = +19 09' 31". The
    // elements are held in single precision, as the comet record holds them.
    EXPECT_NEAR(place.rightAscension, 158.558965 * kDegree, 0.1 * kArcsecond);
    EXPECT_NEAR(place.declination, 19.158496 * kDegree, 0.1 * kArcsecond);
    EXPECT_NEAR(place.rightAscension, hms(10, 34, 14.2), 0.1 * 15.0 * kArcsecond);
    EXPECT_NEAR(place.declination, dms(19, 9, 31), 0.5 * kArcsecond);
}

struct EphemReference {
    std::string_view line;
    double julianDay;  // 0h TT
    std::array<double, 3> sun;
    double ra;  // astrometric J2000, degrees
    double dec;
    double earthDistance;
    double sunDistance;
    double mag;
};

// Reference places computed once with PyEphem 4.1.4 (Debian python3-ephem):
// an EllipticalBody fed with the line's own elements (epoch of the mean
// anomaly from the packed epoch, equinox J2000), computed for the UT that is
// the given TT less PyEphem's Delta-T, epoch='2000'; a_ra, a_dec,
// earth_distance, sun_distance and mag were read back, and the Sun's place
// from ephem.Sun's a_ra, a_dec and earth_distance at the same moment.
constexpr EphemReference kVesta2026{MpcLines::kVesta, 2461055.5,
                                    {0.407492907, -0.821444726, -0.356086911},
                                    303.9371944, -21.5824217, 3.185058355, 2.212086678, 7.80};
constexpr EphemReference kEros2019{MpcLines::kEros, 2458696.5,
                                   {-0.628091370, 0.731688220, 0.317188504},
                                   202.1418790, -20.2990825, 1.405319691, 1.583680749, 13.99};

TEST(OrbitPlace, MinorPlanetsAgreeWithPyEphemWithinTwoArcseconds)
{
    for (const EphemReference& ref : {kVesta2026, kEros2019}) {
        minorPlanet m{};
        ASSERT_TRUE(OrbitLine::parse(ref.line, m));
        SmallBodyInputs inputs;
        inputs.julianDay = ref.julianDay;
        inputs.sunJ2000 = ref.sun;
        const auto orbitOf = [](const minorPlanet& body, const SmallBodyPosition::Frame& frame) {
            return *SmallBodyPosition::minorPlanetOrbit(body, frame);
        };
        const auto [place, point] = astrometric(m, inputs, orbitOf);
        EXPECT_LT(separation(place.rightAscension, place.declination, ref.ra * kDegree,
                             ref.dec * kDegree),
                  2.0 * kArcsecond)
            << m.name;
        EXPECT_NEAR(place.distance, ref.earthDistance, 2e-6) << m.name;

        const SmallBodyPosition::Frame frame(inputs, 0.0);
        EXPECT_NEAR(point.radius, ref.sunDistance, 2e-6) << m.name;
        EXPECT_NEAR(SmallBodyMagnitude::minorPlanet(m.absMagnitude, m.slope, point.radius,
                                                    place.distance, frame.earthSunSquared),
                    ref.mag, 0.015)
            << m.name;
    }
}

TEST(OrbitPlace, PrecessionMatrixIsApplied)
{
    // A quarter turn about the pole moves the right ascension by 90 degrees.
    minorPlanet m{};
    ASSERT_TRUE(OrbitLine::parse(MpcLines::kVesta, m));
    SmallBodyInputs inputs;
    inputs.julianDay = kVesta2026.julianDay;
    inputs.sunJ2000 = kVesta2026.sun;
    const SmallBodyPosition::Frame j2000(inputs, 0.0);
    inputs.precession = {0.0, -1.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0};
    const SmallBodyPosition::Frame turned(inputs, 0.0);
    const OrbitPoint point = *SmallBodyPosition::minorPlanetOrbit(m, j2000);
    const OrbitPlace::Geocentric a =
        OrbitPlace::geocentric(point, SmallBodyPosition::orientation(m), j2000.sunJ2000, j2000.precession);
    const OrbitPlace::Geocentric b =
        OrbitPlace::geocentric(point, SmallBodyPosition::orientation(m), turned.sunJ2000, turned.precession);
    EXPECT_NEAR(std::remainder(b.rightAscension - a.rightAscension, 2.0 * std::numbers::pi),
                std::numbers::pi / 2.0, 1e-12);
    EXPECT_NEAR(b.declination, a.declination, 1e-12);
    EXPECT_NEAR(b.distance, a.distance, 1e-12);
}

TEST(SmallBodyMagnitude, CometAndMinorPlanet)
{
    // A comet of H 5.5 and slope 4 (K = 10) at r = 2 AU, delta = 1.5 AU.
    EXPECT_NEAR(SmallBodyMagnitude::comet(5.5, 4.0, 2.0, 1.5), 5.5 + 5.0 * std::log10(1.5) + 10.0 * std::log10(2.0),
                1e-12);
    // At opposition the phase functions are 1 and only the distances count.
    EXPECT_NEAR(SmallBodyMagnitude::minorPlanet(3.34, 0.12, 2.0, 1.0, 1.0), 3.34 + 5.0 * std::log10(2.0),
                1e-12);
    // In conjunction behind the Sun rounding can push cos(beta) past 1.
    EXPECT_TRUE(std::isfinite(SmallBodyMagnitude::minorPlanet(3.34, 0.12, 1.0, 2.0, 1.0 + 1e-15)));
}

}  // namespace
