#include "app/MountLink.h"

#include "app/WindowFrames.h"
#include "model/settings/PrefControl.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/HandControlPanelSet.h"
#include "mount/panels/WiFiPanel.h"
#include "platform/DebugLog.h"
#include "skydraw/ChartDisplay.h"

#include <QGuiApplication>

namespace {

DebugWriter debugWriter(PrefControl& prefs, DebugLog& log)
{
    return DebugWriter([&prefs] { return prefs.isDebug(); }, &log);
}

}  // namespace

MountLink::MountLink(PrefControl& prefs, SkyDateModel& skyDate, DebugLog& log, ChartDisplay& chart,
                     QWidget* window)
    : m_chart(chart),
      m_serial(debugWriter(prefs, log)),
      m_scope(prefs, skyDate, m_serial, debugWriter(prefs, log)),
      m_wifiPanel(std::make_unique<WiFiPanel>(m_serial, prefs, window)),
      m_connectMenu(
          std::make_unique<ConnectMenu>(prefs, m_serial, m_scope, debugWriter(prefs, log), window)),
      m_handPanels(new HandControlPanelSet(prefs, m_scope, window)),
      m_skyDate(skyDate),
      m_prefs(prefs),
      m_window(window)
{
    m_serial.setBridgeMount(&m_scope);
    log.setPortListProvider([this] { return m_serial.portNames(); });
    m_scope.setSkyView(this);
    m_scope.setModifiers([] { return QGuiApplication::queryKeyboardModifiers(); });
    m_scope.setHandPanels(m_handPanels);
    m_connectMenu->setWifiPanel(m_wifiPanel.get());
    keepWindowFrame(prefs, *m_wifiPanel, QStringLiteral("WiFi"), window, Qt::TopLeftCorner);
    m_connectMenu->setMountPanels(m_handPanels);
}

AlignPanel& MountLink::createAlignPanel(AlignPanel::Finder finder)
{
    m_alignPanel = new AlignPanel(m_prefs, m_scope, m_skyDate, std::move(finder), m_window);
    keepWindowFrame(m_prefs, *m_alignPanel, QStringLiteral("Polar Alignment"), m_window, Qt::BottomLeftCorner);
    m_connectMenu->setAlignPanel(m_alignPanel);
    return *m_alignPanel;
}

MountLink::~MountLink() = default;

void MountLink::setNeedsDisplay()
{
    m_chart.display();
}
