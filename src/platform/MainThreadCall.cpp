#include "platform/MainThreadCall.h"

#include <QCoreApplication>
#include <QMetaObject>

void MainThreadCall::post(std::function<void()> work)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    static MainThreadCall* const calls = [app] {
        auto* created = new MainThreadCall;
        created->moveToThread(app->thread());
        return created;
    }();
    {
        const std::lock_guard lock(calls->m_mutex);
        calls->m_waiting.push_back(std::move(work));
    }
    // One queued call per item keeps the order among other queued events.
    QMetaObject::invokeMethod(calls, "runNext", Qt::QueuedConnection);
}

void MainThreadCall::runNext()
{
    std::function<void()> work;
    {
        const std::lock_guard lock(m_mutex);
        if (m_waiting.empty())
            return;
        work = std::move(m_waiting.front());
        m_waiting.pop_front();
    }
    work();
}
