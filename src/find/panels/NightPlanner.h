#pragma once

// The night planner's window as the Window menu opens and closes it.
class NightPlanner {
public:
    virtual ~NightPlanner() = default;
    virtual bool isPlannerVisible() const = 0;
    virtual void orderOut() = 0;
    // Plans the night of the chart date and brings the window to the front as the key window.
    virtual void showTonight() = 0;
};
