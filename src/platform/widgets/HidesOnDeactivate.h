#pragma once

// A window that can be set to hide while the application is inactive.
class HidesOnDeactivate {
public:
    virtual ~HidesOnDeactivate() = default;
    virtual void setHide(bool hide) = 0;
};
