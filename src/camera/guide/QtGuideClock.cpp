#include "camera/guide/QtGuideClock.h"

#include <QTimer>

namespace {

class QtGuideTimer final : public GuideTimer {
public:
    QtGuideTimer()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            // The handler may restart or stop this timer: it runs on a copy.
            const std::function<void()> fire = m_fire;
            if (fire)
                fire();
        });
    }
    void start(int milliseconds, bool repeating, std::function<void()> fire) override
    {
        m_fire = std::move(fire);
        m_timer.setSingleShot(!repeating);
        m_timer.start(milliseconds);
    }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    std::function<void()> m_fire;
};

}  // namespace

std::unique_ptr<GuideTimer> QtGuideClock::createTimer()
{
    return std::make_unique<QtGuideTimer>();
}
