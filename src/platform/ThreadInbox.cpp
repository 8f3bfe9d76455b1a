#include "platform/ThreadInbox.h"

#include <QMetaObject>

void ThreadInbox::post(std::function<void()> work)
{
    {
        const std::lock_guard lock(m_mutex);
        m_waiting.push_back(std::move(work));
    }
    // One queued call per item keeps the order among other queued events.
    QMetaObject::invokeMethod(this, "runNext", Qt::QueuedConnection);
}

void ThreadInbox::runNext()
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
