#pragma once

// The telescope view's drawer of telescope, eyepiece, camera and power.
class TelescopeDrawer {
public:
    virtual ~TelescopeDrawer() = default;
    // Rebuilds the drawer from the settings.
    virtual void setupDrawer() = 0;
    // A power set directly, leaving the eyepiece.
    virtual void setSVPower(float power) = 0;
};
