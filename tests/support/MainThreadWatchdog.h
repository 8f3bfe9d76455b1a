#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <chrono>

// Watches the main thread's event loop while a device test runs: a timer
// ticks every few milliseconds and the longest gap between two ticks is
// kept. A gap well over the tick means the loop was held up, as by an
// exchange waiting on the main thread for a silent device. Time the thread
// spent ready but waiting for a processor (a loaded machine, not the
// program) is not counted, where the kernel tells it.
class MainThreadWatchdog {
public:
    explicit MainThreadWatchdog(std::chrono::milliseconds tick = std::chrono::milliseconds(10))
    {
        m_timer.setInterval(tick);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, sinceTick());
            m_sinceTick.restart();
            m_waitedAtTick = waitedForProcessor();
        });
    }

    // Starts afresh: what happened before does not count, nor the work it
    // left queued for the loop (such as the settings save a changed
    // preference posts, which waits on the disk).
    void start()
    {
        QCoreApplication::sendPostedEvents();
        m_longest = std::chrono::milliseconds(0);
        m_sinceTick.start();
        m_waitedAtTick = waitedForProcessor();
        m_timer.start();
    }
    void stop() { m_timer.stop(); }

    // The longest the loop went without a tick, the tick itself included.
    std::chrono::milliseconds longestStall() const
    {
        return std::max(m_longest, m_timer.isActive() ? sinceTick() : std::chrono::milliseconds(0));
    }

private:
    // How long this (the main) thread has waited on a run queue; 0 when the
    // kernel keeps no such count.
    static std::chrono::nanoseconds waitedForProcessor()
    {
        QFile stats(QStringLiteral("/proc/thread-self/schedstat"));
        if (!stats.open(QIODevice::ReadOnly))
            return std::chrono::nanoseconds(0);
        const QList<QByteArray> fields = stats.readAll().simplified().split(' ');
        return std::chrono::nanoseconds(fields.size() >= 2 ? fields[1].toLongLong() : 0);
    }

    std::chrono::milliseconds sinceTick() const
    {
        const auto waited =
            std::chrono::duration_cast<std::chrono::milliseconds>(waitedForProcessor() - m_waitedAtTick);
        return std::max(std::chrono::milliseconds(m_sinceTick.elapsed()) - waited, std::chrono::milliseconds(0));
    }

    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    std::chrono::nanoseconds m_waitedAtTick{0};
    std::chrono::milliseconds m_longest{0};
};
