#pragma once

#include "find/tours/TourMount.h"
#include "mount/ScopeControl.h"

// The mount controller as a tour waits on it: a slew check posts the
// detection to the worker and answers the last state it reported.
class ScopeTourMount final : public TourMount {
public:
    explicit ScopeTourMount(ScopeControl& scope) : m_scope(scope) {}
    bool isConnected() const override { return m_scope.isConnected(); }
    bool isSlewing() const override { return m_scope.isSlewing(); }
    bool genericSlewDetect() override
    {
        m_scope.genericSlewDetect();
        return m_scope.isSlewing();
    }

private:
    ScopeControl& m_scope;
};
