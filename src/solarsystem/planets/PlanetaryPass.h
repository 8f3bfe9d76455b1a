#pragma once

#include "model/records/planet.h"
#include "model/records/planetPath.h"
#include "solarsystem/planets/PlanetHandOver.h"
#include "solarsystem/planets/SaturnRing.h"
#include "solarsystem/Vec3.h"

#include <array>
#include <functional>
#include <span>

// One call of the planetary pass.
struct PlanetaryPassRequest {
    double julianDay = 2451545.0;  // the sky date, UT
    double dayOffset = 0.0;        // days added to it
    int body = -1;                 // 1..8 Mercury..Pluto, -1 all bodies
    int pathSlot = -1;             // 0..39 a path point, -1 the planet records
    bool plotOnly = false;         // only the plot longitudes
    bool isMetric = true;          // distances in 10^6 km, else 10^6 miles
    double latitude = 0.0;         // site latitude, degrees north
    double primeMeridian = 0.0;    // local sidereal time, degrees
};

// What the pass leaves besides the records. A value a call does not compute
// keeps what an earlier call left.
struct PlanetaryState {
    PlanetHandOver handOver;
    // Heliocentric longitudes for the orbit plot, radians 0..2 pi: Mercury,
    // Venus, Earth, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto (J2000).
    std::array<double, 9> plotL{};
    Vec3 sunJ2000;              // geocentric Sun, J2000 equator, AU (computed for Pluto)
    double sunAlt = 0.0;        // the Sun's altitude, radians
    double sunAz = 0.0;         // its azimuth from north through east, radians
    double twilightLevel = 0.0; // -0.5..17.5
    double mercuryPhase = 0.0;  // illuminated percent, negative west of the Sun
    double venusPhase = 0.0;
    double jL = 0.0, jB = 0.0;    // Jupiter, apparent geocentric ecliptic of date, radians
    double jsL = 0.0, jsB = 0.0;  // Jupiter, heliocentric longitude + nutation, latitude, radians
    double sL = 0.0, sB = 0.0;    // Saturn, apparent geocentric ecliptic of date, radians
    SaturnRing ring;
    bool moonDue = false;  // the Moon step should follow this call
};

// The planetary pass: for the sky date shifted by a number of days, the
// heliocentric places of the Earth and of Mercury to Pluto, turned into the
// apparent places, distances, magnitudes and phases of the `planet` records
// (Sun to Pluto, and the shadow point's RA/Dec), or into one path point, or
// into the plot longitudes only. Each body is taken where the light now
// reaching the Earth left it, found within the pass; only the shortened pass,
// which has no distances, takes the light time of each record's geoDistance.
class PlanetaryPass {
public:
    static constexpr double kDayOffsetLimit = 3650000.0;
    static constexpr double kKmPerAU = 149.59787069;  // 10^6 km
    static constexpr double kMilesPerKm = 0.62137199;

    // Told of every record entry the pass places (entry, RA, Dec in radians).
    using PlacedCallback = std::function<void(int entry, double ra, double dec)>;

    explicit PlanetaryPass(PlacedCallback placed = {});

    // False, with nothing written, when the day offset is beyond
    // +-kDayOffsetLimit (the caller beeps).
    bool run(const PlanetaryPassRequest& request, std::span<planet, 11> planets,
             std::span<planetPath, 40> paths);

    const PlanetaryState& state() const { return state_; }

private:
    void placeBody(int body, const PlanetaryPassRequest& request, std::span<planet, 11> planets,
                   std::span<planetPath, 40> paths);

    PlacedCallback placed_;
    PlanetaryState state_;
};
