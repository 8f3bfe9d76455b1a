#pragma once

// The time-control panel's real-time clock.
class RealTimeClock {
public:
    virtual ~RealTimeClock() = default;
    // Starts the repeating clock and fires it once at once.
    virtual void setRunRealTime() = 0;
};
