#pragma once

#include "chart/SolarSystemWindow.h"
#include "platform/LazyOwner.h"
#include "platform/widgets/HidesOnDeactivate.h"

class SSWindow;

// The solar-system window as the chart's window settings, menus and toolbar
// reach it. It is made when first shown; until then it has nothing to hide
// or refresh.
class SolarSystemWindowLink final : public HidesOnDeactivate, public SolarSystemWindow {
public:
    explicit SolarSystemWindowLink(LazyOwner<SSWindow>& window) : m_window(window) {}

    void setHide(bool hide) override;

    bool isWindowVisible() const override;
    void display() override;
    void orderFront() override;
    void orderOut() override;
    void updatePositions() override;

private:
    LazyOwner<SSWindow>& m_window;
};
