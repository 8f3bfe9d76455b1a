#pragma once

#include "chart/painting/ChartSkySource.h"

class PrefControl;
class SkyDateModel;
class SolarSystemModel;
class StarDatabaseModel;

// The sky each frame of the chart draws: the astronomy model's records as its
// last projection pass left them, the view of the settings, the sky date's
// evening flag, and what the solar-system passes leave beside the records:
// the Sun's altitude, the Moon's disc and the nearest near-Earth object.
class ChartSkyLink final : public ChartSkySource {
public:
    ChartSkyLink(const StarDatabaseModel& model, const PrefControl& prefs, const SkyDateModel& skyDate,
                 const SolarSystemModel& solarSystem);

    ChartSky chartSky() const override;

private:
    const StarDatabaseModel& m_model;
    const PrefControl& m_prefs;
    const SkyDateModel& m_skyDate;
    const SolarSystemModel& m_solarSystem;
};
