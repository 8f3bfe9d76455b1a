#pragma once

#include "find/TrackMount.h"
#include "mount/ScopeControl.h"

// The mount controller as the finder's Track sends it to the selection.
class ScopeTrackMount final : public TrackMount {
public:
    explicit ScopeTrackMount(ScopeControl& scope) : m_scope(scope) {}

    bool isConnected() const override { return m_scope.isConnected(); }
    int scopeProtocol() const override { return m_scope.scopeProtocol(); }
    bool isTemmaSync() const override { return m_scope.isTemmaSync(); }
    void gotoRA(double ra, double dec) override { m_scope.gotoRA(ra, dec); }
    void setGotoRA(double ra, double dec) override { m_scope.setGotoRA(ra, dec); }

private:
    ScopeControl& m_scope;
};
