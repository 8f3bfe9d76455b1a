#pragma once

// The mount as the guider drives it. Every call only posts the command; none
// waits for the mount.
class GuideMount {
public:
    // The protocol with pulse guiding (LX200 GPS).
    static constexpr int kPulseProtocol = 2;
    // Direction codes of the slews.
    static constexpr int kNorth = 1;
    static constexpr int kSouth = 2;
    static constexpr int kEast = 3;
    static constexpr int kWest = 4;
    static constexpr int kStopAll = 5;

    virtual ~GuideMount() = default;
    // The connected mount's protocol; 0 without a mount.
    virtual int scopeProtocol() const = 0;
    virtual bool genericSlew(int direction) = 0;
    virtual bool genericSlewStop(int direction) = 0;
    // Signed milliseconds, positive east or north.
    virtual bool pulseGuideLX200(bool eastWest, int milliseconds) = 0;
};
