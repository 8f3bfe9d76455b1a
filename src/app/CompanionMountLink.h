#pragma once

#include "mount/ScopeControl.h"
#include "remote/CompanionMount.h"

// The mount controller as the companion server drives it.
class CompanionMountLink final : public CompanionMount {
public:
    explicit CompanionMountLink(ScopeControl& scope) : m_scope(scope) {}

    bool isConnected() const override { return m_scope.isConnected(); }
    bool isSlewing() const override { return m_scope.isSlewing(); }
    bool genericSlew(int direction) override { return m_scope.genericSlew(direction); }
    bool genericSlewStop(int direction) override { return m_scope.genericSlewStop(direction); }
    void setGenericSlewRate(int rate) override { m_scope.setGenericSlewRate(rate); }
    void writeDebugFile(const QString& line) override { m_scope.writeDebugFile(line); }

private:
    ScopeControl& m_scope;
};
