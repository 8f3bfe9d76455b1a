#pragma once

#include "mount/dome/DomeMount.h"

class PrefControl;
class ScopeControl;

// The mount controller as the domes see it.
class ScopeDomeMount final : public DomeMount {
public:
    ScopeDomeMount(ScopeControl& scope, PrefControl& prefs) : m_scope(scope), m_prefs(prefs) {}

    bool isConnected() const override;
    bool hasPosition() const override;
    double scopeAzimuth() const override;
    double scopeHourAngle() const override;
    double scopeDec() const override;
    double latitude() const override;
    quint16 selectPort() const override;
    void setIsBlockPolling(bool blocked) override;
    void launchThread() override;
    void releaseThread() override;
    bool postJob(int id) override;
    void postWork(std::function<void()> work) override;

private:
    ScopeControl& m_scope;
    PrefControl& m_prefs;
};
