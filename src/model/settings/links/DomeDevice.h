#pragma once

#include <QtGlobal>

#include <optional>

// The generic (relay board) dome controller's settings, and its disconnect at quit.
class DomeDevice {
public:
    virtual ~DomeDevice() = default;
    // Geometry X, Y, Z, R, r and flip; home azimuth, delta (degrees) and update frequency.
    virtual void setDomeSetup(double x, double y, double z, double bigR, double smallR, double flip,
                              float homeAzimuth, float delta, float frequency) = 0;
    // Encoder ticks per turn (0 on a fresh store) and overshoot ticks; see domeTickAngles().
    virtual void setDomeTicks(quint32 ticksPerTurn, qint16 overshoot) = 0;
    virtual void setBaudRate(quint16 baudTag) = 0;
    virtual void setIsBoardSetup(bool setUp) = 0;
    virtual void setIsDomeShutter(bool hasShutter) = 0;
    virtual void setIsDomeBiDirection(bool turnsBothWays) = 0;
    virtual void setDomeI5V1(bool on) = 0;
    virtual void setDomeI5V2(bool on) = 0;
    virtual void setDomeI5V3(bool on) = 0;
    virtual void setDomeI5V4(bool on) = 0;

    virtual double domeX() const = 0;
    virtual double domeY() const = 0;
    virtual double domeZ() const = 0;
    virtual double domeR() const = 0;
    virtual double domer() const = 0;
    virtual double domef() const = 0;
    virtual float domeHomeAzimuth() const = 0;
    virtual float domeDelta() const = 0;
    virtual float domeFrequency() const = 0;
    virtual quint32 domeMaxTicks() const = 0;
    virtual qint16 domeOvershoot() const = 0;
    virtual quint16 baudRate() const = 0;
    virtual bool isBoardSetup() const = 0;
    virtual bool domeI5V1() const = 0;
    virtual bool domeI5V2() const = 0;
    virtual bool domeI5V3() const = 0;
    virtual bool domeI5V4() const = 0;

    virtual bool isDomeConnect() const = 0;
    virtual bool domeDisconnect() = 0;
};

// The angles a tick count stands for, in degrees.
struct DomeTickAngles {
    double overshoot;  // overshoot * 360 / ticks
    double tolerance;  // 360 / ticks + 0.5
};

// The dome's derived angles; none while the dome is not calibrated (0 ticks
// per turn, as on a fresh store), when there is nothing to divide by.
inline std::optional<DomeTickAngles> domeTickAngles(quint32 ticksPerTurn, qint16 overshoot)
{
    if (ticksPerTurn == 0)
        return std::nullopt;
    return DomeTickAngles{overshoot * 360.0 / ticksPerTurn, 360.0 / ticksPerTurn + 0.5};
}
