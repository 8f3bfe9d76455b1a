#include "solarsystem/smallbodies/CalendarJulianDay.h"
#include "solarsystem/MpcLines.h"
#include "solarsystem/smallbodies/OrbitLine.h"
#include "solarsystem/smallbodies/OrbitPlace.h"
#include "solarsystem/smallbodies/SiteParallax.h"
#include "solarsystem/smallbodies/SmallBodyMagnitude.h"
#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include "solarsystem/SkyReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using namespace SkyReference;

TEST(CalendarJulianDay, MeeusChapter7)
{
    EXPECT_DOUBLE_EQ(calendarJulianDay(1957, 10, 4.81), 2436116.31);  // example 7.a
    EXPECT_DOUBLE_EQ(calendarJulianDay(333, 1, 27.5), 1842713.0);     // example 7.b, Julian
    EXPECT_DOUBLE_EQ(calendarJulianDay(2000, 1, 1.5), 2451545.0);
    EXPECT_DOUBLE_EQ(calendarJulianDay(1582, 10, 15.0), 2299160.5);  // first Gregorian day
    EXPECT_DOUBLE_EQ(calendarJulianDay(1582, 10, 4.0), 2299159.5);   // last Julian day
    EXPECT_DOUBLE_EQ(calendarJulianDay(1600, 12, 31.0), 2305812.5);
}

// Palomar, latitude +33 21' 22", 1706 m (Meeus example 11.a); the program's
// own sites stand 30 m up, so at the equator rho cos phi' is 1 + 30 / 6378140.
TEST(SiteParallax, MeeusExample11aAndTheProgramsSeaLevelSite)
{
    const SiteParallax palomar(dms(33, 21, 22), 0.0, 1706.0);
    EXPECT_NEAR(palomar.rhoSinPhi(), 0.546861, 5e-7);
    EXPECT_NEAR(palomar.rhoCosPhi(), 0.836339, 5e-7);
    const SiteParallax equator(0.0, 0.0);
    EXPECT_DOUBLE_EQ(equator.rhoSinPhi(), 0.0);
    EXPECT_DOUBLE_EQ(equator.rhoCosPhi(), 1.0 + 30.0 / 6378140.0);
}

// Mars from Palomar, 2003 August 28, 3h17m UT: hour angle 288.7958 deg.
TEST(SiteParallax, MeeusExample40a)
{
    const double ra = 339.530208 * kDeg;
    const double dec = -15.771083 * kDeg;
    const double distance = 0.37276;
    const OrbitPlace::Geocentric mars = OrbitPlace::spherical(
        {distance * std::cos(dec) * std::cos(ra), distance * std::cos(dec) * std::sin(ra), distance * std::sin(dec)});
    const SiteParallax::Topocentric seen = SiteParallax(dms(33, 21, 22), ra + 288.7958 * kDeg, 1706.0).apply(mars);
    EXPECT_NEAR(seen.rightAscension, hms(22, 38, 8.54), 0.005 * 15.0 * kArcsec);
    EXPECT_NEAR(seen.declination, dms(-15, 46, 30.0), 0.05 * kArcsec);
}

// The geometric place of a body corrected for light time as Meeus does (the
// body at t - tau, the Sun at t), and its orbit point when the light left.
struct Astrometric {
    OrbitPlace::Geocentric place;
    OrbitPoint point;
};

Astrometric astrometric(const auto& record, const SmallBodyInputs& inputs, auto orbitOf)
{
    const SmallBodyPosition::Frame frame(inputs, 0.0);
    const auto orbitAt = [&](double lightDays) { return orbitOf(record, frame, lightDays); };
    const SmallBodyPosition::Retarded body =
        SmallBodyPosition::retarded(orbitAt, SmallBodyPosition::orientation(record), frame);
    return {OrbitPlace::spherical(body.meanOfDate), body.point};
}

// 1990 October 6.0 TD, elements referred to J2000.0 and held in single
// precision as the comet record holds them. The Sun's geometric place on the
// J2000.0 equator, AU, computed once with PyEphem 4.1.4 (Debian
// python3-ephem): astrometric J2000 place of the Sun with its Earth distance.
// Printed: 158.558965 = 10h 34m 14.2s, 19.158496 = +19 09' 31".
TEST(OrbitPlace, MeeusExample33bPeriodicCometEncke)
{
    comet encke{};
    encke.eccentricity = 0.8502196f;
    encke.perihelionDistance = float(2.2091404 * (1.0 - 0.8502196));
    encke.perihelionYear = 1990;
    encke.perihelionMonth = 10;
    encke.perihelionDay = 28.54502f;
    encke.inclination = 11.94524f;
    encke.node = 334.75006f;
    encke.argPerihelion = 186.23352f;
    SmallBodyInputs inputs;
    inputs.julianDay = universalFor(2448170.5);
    inputs.sunJ2000 = {-0.97567303, -0.20032524, -0.08685663};
    const auto orbitOf = [](const comet& body, const SmallBodyPosition::Frame& frame, double lightDays) {
        return SmallBodyPosition::cometOrbit(body, frame, lightDays);
    };
    const OrbitPlace::Geocentric place = astrometric(encke, inputs, orbitOf).place;
    EXPECT_NEAR(place.rightAscension, 158.558965 * kDeg, 0.1 * kArcsec);
    EXPECT_NEAR(place.declination, 19.158496 * kDeg, 0.1 * kArcsec);
}

struct EphemReference {
    std::string_view line;
    double julianDay;  // 0h TT
    std::array<double, 3> sun;
    double ra, dec;  // astrometric J2000, degrees
    double earthDistance, sunDistance, mag;
};

// Computed once with PyEphem 4.1.4 (Debian python3-ephem): an EllipticalBody
// fed with the line's own elements (epoch of the mean anomaly from the packed
// epoch, equinox J2000) at the UT that is the given TT less PyEphem's Delta-T,
// epoch='2000'; a_ra, a_dec, earth_distance, sun_distance and mag read back,
// and the Sun's place from ephem.Sun's a_ra, a_dec and earth_distance.
constexpr EphemReference kVesta2026{MpcLines::kVesta, 2461055.5, {0.407492907, -0.821444726, -0.356086911},
                                    303.9371944, -21.5824217, 3.185058355, 2.212086678, 7.80};
constexpr EphemReference kEros2019{MpcLines::kEros, 2458696.5, {-0.628091370, 0.731688220, 0.317188504},
                                   202.1418790, -20.2990825, 1.405319691, 1.583680749, 13.99};

TEST(OrbitPlace, MinorPlanetsAgreeWithPyEphemWithinTwoArcseconds)
{
    for (const EphemReference& ref : {kVesta2026, kEros2019}) {
        minorPlanet m{};
        ASSERT_TRUE(OrbitLine::parse(ref.line, m));
        SmallBodyInputs inputs;
        inputs.julianDay = universalFor(ref.julianDay);
        inputs.sunJ2000 = ref.sun;
        const auto orbitOf = [](const minorPlanet& body, const SmallBodyPosition::Frame& frame, double lightDays) {
            return *SmallBodyPosition::minorPlanetOrbit(body, frame, lightDays);
        };
        const auto [place, point] = astrometric(m, inputs, orbitOf);
        EXPECT_LT(separationArcsec(place.rightAscension, place.declination, ref.ra * kDeg, ref.dec * kDeg), 2.0)
            << m.name;
        EXPECT_NEAR(place.distance, ref.earthDistance, 2e-6) << m.name;

        const SmallBodyPosition::Frame frame(inputs, 0.0);
        EXPECT_NEAR(point.radius, ref.sunDistance, 2e-6) << m.name;
        EXPECT_NEAR(SmallBodyMagnitude::minorPlanet(m.absMagnitude, m.slope, point.radius, place.distance,
                                                    frame.earthSunSquared),
                    ref.mag, 0.015) << m.name;
    }
}

// A quarter turn about the pole as the precession matrix moves the right ascension by 90 degrees.
TEST(OrbitPlace, PrecessionMatrixIsApplied)
{
    minorPlanet m{};
    ASSERT_TRUE(OrbitLine::parse(MpcLines::kVesta, m));
    SmallBodyInputs inputs;
    inputs.julianDay = kVesta2026.julianDay;
    inputs.sunJ2000 = kVesta2026.sun;
    const SmallBodyPosition::Frame j2000(inputs, 0.0);
    inputs.precession = {0.0, -1.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0};
    const SmallBodyPosition::Frame turned(inputs, 0.0);
    const OrbitPoint point = *SmallBodyPosition::minorPlanetOrbit(m, j2000);
    const auto a = OrbitPlace::geocentric(point, SmallBodyPosition::orientation(m), j2000.sunJ2000, j2000.precession);
    const auto b = OrbitPlace::geocentric(point, SmallBodyPosition::orientation(m), turned.sunJ2000, turned.precession);
    EXPECT_NEAR(std::remainder(b.rightAscension - a.rightAscension, 2.0 * std::numbers::pi), std::numbers::pi / 2.0,
                1e-12);
    EXPECT_NEAR(b.declination, a.declination, 1e-12);
    EXPECT_NEAR(b.distance, a.distance, 1e-12);
}

// A comet of H 5.5 and slope 4 at r = 2 AU, delta = 1.5 AU; a minor planet at
// opposition, where the phase functions are 1; in conjunction behind the Sun
// rounding once pushed cos(beta) past 1.
TEST(SmallBodyMagnitude, CometAndMinorPlanet)
{
    EXPECT_NEAR(SmallBodyMagnitude::comet(5.5, 4.0, 2.0, 1.5), 5.5 + 5.0 * std::log10(1.5) + 10.0 * std::log10(2.0),
                1e-12);
    EXPECT_NEAR(SmallBodyMagnitude::minorPlanet(3.34, 0.12, 2.0, 1.0, 1.0), 3.34 + 5.0 * std::log10(2.0), 1e-12);
    EXPECT_TRUE(std::isfinite(SmallBodyMagnitude::minorPlanet(3.34, 0.12, 1.0, 2.0, 1.0 - 1e-14)));
}

}  // namespace
