#pragma once

#include "model/records/comet.h"
#include "model/records/minorPlanet.h"
#include "solarsystem/LightTime.h"
#include "solarsystem/planets/AberrationAndNutation.h"
#include "solarsystem/smallbodies/KeplerEllipse.h"
#include "solarsystem/smallbodies/OrbitPlace.h"
#include "solarsystem/smallbodies/OrbitPoint.h"
#include "solarsystem/smallbodies/SiteParallax.h"
#include "solarsystem/smallbodies/SmallBodyInputs.h"

#include <array>
#include <cmath>
#include <optional>
#include <span>

struct MinorPlanetOrbit;

// The per-body steps of the comet and minor-planet pass, shared by the
// single-threaded loops and the parallel operations: orbit, place and
// magnitude of one record. They read only the frame and the record. The
// place is apparent, as the planets' are: the orbit run at dynamical time,
// light time, annual aberration and nutation, then the site's parallax.
namespace SmallBodyPosition {

inline constexpr double kGauss = 0.01720209895;        // radians per day
inline constexpr double kKilometresPerAU = 149.59787069;  // millions
inline constexpr double kMilesPerKilometre = 0.62137199;
// Comets of this eccentricity and above take the near-parabolic method.
inline constexpr double kNearParabolic = 0.98;

// Everything of one pass that is the same for every body.
struct Frame {
    Frame(const SmallBodyInputs& inputs, double days);

    double julianDay;  // the sky date plus the day offset, dynamical time (Delta-T added)
    std::array<double, 3> sunJ2000;
    std::array<double, 9> precession;
    SiteParallax site;
    double distanceUnit;  // AU to millions of km, or of miles
    double earthSunSquared;
    AberrationAndNutation apparent;
};

// A body where the light now reaching the Earth left it: its orbit point and
// its geometric geocentric place then, on the mean equator of date.
struct Retarded {
    OrbitPoint point;
    std::array<double, 3> meanOfDate{};  // AU
    double distance = 0.0;               // AU
};

// orbitAt(lightDays): the orbit point lightDays before the frame's moment.
// The orbit's axes are turned out once for every step of the light time.
template <class OrbitAt>
Retarded retarded(OrbitAt orbitAt, const OrbitPlace::Orientation& orbit, const Frame& frame)
{
    const OrbitPlace::Axes axes = OrbitPlace::axes(orbit);
    return LightTime::retarded([&](double lightDays) {
        Retarded r;
        r.point = orbitAt(lightDays);
        r.meanOfDate = OrbitPlace::rectangular(r.point, axes, frame.sunJ2000, frame.precession);
        const auto& [x, y, z] = r.meanOfDate;
        r.distance = std::sqrt(x * x + y * y + z * z);
        return r;
    });
}

// Where one body ends up: the topocentric apparent place of date and the distances.
struct Place {
    OrbitPlace::Geocentric geocentric;  // apparent, from the Earth's centre
    SiteParallax::Topocentric topocentric;
    double earthDistance = 0.0;  // AU
    double sunDistance = 0.0;    // AU
    OrbitPoint point;                    // where the light left

    static Place of(const Retarded& body, const Frame& frame);
};

OrbitPlace::Orientation orientation(const comet& c);
OrbitPlace::Orientation orientation(const minorPlanet& m);

// The comet in its orbit lightDays before the frame's moment.
OrbitPoint cometOrbit(const comet& c, const Frame& frame, double lightDays = 0.0);
// The minor planet in its orbit; none when its semi-major axis is not above 0.
std::optional<OrbitPoint> minorPlanetOrbit(const minorPlanet& m, const Frame& frame, double lightDays = 0.0);

// The apparent places, light time included.
Place cometPlace(const comet& c, const Frame& frame);
std::optional<Place> minorPlanetPlace(const minorPlanet& m, const Frame& frame);
// The same from the orbit's constants, computed once (MinorPlanetOrbit::of(m)).
std::optional<Place> minorPlanetPlace(const minorPlanet& m, const MinorPlanetOrbit& orbit, const Frame& frame);

// Writes the place, distances, magnitude and plot longitude of a comet.
void writeComet(comet& c, const Place& place, const Frame& frame);
// The same for a minor planet, with its H, G magnitude.
void writeMinorPlanet(minorPlanet& m, const Place& place, const Frame& frame);

// Orbit, place and every written field of one minor planet; none (and
// nothing written) when its semi-major axis is not above 0.
std::optional<Place> updateMinorPlanet(minorPlanet& m, const Frame& frame);
std::optional<Place> updateMinorPlanet(minorPlanet& m, const MinorPlanetOrbit& orbit, const Frame& frame);

// Kepler's equation as a body's last pass solved it: where the next pass,
// a time step on, starts its solution (a step or two instead of several).
struct Solved {
    double meanAnomaly = 0.0;  // radians
    KeplerEllipse::Solution solution;
    bool isSet = false;
};

// One of a few minor planets updated together.
struct Body {
    minorPlanet* record = nullptr;
    const MinorPlanetOrbit* orbit = nullptr;
    Solved* solved = nullptr;  // none: solved from E = M, nothing kept
    std::optional<Retarded> retarded;
    std::optional<Place> place;  // as updateMinorPlanet gives it
};
// A few bodies are as many chains of dependent steps: each stage is taken
// for all of them before the next, Kepler's equation solved for all of them
// step by step, so that the processor works on them side by side (two at a
// time make the pass a sixth quicker than one by one). At most
// kBodiesTogether bodies.
inline constexpr std::size_t kBodiesTogether = 2;
void updateMinorPlanets(std::span<Body> bodies, const Frame& frame);

}  // namespace SmallBodyPosition
