#pragma once

#include "app/CompanionFinderLink.h"
#include "app/CompanionGuideLink.h"
#include "app/CompanionMountLink.h"
#include "app/CompanionPrefsLink.h"
#include "app/CompanionViewLink.h"
#include "remote/Controller.h"
#include "remote/LoadedDiscovery.h"
#include "remote/SleepWatch.h"

class ChartAssembly;

// The companion-app server joined to the program: the settings start and
// stop it, the launch starts it, the mount tells it of connections, sleep
// drops it and waking makes it again; the autoguider's errors reach it.
class CompanionAssembly {
public:
    explicit CompanionAssembly(ChartAssembly& chart);
    ~CompanionAssembly();
    CompanionAssembly(const CompanionAssembly&) = delete;
    CompanionAssembly& operator=(const CompanionAssembly&) = delete;

    Controller& controller() { return m_controller; }
    // Replaces the system's discovery from the next manager on.
    void setDiscovery(CompanionDiscovery& discovery) { m_controller.setDiscovery(discovery); }

private:
    ChartAssembly& m_chart;
    CompanionPrefsLink m_prefs;
    CompanionMountLink m_mount;
    CompanionFinderLink m_finder;
    CompanionViewLink m_view;
    LoadedDiscovery m_discovery;
    Controller m_controller;
    CompanionGuideLink m_guide;
    SleepWatch m_sleep;
};
