#pragma once

#include "platform/widgets/HidesOnDeactivate.h"

// The telescope view window as the update chain redraws it.
class ScopeViewWindow : public HidesOnDeactivate {
public:
    virtual bool isWindowVisible() const = 0;
    virtual void display() = 0;
    // The chart's selection changed: the view recentres on its next draw.
    virtual void setHasChanged(bool changed) = 0;
};
