#pragma once

#include <chrono>

// Whether the dome board still answers the readings of one job or one
// shutter move: it has stopped once kLostReadings readings in a row have
// failed, or kLostAfter has passed since the last good one, however long
// each reading took.
class DomeBoardWatch {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kLostReadings = 3;
    static constexpr std::chrono::seconds kLostAfter{2};

    // The watch starts as if a good reading came at `start`.
    explicit DomeBoardWatch(Clock::time_point start) : m_lastGood(start) {}

    // Takes one reading's outcome at `now`; true once the board counts as lost.
    bool lost(bool answered, Clock::time_point now);

private:
    Clock::time_point m_lastGood;
    int m_failedInARow = 0;
};
