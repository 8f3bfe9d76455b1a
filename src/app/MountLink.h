#pragma once

#include "app/ScopeTrackMount.h"
#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"
#include "mount/links/SkyRedraw.h"
#include "mount/panels/AlignPanel.h"

#include <memory>

class ChartDisplay;
class HandControlPanelSet;
class ConnectMenu;
class DebugLog;
class PrefControl;
class QWidget;
class SkyDateModel;
class WiFiPanel;

// The mount side as the chart window holds it: the serial transport, the
// mount controller and the Connect menu with the WiFi panel, wired to the
// settings, the debug log and the chart.
class MountLink final : private SkyRedraw {
public:
    MountLink(PrefControl& prefs, SkyDateModel& skyDate, DebugLog& log, ChartDisplay& chart,
              QWidget* window);
    // The finder is made after the mount side.
    AlignPanel& createAlignPanel(AlignPanel::Finder finder);
    ~MountLink() override;

    SerialControl& serialControl() { return m_serial; }
    ScopeControl& scopeControl() { return m_scope; }
    TrackMount& trackMount() { return m_trackMount; }
    ConnectMenu* connectMenu() const { return m_connectMenu.get(); }
    HandControlPanelSet& handPanels() const { return *m_handPanels; }

private:
    void setNeedsDisplay() override;

    ChartDisplay& m_chart;
    SerialControl m_serial;
    ScopeControl m_scope;
    ScopeTrackMount m_trackMount{m_scope};
    // Children of the window, but they go before the transport they use.
    std::unique_ptr<WiFiPanel> m_wifiPanel;
    std::unique_ptr<ConnectMenu> m_connectMenu;
    HandControlPanelSet* m_handPanels;
    AlignPanel* m_alignPanel = nullptr;
    SkyDateModel& m_skyDate;
    PrefControl& m_prefs;
    QWidget* m_window;
};
