#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include "solarsystem/smallbodies/CalendarJulianDay.h"
#include "solarsystem/smallbodies/KeplerEllipse.h"
#include "solarsystem/smallbodies/MinorPlanetOrbit.h"
#include "solarsystem/smallbodies/NearParabolic.h"
#include "solarsystem/smallbodies/SmallBodyMagnitude.h"

#include "model/Angles.h"
#include "platform/VectorClones.h"
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

// Largest step of the eccentric anomaly (radians) taken on Kepler's
// equation's series: the terms left out are some 1e-9 of it.
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

NORVANE_VECTOR_CLONES
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

namespace {

// What a step back along an elliptic orbit needs of it.
struct EllipticOrbit {
    double a;                     // semi-major axis, AU
    double e;                     // eccentricity, below 1
    double b;                     // semi-minor axis, AU
    double n;                     // mean motion, radians per day
    const OrbitPlace::Axes& axes;
};

// The orbit is evaluated where the body is now, which gives the light time,
// then where that light left it, and once more with the light time of that
// distance, which leaves an error of the body's radial speed over c squared.
// Tables of a million orbits make this the pass's costliest loop, so the steps
// back are taken on Kepler's equation's Taylor series about now (second order
// in the change of the mean anomaly, the sine and cosine of the change from
// their series) wherever that change is small; elsewhere the equation is
// solved again from there.
NORVANE_VECTOR_CLONES
Retarded retardedFrom(const EllipticOrbit& orbit, const Frame& frame, double meanAnomaly,
                      const KeplerEllipse::Solution& now)
{
    const auto& [a, e, b, n, axes] = orbit;
    const auto distanceAt = [&](double sinE, double cosE) {
        const auto [x, y, z] = OrbitPlace::geocentricJ2000(a * (cosE - e), b * sinE, axes, frame.sunJ2000);
        return std::sqrt(x * x + y * y + z * z);
    };

    const auto [sinNow, cosNow] = now.ofE;
    // E as a function of M about now: dE/dM and half of d2E/dM2.
    const double slope = 1.0 / (1.0 - e * cosNow);
    const double bend = -0.5 * e * sinNow * slope * slope * slope;
    // The distance the light time is taken from: the last one is not needed.
    double distance = distanceAt(sinNow, cosNow);
    SinCos then = now.ofE;
    for (int step = 0; step < kLightTimeSteps; ++step) {
        const double change = -n * distance * DistanceUnits::kLightDaysPerAu;  // of the mean anomaly
        const double de = change * (slope + bend * change);
        if (std::abs(de) <= kSmallStep && std::abs(de) * e * slope <= kSmallStep)
            then = now.ofE.turnedBy(SinCos::ofStep(de));
        else
            then = KeplerEllipse::solve(meanAnomaly + change, e, now.eccentricAnomaly + de).ofE;
        if (step + 1 < kLightTimeSteps)
            distance = distanceAt(then.sin, then.cos);
    }
    Retarded body;
    body.meanOfDate = OrbitPlace::rectangular(a * (then.cos - e), b * then.sin, axes, frame.sunJ2000, frame.precession);
    const auto& [x, y, z] = body.meanOfDate;
    body.distance = std::sqrt(x * x + y * y + z * z);
    body.point = KeplerEllipse::pointAt(a, e, then.sin, then.cos);
    return body;
}

// A near-parabolic orbit takes its steps back for the light time on the
// motion's series about now (velocity, and the Sun's pull at the second
// order) where the light time moves the body by at most this share of its
// distance from the Sun: what is left out is of the order of its cube.
// Solving the near-parabolic equation again for each step cost most of such
// a comet's time. None where the step is longer (close to the Sun).
constexpr double kSeriesStepShare = 3e-4;

NORVANE_VECTOR_CLONES
std::optional<Retarded> nearParabolicRetarded(const comet& c, const OrbitPlace::Axes& axes, const Frame& frame)
{
    const double q = c.perihelionDistance;
    const double e = c.eccentricity;
    const double t = frame.julianDay - calendarJulianDay(c.perihelionYear, c.perihelionMonth, c.perihelionDay);
    // Where the method did not converge its place does not follow the orbit's motion.
    const NearParabolic::Solution solved = NearParabolic::solve(q, e, t);
    if (!solved.isConverged)
        return std::nullopt;
    const OrbitPoint& now = solved.point;
    const double r = now.radius;
    const auto [sinV, cosV] = SinCos::of(now.trueAnomaly);
    const double x = r * cosV;
    const double y = r * sinV;
    // Along the orbit's axes: velocity (AU a day) and acceleration.
    const double perRootP = kGauss / std::sqrt(q * (1.0 + e));
    const double vx = -perRootP * sinV;
    const double vy = perRootP * (e + cosV);
    const double pull = -kGauss * kGauss / (r * r * r);
    const double speed = std::sqrt(vx * vx + vy * vy);
    const auto distanceAt = [&](double px, double py) {
        const auto [gx, gy, gz] = OrbitPlace::geocentricJ2000(px, py, axes, frame.sunJ2000);
        return std::sqrt(gx * gx + gy * gy + gz * gz);
    };
    double distance = distanceAt(x, y);
    double px = x;
    double py = y;
    for (int step = 0; step < kLightTimeSteps; ++step) {
        const double lightDays = distance * DistanceUnits::kLightDaysPerAu;
        if (!(lightDays * speed <= kSeriesStepShare * r))
            return std::nullopt;
        const double half = 0.5 * lightDays * lightDays * pull;
        px = x - lightDays * vx + half * x;
        py = y - lightDays * vy + half * y;
        if (step + 1 < kLightTimeSteps)
            distance = distanceAt(px, py);
    }
    Retarded body;
    body.meanOfDate = OrbitPlace::rectangular(px, py, axes, frame.sunJ2000, frame.precession);
    const auto& [gx, gy, gz] = body.meanOfDate;
    body.distance = std::sqrt(gx * gx + gy * gy + gz * gz);
    // 0..2 pi, as the near-parabolic method gives it.
    const double v = SinCos::angleOf(py, px);
    body.point = {v < 0.0 ? v + kTwoPi : v, std::sqrt(px * px + py * py)};
    return body;
}

EllipticOrbit ellipticOrbit(const minorPlanet& m, const MinorPlanetOrbit& orbit)
{
    return {m.semiMajorAxis, m.eccentricity, orbit.semiMinorAxis, orbit.meanMotion, orbit.axes};
}

double meanAnomalyAt(const minorPlanet& m, const MinorPlanetOrbit& orbit, const Frame& frame)
{
    return reduced(m.meanAnomaly * kDegree + orbit.meanMotion * (frame.julianDay - orbit.epoch));
}

std::optional<Retarded> minorPlanetRetarded(const minorPlanet& m, const MinorPlanetOrbit& orbit, const Frame& frame)
{
    if (!orbit.isElliptic)
        return std::nullopt;
    const double meanAnomaly = meanAnomalyAt(m, orbit, frame);
    return retardedFrom(ellipticOrbit(m, orbit), frame, meanAnomaly, KeplerEllipse::solve(meanAnomaly, m.eccentricity));
}

}  // namespace

Place cometPlace(const comet& c, const Frame& frame)
{
    const double e = c.eccentricity;
    if (e >= kNearParabolic) {
        const OrbitPlace::Axes axes = OrbitPlace::axes(orientation(c));
        if (const std::optional<Retarded> body = nearParabolicRetarded(c, axes, frame))
            return Place::of(*body, frame);
        const auto orbitAt = [&](double lightDays) { return cometOrbit(c, frame, lightDays); };
        return Place::of(retarded(orbitAt, orientation(c), frame), frame);
    }
    // An ellipse takes its steps back for the light time as a minor planet's
    // does: solving Kepler's equation again for each cost most of the pass.
    const double a = c.perihelionDistance / (1.0 - e);
    const OrbitPlace::Axes axes = OrbitPlace::axes(orientation(c));
    const EllipticOrbit orbit{a, e, a * std::sqrt(1.0 - e * e), kGauss / (a * std::sqrt(a)), axes};
    const double meanAnomaly = reduced(
        orbit.n * (frame.julianDay - calendarJulianDay(c.perihelionYear, c.perihelionMonth, c.perihelionDay)));
    return Place::of(retardedFrom(orbit, frame, meanAnomaly, KeplerEllipse::solve(meanAnomaly, e)), frame);
}

std::optional<Place> minorPlanetPlace(const minorPlanet& m, const Frame& frame)
{
    return minorPlanetPlace(m, MinorPlanetOrbit::of(m), frame);
}

std::optional<Place> minorPlanetPlace(const minorPlanet& m, const MinorPlanetOrbit& orbit, const Frame& frame)
{
    const std::optional<Retarded> body = minorPlanetRetarded(m, orbit, frame);
    if (!body)
        return std::nullopt;
    return Place::of(*body, frame);
}

// The place fields comets and minor planets share.
template <class Record>
void writePlace(Record& r, const Place& place, const Frame& frame)
{
    const OrbitPlace::Orientation orbit = orientation(r);
    r.plotLongitude = float(orbit.argPerihelion + orbit.node + place.point.trueAnomaly);
    r.ra = float(place.topocentric.rightAscension);
    r.dec = float(place.topocentric.declination);
    r.vecX = place.topocentric.unitVector[0];
    r.vecY = place.topocentric.unitVector[1];
    r.vecZ = place.topocentric.unitVector[2];
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

NORVANE_VECTOR_CLONES
void updateMinorPlanets(std::span<Body> bodies, const Frame& frame)
{
    // An orbit without a place solves e = 0 at M = 0, in one step.
    std::array<double, kBodiesTogether> meanAnomaly{};
    std::array<double, kBodiesTogether> eccentricity{};
    std::array<KeplerEllipse::Solution, kBodiesTogether> start;
    for (std::size_t k = 0; k < bodies.size(); ++k) {
        const Body& body = bodies[k];
        if (body.orbit->isElliptic) {
            meanAnomaly[k] = meanAnomalyAt(*body.record, *body.orbit, frame);
            eccentricity[k] = body.record->eccentricity;
        }
        std::optional<KeplerEllipse::Solution> near;
        if (body.solved != nullptr && body.solved->isSet)
            near = KeplerEllipse::startFrom(body.solved->solution, body.solved->meanAnomaly, meanAnomaly[k],
                                            eccentricity[k]);
        start[k] = near ? *near : KeplerEllipse::Solution{meanAnomaly[k], 0, SinCos::of(meanAnomaly[k])};
    }
    const std::array<KeplerEllipse::Solution, kBodiesTogether> now =
        KeplerEllipse::solveTogether(meanAnomaly, eccentricity, start);
    for (std::size_t k = 0; k < bodies.size(); ++k) {
        Body& body = bodies[k];
        if (body.solved != nullptr)
            *body.solved = {meanAnomaly[k], now[k], body.orbit->isElliptic};
        body.retarded = body.orbit->isElliptic
                            ? std::optional<Retarded>(retardedFrom(ellipticOrbit(*body.record, *body.orbit), frame,
                                                                   meanAnomaly[k], now[k]))
                            : std::nullopt;
    }
    for (Body& body : bodies)
        body.place = body.retarded ? std::optional<Place>(Place::of(*body.retarded, frame)) : std::nullopt;
    for (Body& body : bodies) {
        if (body.place)
            writeMinorPlanet(*body.record, *body.place, frame);
    }
}

}  // namespace SmallBodyPosition
