#include "app/DomeLink.h"

#include "app/MountLink.h"
#include "app/WindowFrames.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefLinks.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/DDWPanel.h"
#include "mount/panels/DomePanel.h"
#include "platform/DebugLog.h"
#include "skydraw/ChartDisplay.h"

namespace {

DebugWriter debugWriter(PrefControl& prefs, DebugLog& log)
{
    return DebugWriter([&prefs] { return prefs.isDebug(); }, &log);
}

}  // namespace

DomeLink::DomeLink(PrefControl& prefs, DebugLog& log, MountLink& mount, ChartDisplay& chart,
                   const QString& resources, QWidget* window)
    : m_mount(mount),
      m_chart(chart),
      m_domeMount(mount.scopeControl(), prefs, kSerialSlotDome),
      m_ddwMount(mount.scopeControl(), prefs, kSerialSlotDDW),
      m_dome(mount.serialControl(), m_domeMount, debugWriter(prefs, log)),
      m_ddw(mount.serialControl(), m_ddwMount, debugWriter(prefs, log)),
      m_slits(m_dome, m_ddw),
      m_domePanel([this, &prefs, resources, window] {
          auto panel = std::make_unique<DomePanel>(m_dome, prefs, resources, window);
          // Taller than a laptop's screen: its content scrolls there.
          keepScrollingWindowFrame(prefs, *panel, QStringLiteral("Dome Panel"), window, Qt::BottomLeftCorner);
          return panel;
      }),
      m_ddwPanel([this, &prefs, window] {
          auto panel = std::make_unique<DDWPanel>(m_ddw, m_ddwMount, prefs, window);
          keepScrollingWindowFrame(prefs, *panel, QStringLiteral("Digital Dome Works"), window,
                                   Qt::BottomLeftCorner);
          return panel;
      })
{
    m_dome.setSkyView(this);
    m_ddw.setSkyView(this);
    m_dome.setSaves([&prefs] { prefs.saveBoardPrefs(); }, [&prefs] { prefs.saveTicksPrefs(); });
    // Read unlocked by the workers: set before they ever start. The board's
    // jobs run on its port's worker; a goto's follow-up on the mount's.
    ScopeControl& scope = mount.scopeControl();
    scope.portWorkers().worker(kSerialSlotDome)->setDomeBoard(&m_dome);
    scope.scopeThread().setDomeFollowers(&m_dome, &m_ddw);
}

DomeLink::~DomeLink()
{
    // A dome job still running ends at its next cycle; the workers that
    // reach the controllers stop before they go.
    m_dome.stopJobs();
    ScopeControl& scope = m_mount.scopeControl();
    ScopeThread& board = *scope.portWorkers().worker(kSerialSlotDome);
    board.askToStop();
    scope.portWorkers().worker(kSerialSlotDDW)->killRemotePort();
    board.killRemotePort();
    scope.scopeThread().killRemotePort();
    board.setDomeBoard(nullptr);
    scope.scopeThread().setDomeFollowers(nullptr, nullptr);
}

void DomeLink::fillLinks(PrefLinks& links)
{
    links.dome = &m_dome;
    links.domePanel = &m_domeSetup;
    links.ddw = &m_ddw;
    links.ddwPanel = &m_ddwSetup;
}

void DomeLink::joinConnectMenu(ConnectMenu& menu)
{
    menu.setDome(&m_dome);
    menu.setDDW(&m_ddw);
    menu.setDomePanel(&m_domePanelLink);
    menu.setDDWPanel(&m_ddwPanelLink);
}

void DomeLink::setNeedsDisplay()
{
    m_chart.display();
}
