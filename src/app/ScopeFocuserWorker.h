#pragma once

#include "focus/FocuserWorker.h"

class ScopeControl;

// The mount's worker as the serial focusers reach it: it runs their
// exchanges and keeps running while one of them holds it.
class ScopeFocuserWorker final : public FocuserWorker {
public:
    explicit ScopeFocuserWorker(ScopeControl& scope);
    ~ScopeFocuserWorker() override;

    quint16 selectPort() const override;
    DebugWriter debugWriter() const override;
    ScopeThreadTiming timing() const override;
    void postWork(std::function<void()> work) override;
    void holdThread() override { ++m_holds; }
    void releaseThread() override;

private:
    ScopeControl& m_scope;
    int m_holds = 0;
};
