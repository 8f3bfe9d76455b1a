#pragma once

#include "skydraw/ChartSky.h"

// Where the chart view takes each frame's sky from.
class ChartSkySource {
public:
    virtual ~ChartSkySource() = default;
    virtual ChartSky chartSky() const = 0;
};
