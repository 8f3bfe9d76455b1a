#pragma once

#include "scopeview/SVDiscSky.h"

// Where the disc painters take those values from; the satellites are
// brought up to the sky date before a disc that shows them is drawn.
class SVDiscSource {
public:
    virtual ~SVDiscSource() = default;
    virtual void calculateJupiterSatellites() = 0;
    virtual void calculateSaturnSatellites() = 0;
    virtual SVDiscSky discSky() const = 0;
};
