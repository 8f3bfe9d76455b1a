#pragma once

// The relay adapter on the mount's guide port as the guider drives it. Times
// are seconds, positive east and north, negative west and south.
class GuideAdapter {
public:
    virtual ~GuideAdapter() = default;
    virtual bool isGPUSBConnected() const = 0;
    // Timed pulses on each axis whose time is not 0; false when not
    // connected or when the report was refused.
    virtual bool guideGPUSB(float eastWest, float northSouth) = 0;
    // The same lines held on until the next report.
    virtual bool lockGPUSB(float eastWest, float northSouth) = 0;
};

// What the adapter tells the guider.
class GuideAdapterListener {
public:
    virtual ~GuideAdapterListener() = default;
    // An axis's pulse ended.
    virtual void resetRADriveFlags() = 0;
    virtual void resetDecDriveFlags() = 0;
    // The adapter connected (true) or disconnected.
    virtual void enableGuide(bool enabled) = 0;
};
