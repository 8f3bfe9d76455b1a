#pragma once

#include "solarsystem/moons/JupiterSatellites.h"
#include "solarsystem/PlanetPath.h"
#include "solarsystem/planets/PlanetaryPositions.h"
#include "solarsystem/moons/SaturnSatellites.h"
#include "solarsystem/smallbodies/SmallBodyTables.h"

#include <cstdint>
#include <optional>

class PrefControl;
class SkyDateModel;
class StarDatabaseModel;
class TelescopeTracking;

// The solar-system bodies of the astronomy model, connected to it in one
// place: once made, the model's projection pass places the Sun, the planets,
// Pluto, the Moon, the comets and the minor planets, its set-up loads the
// comet and minor-planet tables and its rebuild rebuilds their caches.
//
// The model keeps the records and the small-body tables behind its own
// accessors; this object offers the other values the solar-system passes
// leave (the Moon's, the phases, the Sun's altitude, the satellites, the
// ring, the plot longitudes, the nearest near-Earth object) to the chart,
// the telescope view and the solar-system window, and the computations they
// start: the satellites and the path of the selected body.
//
// The model, the settings and the sky date must outlive this object.
class SolarSystemModel final : private PlanetPathPasses {
public:
    SolarSystemModel(StarDatabaseModel& model, const PrefControl& prefControl,
                     const SkyDateModel& skyDate);
    SolarSystemModel(const SolarSystemModel&) = delete;
    SolarSystemModel& operator=(const SolarSystemModel&) = delete;

    // The telescope view, told of the tracked body's new places; none at first.
    void setTelescopeTracking(TelescopeTracking* tracking);

    // The path of the selected body when the path layer is on, then a forced
    // projection pass; see PlanetPath.
    void calculatePlanetPath();
    // For the telescope view's drawing of Jupiter or Saturn, after a planetary
    // pass at the sky date; each recomputes only when the Julian day changed.
    void calculateJupiterSatellites();
    void calculateSaturnSatellites();

    PlanetaryPositions& planetaryPositions() { return m_planets; }
    SmallBodyTables& smallBodies() { return m_smallBodies; }

    // Heliocentric longitude of date, radians, of plot body k: 0 Mercury,
    // 1 Venus, 2 Earth, 3 Mars ... 7 Neptune, 8 Pluto (of J2000.0), as the
    // last plot-only pass left it; 0 for any other k.
    double planetPlotL(std::uint16_t k) const
    {
        const auto& plotL = m_planets.state().plotL;
        return k < plotL.size() ? plotL[k] : 0.0;
    }

    double moonAD() const { return m_planets.moon().moonAD; }
    double moonPhase() const { return m_planets.moon().moonPhase; }
    double moonHP() const { return m_planets.moon().moonHP; }
    double moonAge() const { return m_planets.moon().moonAge; }
    double moonTermA() const { return m_planets.moon().moonTermA; }
    double venusPhase() const { return m_planets.state().venusPhase; }
    double mercuryPhase() const { return m_planets.state().mercuryPhase; }
    // Radians.
    double sunAlt() const { return m_planets.state().sunAlt; }
    // The twilight level of the last pass, -0.5 (night) to 17.5 (day).
    double twilightLevel() const { return m_planets.state().twilightLevel; }

    double jupIIlong() const { return m_jupiter.jupIIlong(); }
    const JupiterSatellites::Values& jupiterSatX() const { return m_jupiter.jupiterSatX(); }
    const JupiterSatellites::Values& jupiterSatY() const { return m_jupiter.jupiterSatY(); }
    const JupiterSatellites::Flags& jupiterSatVis() const { return m_jupiter.jupiterSatVis(); }
    const JupiterSatellites::Values& jSatShadowX() const { return m_jupiter.jSatShadowX(); }
    const JupiterSatellites::Values& jSatShadowY() const { return m_jupiter.jSatShadowY(); }
    const JupiterSatellites::Flags& jSatShadowVis() const { return m_jupiter.jSatShadowVis(); }
    const SaturnSatellites::Values& saturnSatX() const { return m_saturn.saturnSatX(); }
    const SaturnSatellites::Values& saturnSatY() const { return m_saturn.saturnSatY(); }
    const SaturnSatellites::Flags& saturnSatVis() const { return m_saturn.saturnSatVis(); }

    double saturnB() const { return m_planets.state().ring.B; }
    double saturnBPrime() const { return m_planets.state().ring.BPrime; }
    double saturnP() const { return m_planets.state().ring.P; }
    double saturnLes() const { return m_planets.state().handOver.sLes; }

    std::optional<std::uint32_t> neoIndex() const { return m_smallBodies.neoIndex(); }
    std::optional<std::span<const std::uint32_t>> minorPlanetsOnScreen() const
    {
        return m_smallBodies.minorPlanetsOnScreen();
    }
    const char* neoName() const { return m_smallBodies.neoName(); }

private:
    void planetPathPoint(double dayOffset, std::int16_t body, std::int16_t slot) override;
    void cometPathPoint(int kind, double dayOffset, long index, std::int16_t slot) override;
    long numComets() const override;
    long numMinorPlanets() const override;
    void setHasPlanetPath(bool hasPath) override;
    void reproject() override;

    StarDatabaseModel& m_model;
    const PrefControl& m_prefControl;
    const SkyDateModel& m_skyDate;
    TelescopeTracking* m_tracking = nullptr;
    PlanetaryPositions m_planets;
    SmallBodyTables m_smallBodies;
    JupiterSatellites m_jupiter;
    SaturnSatellites m_saturn;
};
