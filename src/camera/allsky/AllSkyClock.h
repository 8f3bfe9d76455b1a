#pragma once

#include "camera/guide/GuideClock.h"

#include <QDateTime>

// Where the all-sky schedule takes the date and its timers from, so that
// tests run a night in virtual time.
class AllSkyClock {
public:
    virtual ~AllSkyClock() = default;
    virtual QDateTime now() const = 0;
    virtual std::unique_ptr<GuideTimer> createTimer() = 0;
};
