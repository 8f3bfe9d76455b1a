#include "app/SG4Link.h"

#include "app/MountLink.h"
#include "app/WindowFrames.h"
#include "camera/views/sg4/SG4Panel.h"
#include "chart/ChartOutlets.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefLinks.h"
#include "mount/panels/ConnectMenu.h"
#include "platform/DebugLog.h"

namespace {

DebugWriter debugWriter(PrefControl& prefs, DebugLog& log)
{
    return DebugWriter([&prefs] { return prefs.isDebug(); }, &log);
}

}  // namespace

SG4Link::SG4Link(PrefControl& prefs, DebugLog& log, MountLink& mount, QWidget* window)
    : m_mount(mount),
      m_worker(mount.scopeControl()),
      m_control(mount.serialControl(), debugWriter(prefs, log)),
      m_panel(std::make_unique<SG4Panel>(m_control, debugWriter(prefs, log), window))
{
    m_control.setWorker(&m_worker);
    m_control.setSG4Panel(m_panel.get());
    // Taller than a laptop's screen: its content scrolls there.
    keepScrollingWindowFrame(prefs, *m_panel, QStringLiteral("SG-4"), window, Qt::BottomLeftCorner);
    m_control.setBaudStore([&prefs](long baud) { prefs.setSG4BaudPref(baud); });
    // Read unlocked by the port's worker: set before it ever starts.
    mount.scopeControl().setSG4(&m_control);
}

SG4Link::~SG4Link()
{
    if (m_control.isSG4Connect() || m_control.isAllSkyConnect())
        m_control.sg4Disconnect();
    // A transfer still running ends at its next read of the closed port; the
    // port's worker stops before the controller goes.
    ScopeControl& scope = m_mount.scopeControl();
    scope.portWorkers().worker(kSerialSlotSG4)->killRemotePort();
    scope.setSG4(nullptr);
    m_control.setSG4Panel(nullptr);
}

void SG4Link::fillLinks(PrefLinks& links)
{
    links.sg4 = &m_control;
}

void SG4Link::fillOutlets(ChartOutlets& outlets)
{
    outlets.sg4Panel = m_panel.get();
}

void SG4Link::joinConnectMenu(ConnectMenu& menu)
{
    menu.setSG4(&m_control);
    menu.setSG4Panel(m_panel.get());
}
