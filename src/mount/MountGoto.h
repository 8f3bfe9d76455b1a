#pragma once

// The mount controller as the telescope-view positions slew it.
class MountGoto {
public:
    virtual ~MountGoto() = default;
    // Slews to right ascension and declination of date, radians.
    virtual void gotoRA(double ra, double dec) = 0;
};
