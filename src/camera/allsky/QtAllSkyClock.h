#pragma once

#include "camera/allsky/AllSkyClock.h"
#include "camera/guide/QtGuideClock.h"

// The all-sky clock in real time: the system date and the event loop's timers.
class QtAllSkyClock final : public AllSkyClock {
public:
    QDateTime now() const override { return QDateTime::currentDateTimeUtc(); }
    std::unique_ptr<GuideTimer> createTimer() override { return m_timers.createTimer(); }

private:
    QtGuideClock m_timers;
};
