#pragma once

#include "camera/guide/GuideMount.h"
#include "mount/ScopeControl.h"

// The mount controller as the autoguider drives it: slews and pulses are
// posted to the mount's worker, so a correction never waits on the line.
class ScopeGuideMount final : public GuideMount {
public:
    explicit ScopeGuideMount(ScopeControl& scope) : m_scope(scope) {}
    int scopeProtocol() const override { return m_scope.isConnected() ? m_scope.scopeProtocol() : 0; }
    bool genericSlew(int direction) override { return m_scope.genericSlew(direction); }
    bool genericSlewStop(int direction) override { return m_scope.genericSlewStop(direction); }
    bool pulseGuideLX200(bool eastWest, int milliseconds) override
    {
        return m_scope.pulseGuideLX200(eastWest, milliseconds);
    }

private:
    ScopeControl& m_scope;
};
