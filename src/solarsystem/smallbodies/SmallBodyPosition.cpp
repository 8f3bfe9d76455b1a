#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include "solarsystem/smallbodies/CalendarJulianDay.h"
#include "solarsystem/smallbodies/KeplerEllipse.h"
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

// The light-time steps move the mean anomaly by minutes of motion: each
// solves Kepler's equation from the last answer moved by as much.
class EllipseSteps {
public:
    explicit EllipseSteps(const Ellipse& orbit) : m_orbit(orbit) {}

    OrbitPoint operator()(double lightDays)
    {
        const double m = m_orbit.meanAnomaly - m_orbit.n * lightDays;
        const double start = m_started
                                 ? m_e + (m - m_m) / (1.0 - m_orbit.e * std::cos(m_e))
                                 : m;
        m_e = KeplerEllipse::solve(m, m_orbit.e, start).eccentricAnomaly;
        m_m = m;
        m_started = true;
        return KeplerEllipse::pointAt(m_orbit.a, m_orbit.e, m_e);
    }

private:
    Ellipse m_orbit;
    bool m_started = false;
    double m_m = 0.0;  // the last mean anomaly
    double m_e = 0.0;  // and its eccentric anomaly
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

std::optional<Place> minorPlanetPlace(const minorPlanet& m, const Frame& frame)
{
    const std::optional<Ellipse> orbit = ellipse(m, frame.julianDay);
    if (!orbit)
        return std::nullopt;
    return Place::of(retarded(EllipseSteps(*orbit), orientation(m), frame), frame);
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
    const std::optional<Place> place = minorPlanetPlace(m, frame);
    if (place)
        writeMinorPlanet(m, *place, frame);
    return place;
}

}  // namespace SmallBodyPosition
