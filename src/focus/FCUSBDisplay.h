#pragma once

#include <QtGlobal>

// What the FCUSB window shows of the two units.
class FCUSBDisplay {
public:
    virtual ~FCUSBDisplay() = default;
    // A unit's connection, its PWM radio column (0, 1, 2) and its speed slider.
    virtual void showUnit(int unit, bool connected, int pwmColumn, quint8 speed) = 0;
    // The tab of the unit the controls address.
    virtual void showAddressedUnit(int unit) = 0;
    virtual void orderFront() = 0;
    virtual void orderOut() = 0;
};
