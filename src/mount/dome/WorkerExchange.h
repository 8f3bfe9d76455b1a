#pragma once

#include "mount/DebugWriter.h"
#include "mount/ScopeThread.h"

#include <chrono>

class SerialControl;

// What a dome controller's exchanges carry onto the mount's worker: the
// transport, the debug writer and the clock. A copy owns all it holds but
// the transport, which outlives the worker, so a job still queued when its
// controller goes touches nothing of it; the slot's lock keeps the
// exchanges apart.
class WorkerExchange {
public:
    WorkerExchange(SerialControl& serial, DebugWriter debug, ScopeThreadTiming timing)
        : m_serial(&serial), m_debug(std::move(debug)), m_timing(std::move(timing)) {}

    void pause(std::chrono::microseconds span) const { m_timing.pause(span); }
    void pause(int ticks) const
    {
        if (ticks > 0)
            m_timing.pause(ticks * m_timing.tick);
    }
    const DebugWriter& debug() const { return m_debug; }

protected:
    SerialControl& serial() const { return *m_serial; }

private:
    SerialControl* m_serial;
    DebugWriter m_debug;
    ScopeThreadTiming m_timing;
};
