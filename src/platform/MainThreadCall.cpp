#include "platform/MainThreadCall.h"

#include <QCoreApplication>
#include <QMetaObject>

MainThreadCall* MainThreadCall::instance()
{
    static MainThreadCall* const calls = [] {
        auto* created = new MainThreadCall;
        created->moveToThread(QCoreApplication::instance()->thread());
        return created;
    }();
    return calls;
}

namespace {

// Made on the main thread as the application starts: a worker's first post
// then finds it made, through the static's guard, which the thread
// sanitizer follows (not through Qt's queue, which it cannot).
void makeMainThreadCall()
{
    MainThreadCall::instance();
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(makeMainThreadCall)

void MainThreadCall::post(std::function<void()> work)
{
    if (!QCoreApplication::instance())
        return;
    MainThreadCall* const calls = instance();
    calls->m_waiting.put(std::move(work));
    // One queued call per item keeps the order among other queued events.
    QMetaObject::invokeMethod(calls, "runNext", Qt::QueuedConnection);
}

void MainThreadCall::runNext()
{
    if (std::function<void()> work = m_waiting.take())
        work();
}
