#pragma once

#include <QtGlobal>

#include <algorithm>
#include <functional>
#include <limits>
#include <memory>

// A timer of the guider's clock, on the main thread.
class GuideTimer {
public:
    virtual ~GuideTimer() = default;
    // Starts the timer afresh, dropping what was pending: `fire` runs after
    // `milliseconds`, and again every `milliseconds` when `repeating`.
    virtual void start(int milliseconds, bool repeating, std::function<void()> fire) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

// Where the guider and its adapters take their time and their timers from,
// so that tests run them in virtual time.
class GuideClock {
public:
    virtual ~GuideClock() = default;
    // A steady count of milliseconds.
    virtual qint64 elapsedMs() const = 0;
    virtual std::unique_ptr<GuideTimer> createTimer() = 0;
};

// Whole milliseconds of `seconds`, never negative, at most INT_MAX.
inline int guideMilliseconds(double seconds)
{
    constexpr double kMostMs = double(std::numeric_limits<int>::max());
    return seconds > 0 ? int(std::min(seconds * 1000.0 + 0.5, kMostMs)) : 0;
}
