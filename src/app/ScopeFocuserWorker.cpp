#include "app/ScopeFocuserWorker.h"

#include "mount/ScopeControl.h"

ScopeFocuserWorker::ScopeFocuserWorker(ScopeControl& scope) : m_scope(scope)
{
    m_scope.setWorkerInUse(this, [this] { return m_holds > 0; });
}

ScopeFocuserWorker::~ScopeFocuserWorker()
{
    m_scope.setWorkerInUse(this, {});
}

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
    m_scope.launchThread();
    m_scope.scopeThread().postJob(std::move(work));
}

void ScopeFocuserWorker::releaseThread()
{
    if (m_holds > 0)
        --m_holds;
    m_scope.releaseThread();
}
