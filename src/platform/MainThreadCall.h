#pragma once

#include "platform/JobInbox.h"

#include <QObject>

#include <functional>

// Runs work handed over by another thread on the main thread, in the order
// it was posted, through an inbox the thread sanitizer can follow (a functor
// posted through Qt's own queue reads as a race whenever the main thread was
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

    JobInbox m_waiting;
};
