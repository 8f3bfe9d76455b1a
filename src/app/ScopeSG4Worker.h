#pragma once

#include "camera/sg4/SG4Worker.h"
#include "mount/ScopeControl.h"
#include "mount/ScopeMessage.h"

// The mount's worker and port choice as the SG-4 controller sees them.
class ScopeSG4Worker final : public SG4Worker {
public:
    explicit ScopeSG4Worker(ScopeControl& scope) : m_scope(scope) {}

    quint16 selectPort() const override { return m_scope.selectPort(); }
    void launchThread() override { m_scope.launchThread(); }
    void postImageDownload() override
    {
        // The worker may have stopped with the mount; the download starts it again.
        m_scope.launchThread();
        m_scope.scopeThread().post(ScopeMessage{kSG4MsgImageDownload, {}, {}, {}});
    }

private:
    ScopeControl& m_scope;
};
