#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include "solarsystem/smallbodies/CalendarJulianDay.h"
#include "solarsystem/smallbodies/KeplerEllipse.h"
#include "solarsystem/smallbodies/MinorPlanetOrbit.h"
#include "solarsystem/smallbodies/NearParabolic.h"
#include "solarsystem/smallbodies/SmallBodyMagnitude.h"

#include "model/Angles.h"
#include "solarsystem/planets/DeltaT.h"

#include <cmath>

namespace {

using Angles::kDegree;
using Angles::kTwoPi;

// Whole turns off a mean anomaly above 2 pi; a negative one stays as it is.
double reduced(double meanAnomaly)
{
    return meanAnomaly > kTwoPi ? std::fmod(meanAnomaly, kTwoPi) : meanAnomaly;
}

// Largest step of the eccentric anomaly (radians) taken on its series: the
// terms left out are some 1e-9 of it.
constexpr double kSmallStep = 1e-3;
// Steps back for the light time.
constexpr int kLightTimeSteps = 2;

// Julian day of dynamical time of the sky date moved by `days`.
double dynamicalJulianDay(double julianDay, double days)
{
    return 2451545.0 + DeltaT::dynamicalMillennia(julianDay, days) * 365250.0;
}

// Mean anomaly at the frame's moment and mean motion of an ellipse.
struct Ellipse {
    double a = 0.0;
    double e = 0.0;
    double n = 0.0;             // radians per day
    double meanAnomaly = 0.0;   // at the frame's moment, radians
};

std::optional<Ellipse> ellipse(const minorPlanet& m, double julianDay)
{
    const double a = m.semiMajorAxis;
    if (!(a > 0.0))
        return std::nullopt;
    const double n = SmallBodyPosition::kGauss / (a * std::sqrt(a));
    const double t = julianDay - calendarJulianDay(m.epochYear, m.epochMonth, m.epochDay);
    return Ellipse{a, double(m.eccentricity), n, reduced(m.meanAnomaly * kDegree + n * t)};
}

}  // namespace

namespace SmallBodyPosition {

Frame::Frame(const SmallBodyInputs& inputs, double days)
    : julianDay(dynamicalJulianDay(inputs.julianDay, days))
    , sunJ2000(inputs.sunJ2000)
    , precession(inputs.precession)
    , site(inputs.latitude * kDegree, inputs.primeMeridian * kDegree)
    , distanceUnit(inputs.isMetric ? kKilometresPerAU : kKilometresPerAU * kMilesPerKilometre)
    , earthSunSquared(sunJ2000[0] * sunJ2000[0] + sunJ2000[1] * sunJ2000[1]
                      + sunJ2000[2] * sunJ2000[2])
    , apparent(PlanetHandOver::at(DeltaT::dynamicalMillennia(inputs.julianDay, days)))
{
}

Place Place::of(const Retarded& body, const Frame& frame)
{
    const auto& [x, y, z] = body.meanOfDate;
    const Vec3 apparent = frame.apparent.apply({x, y, z});
    Place place;
    place.geocentric = OrbitPlace::spherical({apparent.x, apparent.y, apparent.z});
    place.topocentric = frame.site.apply(place.geocentric);
    place.earthDistance = place.geocentric.distance;
    place.sunDistance = body.point.radius;
    place.point = body.point;
    const double cosDec = std::cos(place.topocentric.declination);
    place.unitVector = {cosDec * std::cos(place.topocentric.rightAscension),
                        cosDec * std::sin(place.topocentric.rightAscension),
                        std::sin(place.topocentric.declination)};
    return place;
}

OrbitPlace::Orientation orientation(const comet& c)
{
    return {c.argPerihelion * kDegree, c.node * kDegree, c.inclination * kDegree};
}

OrbitPlace::Orientation orientation(const minorPlanet& m)
{
    return {m.argPerihelion * kDegree, m.node * kDegree, m.inclination * kDegree};
}

OrbitPoint cometOrbit(const comet& c, const Frame& frame, double lightDays)
{
    const double q = c.perihelionDistance;
    const double e = c.eccentricity;
    const double t = frame.julianDay - lightDays
                     - calendarJulianDay(c.perihelionYear, c.perihelionMonth, c.perihelionDay);
    if (e >= kNearParabolic)
        return NearParabolic::position(q, e, t);
    const double a = q / (1.0 - e);
    const double n = kGauss / (a * std::sqrt(a));
    return KeplerEllipse::position(a, e, reduced(n * t));
}

std::optional<OrbitPoint> minorPlanetOrbit(const minorPlanet& m, const Frame& frame, double lightDays)
{
    const std::optional<Ellipse> orbit = ellipse(m, frame.julianDay - lightDays);
    if (!orbit)
        return std::nullopt;
    return KeplerEllipse::position(orbit->a, orbit->e, orbit->meanAnomaly);
}

Place cometPlace(const comet& c, const Frame& frame)
{
    const auto orbitAt = [&](double lightDays) { return cometOrbit(c, frame, lightDays); };
    return Place::of(retarded(orbitAt, orientation(c), frame), frame);
}

// The orbit is evaluated where the body is now, which gives the light time,
// then where that light left it, and once more with the light time of that
// distance, which leaves an error of the body's radial speed over c squared.
// Tables of a million orbits make this the pass's costliest loop, so the steps
// back are taken on Kepler's equation's Taylor series about now (second order
// in the change of the mean anomaly, the sine and cosine of the change from
// their series) wherever that change is small; elsewhere the equation is
// solved again from there.
std::optional<Place> minorPlanetPlace(const minorPlanet& m, const Frame& frame)
{
    return minorPlanetPlace(m, MinorPlanetOrbit::of(m), frame);
}

std::optional<Place> minorPlanetPlace(const minorPlanet& m, const MinorPlanetOrbit& orbit, const Frame& frame)
{
    if (!orbit.isElliptic)
        return std::nullopt;
    const double a = m.semiMajorAxis;
    const double e = m.eccentricity;
    const double n = orbit.meanMotion;
    const double meanAnomaly = reduced(m.meanAnomaly * kDegree + n * (frame.julianDay - orbit.epoch));
    const OrbitPlace::Axes& axes = orbit.axes;
    const double b = orbit.semiMinorAxis;
    const auto distanceAt = [&](double sinE, double cosE) {
        const auto [x, y, z] = OrbitPlace::geocentricJ2000(a * (cosE - e), b * sinE, axes, frame.sunJ2000);
        return std::sqrt(x * x + y * y + z * z);
    };

    const double now = KeplerEllipse::solve(meanAnomaly, e).eccentricAnomaly;
    const double sinNow = std::sin(now);
    const double cosNow = std::cos(now);
    // E as a function of M about now: dE/dM and half of d2E/dM2.
    const double slope = 1.0 / (1.0 - e * cosNow);
    const double bend = -0.5 * e * sinNow * slope * slope * slope;
    Retarded body;
    body.distance = distanceAt(sinNow, cosNow);
    double sinThen = sinNow;
    double cosThen = cosNow;
    for (int step = 0; step < kLightTimeSteps; ++step) {
        const double change = -n * body.distance * DistanceUnits::kLightDaysPerAu;  // of the mean anomaly
        const double de = change * (slope + bend * change);
        if (std::abs(de) <= kSmallStep && std::abs(de) * e * slope <= kSmallStep) {
            const double s2 = de * de;
            const double sinStep = de * (1.0 - s2 * (1.0 / 6.0));
            const double cosStep = 1.0 - s2 * (0.5 - s2 * (1.0 / 24.0));
            sinThen = sinNow * cosStep + cosNow * sinStep;
            cosThen = cosNow * cosStep - sinNow * sinStep;
        } else {
            const double then = KeplerEllipse::solve(meanAnomaly + change, e, now + de).eccentricAnomaly;
            sinThen = std::sin(then);
            cosThen = std::cos(then);
        }
        body.distance = distanceAt(sinThen, cosThen);
    }
    body.meanOfDate = OrbitPlace::rectangular(a * (cosThen - e), b * sinThen, axes, frame.sunJ2000, frame.precession);
    body.point = KeplerEllipse::pointAt(a, e, sinThen, cosThen);
    return Place::of(body, frame);
}

// The place fields comets and minor planets share.
template <class Record>
void writePlace(Record& r, const Place& place, const Frame& frame)
{
    const OrbitPlace::Orientation orbit = orientation(r);
    r.plotLongitude = float(orbit.argPerihelion + orbit.node + place.point.trueAnomaly);
    r.ra = float(place.topocentric.rightAscension);
    r.dec = float(place.topocentric.declination);
    r.vecX = place.unitVector[0];
    r.vecY = place.unitVector[1];
    r.vecZ = place.unitVector[2];
    r.geoDistance = float(frame.distanceUnit * place.earthDistance);
    r.helioDistance = float(frame.distanceUnit * place.sunDistance);
}

void writeComet(comet& c, const Place& place, const Frame& frame)
{
    writePlace(c, place, frame);
    c.mag = float(SmallBodyMagnitude::comet(c.absMagnitude, c.slope, place.sunDistance,
                                            place.earthDistance));
}

void writeMinorPlanet(minorPlanet& m, const Place& place, const Frame& frame)
{
    writePlace(m, place, frame);
    m.mag = float(SmallBodyMagnitude::minorPlanet(m.absMagnitude, m.slope, place.sunDistance,
                                                  place.earthDistance, frame.earthSunSquared));
}

std::optional<Place> updateMinorPlanet(minorPlanet& m, const Frame& frame)
{
    return updateMinorPlanet(m, MinorPlanetOrbit::of(m), frame);
}

std::optional<Place> updateMinorPlanet(minorPlanet& m, const MinorPlanetOrbit& orbit, const Frame& frame)
{
    const std::optional<Place> place = minorPlanetPlace(m, orbit, frame);
    if (place)
        writeMinorPlanet(m, *place, frame);
    return place;
}

}  // namespace SmallBodyPosition
