#pragma once

#include "model/projection/PlanetPositions.h"
#include "solarsystem/moons/MoonStep.h"
#include "solarsystem/planets/PlanetaryPass.h"

class PrefControl;
class SkyDateModel;
class StarDatabaseModel;

// The planetary pass as the astronomy model runs it: on the model's planet
// and path records, for the sky date, the site latitude and the distance
// units of the settings, with the Moon step after every full pass. A day
// offset out of the pass's range sounds the system beep and changes nothing.
class PlanetaryPositions final : public PlanetPositions {
public:
    // `placed` hears of every body placed, the Moon included (for the
    // telescope view's tracking); all three objects must outlive this one.
    PlanetaryPositions(StarDatabaseModel& model, const PrefControl& prefControl,
                       const SkyDateModel& skyDate, PlanetaryPass::PlacedCallback placed = {});

    void calculatePlanetPositions(double dayOffset, int body, int pathSlot, bool plotOnly) override;

    // What the last call left besides the records.
    const PlanetaryState& state() const { return m_pass.state(); }
    // The Moon's values of the last full pass.
    const MoonStep::Result& moon() const { return m_moon; }

private:
    StarDatabaseModel& m_model;
    const PrefControl& m_prefControl;
    const SkyDateModel& m_skyDate;
    PlanetaryPass::PlacedCallback m_placed;
    PlanetaryPass m_pass;
    MoonStep::Result m_moon{};
};
