#pragma once

#include "mount/ScopeControl.h"
#include "scopeview/SVMountLink.h"

// The mount controller as the telescope view reads it.
class SVScopeMount final : public SVMountLink {
public:
    explicit SVScopeMount(ScopeControl& scope) : m_scope(scope) {}

    int scopeProtocol() const override { return m_scope.scopeProtocol(); }
    double synScanRAError() const override { return m_scope.synScanRAError(); }
    double synScanDecError() const override { return m_scope.synScanDecError(); }
    bool isConnected() const override { return m_scope.isConnected(); }
    bool isNoResponse() const override { return m_scope.isNoResponse(); }
    bool isSlewing() const override { return m_scope.isSlewing(); }
    bool isThreadUpdate() const override { return m_scope.isThreadUpdate(); }
    void setIsThreadUpdate(bool update) override { m_scope.setIsThreadUpdate(update); }
    void gotoRA(double ra, double dec) override { m_scope.gotoRA(ra, dec); }

private:
    ScopeControl& m_scope;
};
