#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>

// Watches the main thread's event loop while a device test runs: a timer
// ticks every few milliseconds and the longest gap between two ticks is
// kept. A gap well over the tick means the loop was held up, as by an
// exchange waiting on the main thread for a silent device.
class MainThreadWatchdog {
public:
    explicit MainThreadWatchdog(std::chrono::milliseconds tick = std::chrono::milliseconds(10))
    {
        m_timer.setInterval(tick);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, std::chrono::milliseconds(m_sinceTick.restart()));
        });
    }

    // Starts afresh: what happened before does not count.
    void start()
    {
        m_longest = std::chrono::milliseconds(0);
        m_sinceTick.start();
        m_timer.start();
    }
    void stop() { m_timer.stop(); }

    // The longest the loop went without a tick, the tick itself included.
    std::chrono::milliseconds longestStall() const
    {
        return std::max(m_longest, std::chrono::milliseconds(m_timer.isActive() ? m_sinceTick.elapsed() : 0));
    }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    std::chrono::milliseconds m_longest{0};
};
