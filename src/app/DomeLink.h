#pragma once

#include "app/DDWSetupLink.h"
#include "app/DomeSetupLink.h"
#include "app/LazyToolPanel.h"
#include "mount/dome/DDWControl.h"
#include "mount/dome/DomeControl.h"
#include "mount/dome/DomeSlits.h"
#include "mount/dome/ScopeDomeMount.h"
#include "mount/links/SkyRedraw.h"
#include "platform/LazyOwner.h"

#include <memory>

class ChartDisplay;
class ConnectMenu;
class DDWPanel;
class DebugLog;
class DomePanel;
class MountLink;
class PrefControl;
class QWidget;
struct PrefLinks;

// The two dome controllers with their panels (each made when first shown),
// each on its own port's worker, the Connect menu and the chart's slit marks. The settings and the chart's
// window settings reach them through the links they fill in.
class DomeLink final : private SkyRedraw {
public:
    // `resources` holds the board panel's lights.
    DomeLink(PrefControl& prefs, DebugLog& log, MountLink& mount, ChartDisplay& chart,
             const QString& resources, QWidget* window);
    ~DomeLink() override;

    void fillLinks(PrefLinks& links);
    void joinConnectMenu(ConnectMenu& menu);
    const DomeSlit& domeSlits() const { return m_slits; }
    DomeControl& domeControl() { return m_dome; }
    DDWControl& ddwControl() { return m_ddw; }
    // The panels, made by the first call.
    DomePanel& domePanel() { return m_domePanel.get(); }
    DDWPanel& ddwPanel() { return m_ddwPanel.get(); }
    LazyToolPanel<DomePanel>& domePanelLink() { return m_domePanelLink; }
    LazyToolPanel<DDWPanel>& ddwPanelLink() { return m_ddwPanelLink; }
    bool arePanelsMade() const { return m_domePanel.isMade() || m_ddwPanel.isMade(); }

private:
    void setNeedsDisplay() override;

    MountLink& m_mount;
    ChartDisplay& m_chart;
    ScopeDomeMount m_domeMount;
    ScopeDomeMount m_ddwMount;
    DomeControl m_dome;
    DDWControl m_ddw;
    DomeSlits m_slits;
    // Children of the window, but they go before the controllers they show.
    LazyOwner<DomePanel> m_domePanel;
    LazyOwner<DDWPanel> m_ddwPanel;
    LazyToolPanel<DomePanel> m_domePanelLink{m_domePanel};
    LazyToolPanel<DDWPanel> m_ddwPanelLink{m_ddwPanel};
    DomeSetupLink m_domeSetup{m_domePanel};
    DDWSetupLink m_ddwSetup{m_ddwPanel};
};
