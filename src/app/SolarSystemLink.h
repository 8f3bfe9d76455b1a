#pragma once

#include "chart/PlanetPathSource.h"

class SolarSystemModel;

// The solar-system bodies as the chart drives them: the path of the selected body.
class SolarSystemLink final : public PlanetPathSource {
public:
    explicit SolarSystemLink(SolarSystemModel& solarSystem) : m_solarSystem(solarSystem) {}

    void calculatePlanetPath() override;

private:
    SolarSystemModel& m_solarSystem;
};
