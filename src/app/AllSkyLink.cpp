#include "app/AllSkyLink.h"

#include "app/WindowFrames.h"
#include "camera/allsky/QtAllSkyClock.h"
#include "camera/views/allsky/AllSkyDatePanel.h"
#include "camera/views/allsky/AllSkyPanel.h"
#include "chart/ChartOutlets.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefLinks.h"
#include "mount/panels/ConnectMenu.h"

AllSkyLink::AllSkyLink(PrefControl& prefs, DebugLog& log, AllSkyCamera& camera, const QString& miscDirectory,
                       QWidget* window, AllSkyClock* clock)
{
    if (!clock) {
        m_ownClock = std::make_unique<QtAllSkyClock>();
        clock = m_ownClock.get();
    }
    const DebugWriter debug([&prefs] { return prefs.isDebug(); }, &log);
    m_session = std::make_unique<AllSkySession>(camera, *clock, &prefs, miscDirectory, debug);
    m_datePanel = std::make_unique<AllSkyDatePanel>(*m_session, prefs, window);
    m_panel = std::make_unique<AllSkyPanel>(*m_session, *m_datePanel, debug, window);
    // Taller than a laptop's screen: its content scrolls there.
    keepScrollingWindowFrame(prefs, *m_panel, QStringLiteral("AllSky"), window, Qt::BottomLeftCorner);
    keepWindowFrame(prefs, *m_datePanel, QStringLiteral("AllSky Date"), window, Qt::TopLeftCorner);
}

AllSkyLink::~AllSkyLink() = default;

void AllSkyLink::fillLinks(PrefLinks& links)
{
    links.allSkyDateStamp = m_datePanel.get();
}

void AllSkyLink::fillOutlets(ChartOutlets& outlets)
{
    outlets.allSkyPanel = m_panel.get();
}

void AllSkyLink::joinConnectMenu(ConnectMenu& menu)
{
    menu.setAllSkyPanel(m_panel.get());
}
