#pragma once

#include <chrono>

// The SG-4 controller's clocks; tests run them shorter.
struct SG4Timing {
    std::chrono::milliseconds pollInterval{1000};      // completion polls after the first
    std::chrono::milliseconds completionMargin{1000};  // the first poll after the exposure time
    std::chrono::milliseconds focusDelay{500};         // the focus loop's pause after a download
    std::chrono::milliseconds calibrateTick{1000};
    int calibrateTimeoutTicks = 300;                   // ticks without report data
    float blockSeconds = 10.0f;                        // one transfer block's time limit
};
