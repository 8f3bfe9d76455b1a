#pragma once

// The chart view as the update chain redraws it.
class ChartDisplay {
public:
    virtual ~ChartDisplay() = default;
    // Redraws at once; the chart is on screen when this returns.
    virtual void display() = 0;
};
