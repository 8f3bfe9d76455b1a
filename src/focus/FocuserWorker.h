#pragma once

#include "mount/DebugWriter.h"
#include "mount/ScopeThread.h"

#include <QtGlobal>

#include <functional>

// The thread the serial focusers' exchanges run on (the focuser port's own
// worker), as the focus library reaches it.
class FocuserWorker {
public:
    virtual ~FocuserWorker() = default;
    // 0 = search every port, n = port list entry n - 1.
    virtual quint16 selectPort() const = 0;
    virtual DebugWriter debugWriter() const = 0;
    virtual ScopeThreadTiming timing() const = 0;
    // Queues a focuser's work for the worker, started if need be.
    virtual void postWork(std::function<void()> work) = 0;
};
