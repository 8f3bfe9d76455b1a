#include "mount/dome/DomeExchanges.h"

void DomeExchanges::push(std::function<void()> work)
{
    const std::lock_guard lock(m_queueMutex);
    if (!m_closed)
        m_waiting.push_back(std::move(work));
}

void DomeExchanges::runWaiting()
{
    const std::lock_guard running(m_running);
    for (;;) {
        std::function<void()> work;
        {
            const std::lock_guard lock(m_queueMutex);
            if (m_closed || m_waiting.empty())
                return;
            work = std::move(m_waiting.front());
            m_waiting.pop_front();
        }
        work();
    }
}

void DomeExchanges::close()
{
    std::deque<std::function<void()>> dropped;
    const std::lock_guard running(m_running);
    const std::lock_guard lock(m_queueMutex);
    m_closed = true;
    dropped.swap(m_waiting);
}
