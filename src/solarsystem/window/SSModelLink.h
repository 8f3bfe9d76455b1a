#pragma once

#include "solarsystem/window/SSBodies.h"

class SolarSystemModel;

// The solar-system window's view of the model's planets and small bodies.
class SSModelLink final : public SSBodies {
public:
    explicit SSModelLink(SolarSystemModel& solarSystem) : m_solarSystem(solarSystem) {}

    double planetPlotL(int k) const override;
    void calculatePlanetPositions(double days) override;
    std::optional<OrbitPlot> smallBodyOrbit(int kind, double days, int record) override;
    std::optional<QString> smallBodyName(int kind, int record) const override;

private:
    SolarSystemModel& m_solarSystem;
};
