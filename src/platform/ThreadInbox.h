#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

// Runs work handed over by any thread on the thread this object lives in,
// in the order it was posted. The work waits in a list behind a standard
// mutex, and only a call by name crosses Qt's queue: the hand-over is then
// one the thread sanitizer can follow (the distribution's Qt is not
// instrumented, so a functor posted through it reads as a race whenever the
// receiving thread was busy).
class ThreadInbox final : public QObject {
    Q_OBJECT
public:
    explicit ThreadInbox(QObject* parent = nullptr) : QObject(parent) {}

    // Any thread. The work runs once, while the receiving thread's event
    // loop runs.
    void post(std::function<void()> work);

private:
    Q_INVOKABLE void runNext();

    std::mutex m_mutex;
    std::deque<std::function<void()>> m_waiting;
};
