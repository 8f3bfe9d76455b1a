#pragma once

// The autoguider's correction for an outside guiding program.
class RemoteGuider {
public:
    virtual ~RemoteGuider() = default;
    // Seconds, positive east and north; false when it is longer than the
    // guider can make, and nothing moved.
    virtual bool phdGuideControl(float eastWest, float northSouth) = 0;
};
