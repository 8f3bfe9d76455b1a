#pragma once

#include "mount/ScopeControl.h"
#include "remote/events/RemoteMount.h"

// The mount controller as outside programs reach it.
class ScopeRemoteMount final : public RemoteMount {
public:
    explicit ScopeRemoteMount(ScopeControl& scope) : m_scope(scope) {}
    bool isConnected() const override { return m_scope.isConnected(); }
    bool isSlewing() const override { return m_scope.isSlewing(); }
    double scopeAz() const override { return m_scope.scopeAz(); }
    double scopeRA() const override { return m_scope.scopeRA(); }
    double scopeDec() const override { return m_scope.scopeDec(); }
    void genericSlewDetect() override { m_scope.genericSlewDetect(); }
    void scopeConnect(int slot) override { m_scope.scopeConnect(slot); }
    void setTimerRate(float seconds) override { m_scope.setTimerRate(seconds); }
    void writeDebugFile(const QString& line) override { m_scope.writeDebugFile(line); }

private:
    ScopeControl& m_scope;
};
