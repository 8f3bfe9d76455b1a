#pragma once

// Told when the first launch took the site from the system's location, so the
// preferences window can offer the time-zone choice that goes with it.
class FirstRunNotice {
public:
    virtual ~FirstRunNotice() = default;
    virtual void setIsInstall(bool isInstall) = 0;
};
