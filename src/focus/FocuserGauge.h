#pragma once

// The position level (0 to 100 % of the travel) and the moving indicator a
// focuser window shows beside the common fields.
class FocuserGauge {
public:
    virtual ~FocuserGauge() = default;
    virtual void showLevel(int percent) = 0;
    virtual void showMoving(bool moving) = 0;
};
