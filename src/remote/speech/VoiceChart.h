#pragma once

// The chart's direction, zoom and layer switches the spoken commands use.
class VoiceChart {
public:
    virtual ~VoiceChart() = default;
    // 1 north, 2 south, 3 east, 4 west, 5 altitude 45°, 6 the zenith.
    virtual void lookDirection(int direction) = 0;
    // Field of view, degrees.
    virtual void zoomAngle(double degrees) = 0;
    // Flips the Show menu's layer `item`, re-projects and redraws.
    virtual void setItem(int item) = 0;
};
