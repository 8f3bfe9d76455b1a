#pragma once

#include "camera/guide/GuideClock.h"

#include <QElapsedTimer>

// The guider's clock in real time: the event loop's timers.
class QtGuideClock final : public GuideClock {
public:
    QtGuideClock() { m_elapsed.start(); }
    qint64 elapsedMs() const override { return m_elapsed.elapsed(); }
    std::unique_ptr<GuideTimer> createTimer() override;

private:
    QElapsedTimer m_elapsed;
};
