#pragma once

// The autoguider's correction for an outside guiding program.
class RemoteGuider {
public:
    virtual ~RemoteGuider() = default;
    // Seconds, positive east and north.
    virtual void phdGuideControl(float eastWest, float northSouth) = 0;
};
