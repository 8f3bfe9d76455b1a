#pragma once

#include "mount/dome/DomeMount.h"

class PrefControl;
class ScopeControl;

// The mount controller as a dome sees it; the dome's exchanges and jobs
// run on its own port's worker (`slot`), so that a dome that stops
// answering never holds up the mount's commands.
class ScopeDomeMount final : public DomeMount {
public:
    ScopeDomeMount(ScopeControl& scope, PrefControl& prefs, quint16 slot)
        : m_scope(scope), m_prefs(prefs), m_slot(slot) {}

    bool isConnected() const override;
    bool hasPosition() const override;
    double scopeAzimuth() const override;
    double scopeHourAngle() const override;
    double scopeDec() const override;
    double latitude() const override;
    quint16 selectPort() const override;
    void setIsBlockPolling(bool blocked) override;
    void launchThread() override;
    bool postJob(int id) override;
    void postWork(std::function<void()> work) override;

private:
    ScopeControl& m_scope;
    PrefControl& m_prefs;
    quint16 m_slot;
};
