#include "app/DomeLink.h"

#include "app/MountLink.h"
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
      m_domeMount(mount.scopeControl(), prefs),
      m_dome(mount.serialControl(), m_domeMount, debugWriter(prefs, log)),
      m_ddw(mount.serialControl(), m_domeMount, debugWriter(prefs, log)),
      m_slits(m_dome, m_ddw),
      m_domePanel(std::make_unique<DomePanel>(m_dome, prefs, resources, window)),
      m_ddwPanel(std::make_unique<DDWPanel>(m_ddw, m_domeMount, prefs, window))
{
    m_dome.setSkyView(this);
    m_ddw.setSkyView(this);
    m_dome.setSaves([&prefs] { prefs.saveBoardPrefs(); }, [&prefs] { prefs.saveTicksPrefs(); });
    // A port scan in progress, or a disconnect's last commands, need the
    // worker as a connected device does.
    mount.scopeControl().setWorkerInUse(this, [this] {
        return m_dome.needsWorker() || m_ddw.isConnected() || m_ddw.isDDWConnecting();
    });
    ScopeThread& worker = mount.scopeControl().scopeThread();
    worker.setDomeBoard(&m_dome);
    worker.setDomeFollowers(&m_dome, &m_ddw);
}

DomeLink::~DomeLink()
{
    // A dome job still running on the worker ends at its next cycle; the
    // worker stops before the controllers go.
    m_dome.stopJobs();
    m_mount.scopeControl().setWorkerInUse(this, {});
    ScopeThread& worker = m_mount.scopeControl().scopeThread();
    worker.killRemotePort();
    worker.setDomeBoard(nullptr);
    worker.setDomeFollowers(nullptr, nullptr);
}

void DomeLink::fillLinks(PrefLinks& links)
{
    links.dome = &m_dome;
    links.domePanel = m_domePanel.get();
    links.ddw = &m_ddw;
    links.ddwPanel = m_ddwPanel.get();
}

void DomeLink::joinConnectMenu(ConnectMenu& menu)
{
    menu.setDome(&m_dome);
    menu.setDDW(&m_ddw);
    menu.setDomePanel(m_domePanel.get());
    menu.setDDWPanel(m_ddwPanel.get());
}

void DomeLink::setNeedsDisplay()
{
    m_chart.display();
}
