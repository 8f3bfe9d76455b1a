#pragma once

#include "mount/DebugWriter.h"
#include "mount/ScopeStatus.h"
#include "mount/ScopeThread.h"
#include "mount/SerialSlots.h"

#include <array>
#include <functional>
#include <memory>

// A worker for each device port besides the mount's (focuser, SG-4, dome
// board, Digital Dome Works), so that a device that stops answering holds
// up its own exchanges only, never the mount's stops and polls. Each runs
// its port's work one at a time in the order posted; once started it runs
// until this object goes, idle between jobs.
class PortWorkers {
public:
    PortWorkers(DebugWriter debug, ScopeThreadTiming timing);
    // Each worker stops after what it is doing; waiting ones are dropped.
    ~PortWorkers();
    PortWorkers(const PortWorkers&) = delete;
    PortWorkers& operator=(const PortWorkers&) = delete;

    // The worker of a device slot other than the mount's; null for any other slot.
    ScopeThread* worker(quint16 slot);
    // Queues `work` for the slot's worker, started if need be.
    void postWork(quint16 slot, std::function<void()> work);
    // Queues a numbered job (the dome board's, the SG-4's image transfer).
    void post(quint16 slot, int id);
    // Tells every worker to stop after what it is doing, without waiting.
    void askToStop();

private:
    ScopeThread* launched(quint16 slot);

    // Never read by a port's worker, which carries no mount messages.
    ScopeStatus m_status;
    std::array<std::unique_ptr<ScopeThread>, kSerialSlotCount> m_workers;
};
