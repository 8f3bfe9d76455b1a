#pragma once

// The Digital Dome Works controller's settings, and its disconnect at quit.
class DDWDevice {
public:
    virtual ~DDWDevice() = default;
    // Geometry X, Y, Z, R, r and flip; delta (degrees) and update frequency.
    virtual void setDDWSetup(double x, double y, double z, double bigR, double smallR, double flip,
                             float delta, float frequency) = 0;
    virtual double ddwX() const = 0;
    virtual double ddwY() const = 0;
    virtual double ddwZ() const = 0;
    virtual double ddwR() const = 0;
    virtual double ddwr() const = 0;
    virtual double ddwF() const = 0;
    virtual float ddwDelta() const = 0;
    virtual float ddwFrequency() const = 0;

    virtual bool isDDWConnect() const = 0;
    virtual bool ddwDisconnect() = 0;
};
