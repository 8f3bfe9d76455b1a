#pragma once

// The telescope view: its tracked position and its magnification.
class CompanionTelescopeView {
public:
    virtual ~CompanionTelescopeView() = default;
    // Radians; 0 without a telescope view.
    virtual double trackRA() const = 0;
    virtual double trackDec() const = 0;
    virtual void setSVPower(float power) = 0;
};
