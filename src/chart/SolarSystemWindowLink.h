#pragma once

#include "chart/HidesOnDeactivate.h"

class SSWindow;

// The solar-system window as the chart's window settings reach it.
class SolarSystemWindowLink final : public HidesOnDeactivate {
public:
    explicit SolarSystemWindowLink(SSWindow& window) : m_window(window) {}

    void setHide(bool hide) override;

private:
    SSWindow& m_window;
};
