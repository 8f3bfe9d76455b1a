#pragma once

#include "platform/widgets/HidesOnDeactivate.h"
#include "platform/widgets/ToolTipOwner.h"

// A floating control panel: the time, direction, find and mount panels.
class FloatingPanel : public HidesOnDeactivate, public ToolTipOwner {
public:
    // Shows the panel in front.
    virtual void orderFront() = 0;
    virtual void orderOut() = 0;
    virtual bool isPanelVisible() const = 0;
    // Alpha 0.25 while transparent panels are on and the panel is not key, else 1.0.
    virtual void setTransparency() = 0;

    // Shows the panel in front when `open`, else hides it.
    void showPanel(bool open) { open ? orderFront() : orderOut(); }
};
