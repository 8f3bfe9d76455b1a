#pragma once

#include "chart/FloatingPanel.h"
#include "model/prefs/links/RealTimeClock.h"

// The time control panel with its date fields and the real-time clock.
class TimePanel : public FloatingPanel, public RealTimeClock {
public:
    // Fills the date fields from the sky date.
    virtual void setupDate() = 0;
};
