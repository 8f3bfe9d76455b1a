#pragma once

#include <QtGlobal>

#include <functional>

// The webcam's smoothed frame rate: 1 at the first frame, then each sample
// moves it a tenth of the way toward the rate of the last interval. Times
// come from the monotonic clock, or from a given clock in tests.
class FrameRate {
public:
    // Microseconds from some fixed start.
    using Clock = std::function<qint64()>;

    FrameRate();
    explicit FrameRate(Clock clock) : m_clock(std::move(clock)) {}

    // Counts one frame; returns whether the rate changed (a sample was taken).
    bool sample();
    float frequency() const { return m_frequency; }

private:
    Clock m_clock;
    qint64 m_last = 0;
    float m_frequency = 0.0f;
};
