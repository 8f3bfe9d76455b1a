#pragma once

#include "focus/FocuserWorker.h"

class ScopeControl;

// The focuser port's own worker as the serial focusers reach it: a focuser
// that stops answering holds up no other device. The worker runs from the
// first job posted to the end of the run.
class ScopeFocuserWorker final : public FocuserWorker {
public:
    explicit ScopeFocuserWorker(ScopeControl& scope) : m_scope(scope) {}

    quint16 selectPort() const override;
    DebugWriter debugWriter() const override;
    ScopeThreadTiming timing() const override;
    void postWork(std::function<void()> work) override;

private:
    ScopeControl& m_scope;
};
