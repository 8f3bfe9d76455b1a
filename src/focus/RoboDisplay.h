#pragma once

#include <QString>

#include <array>

// The RoboFocus window's own fields.
class RoboDisplay {
public:
    virtual ~RoboDisplay() = default;
    // Duty cycle (%), step delay and step size.
    virtual void showConfig(int duty, int delay, int stepSize) = 0;
    virtual void showBacklash(int amount) = 0;
    // 2 or 3; other directions select nothing.
    virtual void selectBacklashDirection(int direction) = 0;
    virtual void showMaximum(int steps) = 0;
    virtual void showOutputs(const std::array<bool, 4>& on) = 0;
    // The position as a share of the travel, 0 … 100.
    virtual void showLevel(int percent) = 0;
    // The motor stopped: the in and out buttons that are on go off.
    virtual void clearMoveButtons() = 0;
    // The slope ("%.1f") and the temperature difference of the learning.
    virtual void showSlope(const QString& slope) = 0;
    virtual void showTempDelta(const QString& delta) = 0;
};
