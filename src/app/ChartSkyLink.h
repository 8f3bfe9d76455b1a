#pragma once

#include "skydraw/ChartSkySource.h"

#include <functional>

class PrefControl;
class SkyDateModel;
class SolarSystemModel;
class StarDatabaseModel;

// The sky each frame of the chart draws: the astronomy model's records as its
// last projection pass left them, the view of the settings, the sky date's
// evening flag, and the Sun's altitude from the solar-system pass (read
// through a function until the model holds it itself). With the solar-system
// bodies set it adds what their passes leave beside the records: the Moon's
// disc and phase and the nearest near-Earth object.
class ChartSkyLink final : public ChartSkySource {
public:
    ChartSkyLink(const StarDatabaseModel& model, const PrefControl& prefs, const SkyDateModel& skyDate,
                 std::function<double()> sunAlt);

    void setSolarSystem(const SolarSystemModel* solarSystem) { m_solarSystem = solarSystem; }

    ChartSky chartSky() const override;

private:
    const StarDatabaseModel& m_model;
    const PrefControl& m_prefs;
    const SkyDateModel& m_skyDate;
    std::function<double()> m_sunAlt;
    const SolarSystemModel* m_solarSystem = nullptr;
};
