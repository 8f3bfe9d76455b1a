#include "mount/PortWorkers.h"

PortWorkers::PortWorkers(DebugWriter debug, ScopeThreadTiming timing)
{
    for (quint16 slot = 1; slot <= kSerialSlotCount; ++slot) {
        if (slot != kSerialSlotScope)
            m_workers[slot - 1] = std::make_unique<ScopeThread>(m_status, debug, timing);
    }
}

PortWorkers::~PortWorkers()
{
    // All asked first: the slowest exchange sets the wait, not their sum.
    askToStop();
    for (const std::unique_ptr<ScopeThread>& worker : m_workers) {
        if (worker)
            worker->killRemotePort();
    }
}

ScopeThread* PortWorkers::worker(quint16 slot)
{
    return slot >= 1 && slot <= kSerialSlotCount ? m_workers[slot - 1].get() : nullptr;
}

ScopeThread* PortWorkers::launched(quint16 slot)
{
    ScopeThread* thread = worker(slot);
    if (thread != nullptr)
        thread->launchThread();
    return thread;
}

void PortWorkers::postWork(quint16 slot, std::function<void()> work)
{
    if (ScopeThread* thread = launched(slot))
        thread->postJob(std::move(work));
}

void PortWorkers::post(quint16 slot, int id)
{
    if (ScopeThread* thread = launched(slot))
        thread->post(ScopeMessage{id, {}, {}, {}});
}

void PortWorkers::askToStop()
{
    for (const std::unique_ptr<ScopeThread>& worker : m_workers) {
        if (worker)
            worker->askToStop();
    }
}
