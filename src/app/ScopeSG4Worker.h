#pragma once

#include "camera/sg4/SG4Worker.h"
#include "mount/ScopeControl.h"
#include "mount/ScopeMessage.h"

// The mount's worker and port choice as the SG-4 controller sees them.
class ScopeSG4Worker final : public SG4Worker {
public:
    explicit ScopeSG4Worker(ScopeControl& scope) : m_scope(scope) {}

    quint16 selectPort() const override { return m_scope.selectPort(); }
    void postWork(std::function<void()> work) override
    {
        m_scope.launchThread();
        m_scope.scopeThread().postJob(std::move(work));
    }
    void releaseThread() override { m_scope.releaseThread(); }
    void postImageDownload() override
    {
        // The worker may have stopped with the mount; the download starts it again.
        m_scope.launchThread();
        m_scope.scopeThread().post(ScopeMessage{kSG4MsgImageDownload, {}, {}, {}});
    }

private:
    ScopeControl& m_scope;
};
