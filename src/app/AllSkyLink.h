#pragma once

#include "camera/allsky/AllSkySession.h"

#include <memory>

class AllSkyCamera;
class AllSkyClock;
class AllSkyDatePanel;
class AllSkyPanel;
class ConnectMenu;
class DebugLog;
class PrefControl;
class QWidget;
struct ChartOutlets;
struct PrefLinks;

// The all-sky camera's side of the program on a camera controller: the
// session (schedule, files, movie, stamp) with its panel and date-stamp
// panel, joined to the settings' launch values, the chart's window
// settings and the Connect menu.
class AllSkyLink final {
public:
    // Images and movies go to `miscDirectory` by default; `clock` drives the
    // schedule (the system's when none is given).
    AllSkyLink(PrefControl& prefs, DebugLog& log, AllSkyCamera& camera, const QString& miscDirectory,
               QWidget* window, AllSkyClock* clock = nullptr);
    ~AllSkyLink();

    void fillLinks(PrefLinks& links);
    void fillOutlets(ChartOutlets& outlets);
    void joinConnectMenu(ConnectMenu& menu);

    AllSkySession& session() { return *m_session; }
    AllSkyPanel& panel() const { return *m_panel; }
    AllSkyDatePanel& datePanel() const { return *m_datePanel; }

private:
    std::unique_ptr<AllSkyClock> m_ownClock;
    std::unique_ptr<AllSkySession> m_session;
    // Children of the window, but they go before the session they show.
    std::unique_ptr<AllSkyDatePanel> m_datePanel;
    std::unique_ptr<AllSkyPanel> m_panel;
};
