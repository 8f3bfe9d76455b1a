#include "app/ScopeFocuserWorker.h"

#include "mount/ScopeControl.h"

quint16 ScopeFocuserWorker::selectPort() const
{
    return m_scope.selectPort();
}

DebugWriter ScopeFocuserWorker::debugWriter() const
{
    return m_scope.debugWriter();
}

ScopeThreadTiming ScopeFocuserWorker::timing() const
{
    return m_scope.timing();
}

void ScopeFocuserWorker::postWork(std::function<void()> work)
{
    m_scope.portWorkers().postWork(kSerialSlotFocuser, std::move(work));
}
