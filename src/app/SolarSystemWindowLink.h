#pragma once

#include "chart/SolarSystemWindow.h"
#include "platform/widgets/HidesOnDeactivate.h"

class SSWindow;

// The solar-system window as the chart's window settings, menus and toolbar
// reach it.
class SolarSystemWindowLink final : public HidesOnDeactivate, public SolarSystemWindow {
public:
    explicit SolarSystemWindowLink(SSWindow& window) : m_window(window) {}

    void setHide(bool hide) override;

    bool isWindowVisible() const override;
    void display() override;
    void orderFront() override;
    void orderOut() override;
    void updatePositions() override;

private:
    SSWindow& m_window;
};
