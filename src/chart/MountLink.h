#pragma once

#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"
#include "mount/links/SkyRedraw.h"

#include <memory>

class ChartDisplay;
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
    MountLink(PrefControl& prefs, const SkyDateModel& skyDate, DebugLog& log,
              ChartDisplay& chart, QWidget* window);
    ~MountLink() override;

    SerialControl& serialControl() { return m_serial; }
    ScopeControl& scopeControl() { return m_scope; }
    ConnectMenu* connectMenu() const { return m_connectMenu.get(); }

private:
    void setNeedsDisplay() override;

    ChartDisplay& m_chart;
    SerialControl m_serial;
    ScopeControl m_scope;
    // Children of the window, but they go before the transport they use.
    std::unique_ptr<WiFiPanel> m_wifiPanel;
    std::unique_ptr<ConnectMenu> m_connectMenu;
};
