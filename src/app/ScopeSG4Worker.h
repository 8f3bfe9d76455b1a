#pragma once

#include "camera/sg4/SG4Worker.h"
#include "mount/ScopeControl.h"
#include "mount/ScopeMessage.h"

// The SG-4 port's own worker and the Connect menu's port choice as the
// SG-4 controller sees them: a camera that stops answering holds up no
// other device.
class ScopeSG4Worker final : public SG4Worker {
public:
    explicit ScopeSG4Worker(ScopeControl& scope) : m_scope(scope) {}

    quint16 selectPort() const override { return m_scope.selectPort(); }
    void postWork(std::function<void()> work) override
    {
        m_scope.portWorkers().postWork(kSerialSlotSG4, std::move(work));
    }
    void postImageDownload() override
    {
        m_scope.portWorkers().post(kSerialSlotSG4, kSG4MsgImageDownload);
    }

private:
    ScopeControl& m_scope;
};
