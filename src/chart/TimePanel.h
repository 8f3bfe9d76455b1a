#pragma once

#include "model/settings/links/RealTimeClock.h"
#include "platform/widgets/FloatingPanel.h"

// The time control panel with its date fields and the real-time clock.
class TimePanel : public FloatingPanel, public RealTimeClock {
public:
    // Fills the date fields from the sky date.
    virtual void setupDate() = 0;
    // Starts the set-time clock, which advances the sky date a minute a
    // minute; not while the real-time clock runs.
    virtual void setRunSetTime() = 0;
};
