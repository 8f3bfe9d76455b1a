#pragma once

#include "skydraw/ChartDisplay.h"

// The chart view as the launch sequence drives it.
class LaunchView : public ChartDisplay {
public:
    // Sets the splash stage, 1 to 4, and redraws.
    virtual void showSplashStage(int stage) = 0;
    // The chart now draws the sky instead of the splash.
    virtual void setHasLaunched() = 0;
    // Sets the chart's cursor once, a quarter second from now.
    virtual void startCursorTimer() = 0;
};
