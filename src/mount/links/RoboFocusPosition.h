#pragma once

#include <QtGlobal>

// The RoboFocus controller's position, which its stream reader keeps current.
class RoboFocusPosition {
public:
    virtual ~RoboFocusPosition() = default;
    virtual quint16 roboPosition() const = 0;   // steps
    virtual void setRoboPosition(quint16 steps) = 0;
    virtual quint16 roboMax() const = 0;        // the travel's end, steps
    // Marks the motor as moving while step characters arrive.
    virtual void setIsRoboMove(bool moving) = 0;
};
