#pragma once

#include "scopeview/SVDiscSource.h"

class SolarSystemModel;

// The solar-system model as the telescope view's disc painters read it.
class SVSolarSystemLink final : public SVDiscSource {
public:
    explicit SVSolarSystemLink(SolarSystemModel& model) : m_model(model) {}

    void calculateJupiterSatellites() override;
    void calculateSaturnSatellites() override;
    SVDiscSky discSky() const override;

private:
    SolarSystemModel& m_model;
};
