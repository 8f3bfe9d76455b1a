#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include "solarsystem/smallbodies/CalendarJulianDay.h"
#include "solarsystem/smallbodies/KeplerEllipse.h"
#include "solarsystem/smallbodies/NearParabolic.h"
#include "solarsystem/smallbodies/SmallBodyMagnitude.h"

#include "model/Angles.h"

#include <cmath>

namespace {

using Angles::kDegree;
using Angles::kTwoPi;

// Whole turns off a mean anomaly above 2 pi; a negative one stays as it is.
double reduced(double meanAnomaly)
{
    return meanAnomaly > kTwoPi ? std::fmod(meanAnomaly, kTwoPi) : meanAnomaly;
}

}  // namespace

namespace SmallBodyPosition {

Frame::Frame(const SmallBodyInputs& inputs, double days)
    : julianDay(inputs.julianDay + days)
    , sunJ2000(inputs.sunJ2000)
    , precession(inputs.precession)
    , site(inputs.latitude * kDegree, inputs.primeMeridian * kDegree)
    , distanceUnit(inputs.isMetric ? kKilometresPerAU : kKilometresPerAU * kMilesPerKilometre)
    , earthSunSquared(sunJ2000[0] * sunJ2000[0] + sunJ2000[1] * sunJ2000[1]
                      + sunJ2000[2] * sunJ2000[2])
{
}

Place Place::of(const OrbitPoint& point, const OrbitPlace::Orientation& orbit, const Frame& frame)
{
    const OrbitPlace::Geocentric geocentric =
        OrbitPlace::geocentric(point, orbit, frame.sunJ2000, frame.precession);
    Place place;
    place.topocentric = frame.site.apply(geocentric);
    place.earthDistance = geocentric.distance;
    place.sunDistance = point.radius;
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

OrbitPoint cometOrbit(const comet& c, const Frame& frame)
{
    const double q = c.perihelionDistance;
    const double e = c.eccentricity;
    const double t =
        frame.julianDay - calendarJulianDay(c.perihelionYear, c.perihelionMonth, c.perihelionDay);
    if (e >= kNearParabolic)
        return NearParabolic::position(q, e, t);
    const double a = q / (1.0 - e);
    const double n = kGauss / (a * std::sqrt(a));
    return KeplerEllipse::position(a, e, reduced(n * t));
}

std::optional<OrbitPoint> minorPlanetOrbit(const minorPlanet& m, const Frame& frame)
{
    const double a = m.semiMajorAxis;
    if (!(a > 0.0))
        return std::nullopt;
    const double n = kGauss / (a * std::sqrt(a));
    const double t = frame.julianDay - calendarJulianDay(m.epochYear, m.epochMonth, m.epochDay);
    return KeplerEllipse::position(a, m.eccentricity, reduced(m.meanAnomaly * kDegree + n * t));
}

// The place fields comets and minor planets share.
template <class Record>
void writePlace(Record& r, const OrbitPoint& point, const Place& place, const Frame& frame)
{
    const OrbitPlace::Orientation orbit = orientation(r);
    r.plotLongitude = float(orbit.argPerihelion + orbit.node + point.trueAnomaly);
    r.ra = float(place.topocentric.rightAscension);
    r.dec = float(place.topocentric.declination);
    r.vecX = place.unitVector[0];
    r.vecY = place.unitVector[1];
    r.vecZ = place.unitVector[2];
    r.geoDistance = float(frame.distanceUnit * place.earthDistance);
    r.helioDistance = float(frame.distanceUnit * place.sunDistance);
}

void writeComet(comet& c, const OrbitPoint& point, const Place& place, const Frame& frame)
{
    writePlace(c, point, place, frame);
    c.mag = float(SmallBodyMagnitude::comet(c.absMagnitude, c.slope, place.sunDistance,
                                            place.earthDistance));
}

void writeMinorPlanet(minorPlanet& m, const OrbitPoint& point, const Place& place, const Frame& frame)
{
    writePlace(m, point, place, frame);
    m.mag = float(SmallBodyMagnitude::minorPlanet(m.absMagnitude, m.slope, place.sunDistance,
                                                  place.earthDistance, frame.earthSunSquared));
}

std::optional<Place> updateMinorPlanet(minorPlanet& m, const Frame& frame)
{
    const std::optional<OrbitPoint> point = minorPlanetOrbit(m, frame);
    if (!point)
        return std::nullopt;
    const Place place = Place::of(*point, orientation(m), frame);
    writeMinorPlanet(m, *point, place, frame);
    return place;
}

}  // namespace SmallBodyPosition
