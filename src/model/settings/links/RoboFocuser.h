#pragma once

// The RoboFocus window's temperature slope.
class RoboFocuser {
public:
    virtual ~RoboFocuser() = default;
    virtual void setRoboSlope(float slope) = 0;
    virtual float roboSlope() const = 0;
};
