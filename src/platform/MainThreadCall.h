#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

// Runs work handed over by another thread on the main thread, in the order
// it was posted. The work waits in a list behind a standard mutex, and only
// a call by name crosses Qt's queue: the hand-over is then one the thread
// sanitizer can follow (the distribution's Qt is not instrumented, so a
// functor posted through it reads as a race whenever the main thread was
// busy).
class MainThreadCall final : public QObject {
    Q_OBJECT
public:
    // Any thread. The work runs once, on the main thread, while the
    // application runs.
    static void post(std::function<void()> work);
    // The one instance, made on first use; the application makes it as it starts.
    static MainThreadCall* instance();

private:
    MainThreadCall() = default;
    Q_INVOKABLE void runNext();

    std::mutex m_mutex;
    std::deque<std::function<void()>> m_waiting;
};
