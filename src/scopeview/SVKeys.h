#pragma once

#include "scopeview/SVOrientation.h"

#include <optional>

// What a key pressed in the telescope view's window asks for: a pan of the
// field (radians, added to the pan offsets) or, with Alt on the Up and Down
// arrows, a new power.
struct SVKeys {
    double dRA = 0.0;
    double dDec = 0.0;
    std::optional<float> power;

    // `key` a Qt::Key; `svAngle` half the field (radians); `arrowSpeed` the
    // setting (percent); `power` the drawer's.
    static SVKeys keyDown(int key, bool alt, double svAngle, float arrowSpeed,
                          const SVOrientation& flips, float power);
};
