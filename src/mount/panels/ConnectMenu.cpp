#include "mount/panels/ConnectMenu.h"

#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"
#include "mount/links/AutoguiderLink.h"
#include "mount/links/HandControlPanels.h"
#include "mount/panels/WiFiPanel.h"
#include "platform/AlertPanel.h"
#include "platform/StringTables.h"

#include <QGuiApplication>

#include <algorithm>
#include <utility>

namespace {

enum Tag {
    kTagFirstScope = 0,
    kTagLastScope = 4,
    kTagFirstRate = 5,
    kTagLastRate = 10,
    kTagPollRate = 11,
    kTagLastPollRate = 19,
    kTagControlPanel = 20,
    kTagSerialPort = 30,
    kTagScan = 31,
    kTagLastPort = 41,
    kTagWebcam = 50,
    kTagGPUSB = 51,
    kTagCanon = 52,
    kTagSG4 = 53,
    kTagDSUSB = 54,
    kTagDome = 55,
    kTagDDW = 56,
    kTagAllSky = 57,
    kTagPolarAlign = 58,
    kTagWiFi = 60,
};

// The poll-rate items' seconds, tags 5 to 10.
constexpr std::array<float, 6> kRates = {2.0f, 5.0f, 10.0f, 30.0f, 60.0f, 0.0f};
constexpr float kSubmenuRate = 5.0f;

QString menuTitle(const char* key)
{
    return StringTables::localizedString("Menus", key);
}

bool panelShown(const MenuPanel* panel)
{
    return panel && panel->isVisible();
}

template <class Device>
bool deviceConnected(const Device* device)
{
    return device && device->isConnected();
}

}  // namespace

ConnectMenu::ConnectMenu(PrefControl& prefs, SerialControl& serial, ScopeControl& scope,
                         DebugWriter debug, QWidget* parent)
    : QMenu(menuTitle("Connect"), parent),
      m_prefs(prefs),
      m_serial(serial),
      m_scope(scope),
      m_debug(std::move(debug)),
      m_pollMenu(new QMenu(menuTitle("Poll Rate"), this)),
      m_portMenu(new QMenu(menuTitle("Serial Port"), this))
{
    addSeparator();
    QAction* poll = addMenu(m_pollMenu);
    poll->setData(int(kTagPollRate));
    const char* rateTitles[] = {"2 Sec", "5 Sec", "10 Sec", "30 Sec", "1 Min", "Off"};
    for (int tag = kTagFirstRate; tag <= kTagLastRate; ++tag)
        addTagged(m_pollMenu, menuTitle(rateTitles[tag - kTagFirstRate]), tag);
    addTagged(this, menuTitle("Control Panel"), kTagControlPanel);
    QAction* ports = addMenu(m_portMenu);
    ports->setData(int(kTagSerialPort));
    addTagged(m_portMenu, menuTitle("Scan"), kTagScan);
    addSeparator();
    addTagged(this, menuTitle("Webcam"), kTagWebcam);
    addTagged(this, "GPUSB", kTagGPUSB);
    addTagged(this, "Canon DSLR", kTagCanon);
    addTagged(this, "SBIG SG-4", kTagSG4);
    addTagged(this, "DSUSB", kTagDSUSB);
    addTagged(this, "Dome", kTagDome);
    addTagged(this, "Digital Dome Works", kTagDDW);
    addTagged(this, "SBIG AllSky", kTagAllSky);
    addTagged(this, "Polar Alignment", kTagPolarAlign);
    addTagged(this, "WiFi", kTagWiFi);
    connect(this, &QMenu::aboutToShow, this, &ConnectMenu::validateMenu);
    // A mount that went away shows as disconnected at once.
    connect(&m_scope, &ScopeControl::connectionLost, this, &ConnectMenu::validateMenu);
    connect(&m_scope, &ScopeControl::connectFinished, this, &ConnectMenu::scopeConnected);
    setupConnectMenu();
}

QAction* ConnectMenu::addTagged(QMenu* menu, const QString& title, int tag)
{
    QAction* item = menu->addAction(title);
    item->setData(tag);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, tag] { connectMenuAction(tag); });
    return item;
}

void ConnectMenu::setupConnectMenu()
{
    for (QAction*& item : m_scopeItems) {
        delete item;
        item = nullptr;
    }
    const QStringList names = m_prefs.scopeNamesArray();
    QAction* before = actions().value(0);
    for (int slot = kTagFirstScope; slot <= kTagLastScope; ++slot) {
        if (names.value(slot).isEmpty())
            continue;
        QAction* item = new QAction(names.value(slot), this);
        item->setData(slot);
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, slot] { connectMenuAction(slot); });
        insertAction(before, item);
        m_scopeItems[slot] = item;
    }
}

QAction* ConnectMenu::itemWithTag(int tag) const
{
    for (const QMenu* menu : {static_cast<const QMenu*>(this), static_cast<const QMenu*>(m_pollMenu),
                              static_cast<const QMenu*>(m_portMenu)}) {
        for (QAction* item : menu->actions()) {
            if (!item->isSeparator() && item->data().toInt() == tag)
                return item;
        }
    }
    return nullptr;
}

void ConnectMenu::rebuildPortMenu()
{
    // Scanned each time, so that an adapter plugged in again (perhaps under
    // another device name) is offered without a restart; the connected
    // devices' ports and the chosen one keep their places.
    m_serial.getPortNames(QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier),
                          m_scope.selectPort());
    const QStringList names = m_serial.portNames();
    QStringList shown;
    for (QAction* item : m_portMenu->actions().mid(1))
        shown.append(item->text());
    if (shown == names)
        return;
    const QList<QAction*> items = m_portMenu->actions();
    for (qsizetype i = items.size() - 1; i >= 1; --i)
        delete items[i];
    for (int port = 0; port < names.size() && kTagScan + 1 + port <= kTagLastPort; ++port)
        addTagged(m_portMenu, names[port], kTagScan + 1 + port);
}

void ConnectMenu::validateMenu()
{
    rebuildPortMenu();
    for (const QMenu* menu : {static_cast<const QMenu*>(this), static_cast<const QMenu*>(m_pollMenu),
                              static_cast<const QMenu*>(m_portMenu)}) {
        for (QAction* item : menu->actions()) {
            if (!item->isSeparator())
                validateMenuItem(item);
        }
    }
}

void ConnectMenu::validateMenuItem(QAction* item)
{
    const int tag = item->data().toInt();
    if (item->isCheckable())
        item->setChecked(isMenuItemChecked(tag));
    item->setEnabled(isMenuItemEnabled(tag));
}

bool ConnectMenu::isMenuItemChecked(int tag) const
{
    const ConnectMenuLinks& l = m_links;
    if (tag >= kTagFirstRate && tag <= kTagLastRate)
        return m_scope.timerRate() == kRates[tag - kTagFirstRate];
    if (tag > kTagScan && tag <= kTagLastPort)
        return m_scope.selectPort() == tag - kTagScan;
    switch (tag) {
    case kTagControlPanel: {
        const MountPanel panel = mountPanelFor(m_scope.scopeProtocol());
        const bool mountPanel = m_scope.isConnected() && l.mountPanels && panel != MountPanel::None
                                && l.mountPanels->isVisible(panel);
        return mountPanel || panelShown(l.roboWindow) || panelShown(l.optecWindow)
               || panelShown(l.jmiWindow) || panelShown(l.moonLiteWindow) || panelShown(l.fcusbWindow);
    }
    case kTagScan: return m_scope.selectPort() == 0;
    case kTagWebcam: return panelShown(l.webcamPanel);
    case kTagGPUSB: return deviceConnected(l.gpusb);
    case kTagCanon: return deviceConnected(l.canon);
    case kTagSG4: return l.sg4 && l.sg4->isSG4Connect();
    case kTagDSUSB: return deviceConnected(l.dsusb);
    case kTagDome: return deviceConnected(l.dome);
    case kTagDDW: return deviceConnected(l.ddw);
    case kTagAllSky: return l.sg4 && l.sg4->isAllSkyConnect();
    case kTagPolarAlign: return panelShown(l.alignPanel);
    case kTagWiFi: return m_wifiPanel && m_wifiPanel->isVisible();
    default: return tag == m_scope.scopeIndex();
    }
}

bool ConnectMenu::isMenuItemEnabled(int tag) const
{
    const ConnectMenuLinks& l = m_links;
    const bool portFound = m_serial.maxPorts() > 0 || m_serial.hasWiFi();
    const bool connected = m_scope.isConnected();
    if (tag >= kTagFirstRate && tag <= kTagLastPollRate)
        return connected;
    if (tag > kTagScan && tag <= kTagLastPort)
        return !connected && m_serial.serialPortAvailable(quint16(tag - kTagScan - 1));
    switch (tag) {
    case kTagControlPanel: return connected || anyFocuserConnected();
    case kTagScan: return !connected && portFound;
    // One connection at a time: the item waits while the camera answers.
    case kTagCanon: return !(l.canon && l.canon->isConnecting());
    case kTagWebcam:
    case kTagGPUSB:
    case kTagDSUSB:
    case kTagWiFi:
        return true;
    case kTagSG4: return !(l.sg4 && l.sg4->isAllSkyConnect());
    case kTagAllSky: return !(l.sg4 && l.sg4->isSG4Connect());
    case kTagDome: return !panelShown(l.ddwPanel) && !deviceConnected(l.ddw);
    case kTagDDW: return !panelShown(l.domePanel) && !deviceConnected(l.dome);
    case kTagPolarAlign: {
        const int protocol = m_scope.scopeProtocol();
        return connected && protocol != kProtocolUltima && protocol != kProtocolSkyCommander
               && protocol != kProtocolServoCat;
    }
    default: return portFound;
    }
}

bool ConnectMenu::anyFocuserConnected() const
{
    return serialFocuserWindow() != nullptr || deviceConnected(m_links.fcusb);
}

MenuPanel* ConnectMenu::serialFocuserWindow() const
{
    const ConnectMenuLinks& l = m_links;
    const std::pair<const MenuDevice*, MenuPanel*> focusers[] = {
        {l.robo, l.roboWindow}, {l.optec, l.optecWindow}, {l.jmi, l.jmiWindow}, {l.moonLite, l.moonLiteWindow}};
    for (const auto& [device, window] : focusers) {
        if (deviceConnected(device))
            return window;
    }
    return nullptr;
}

void ConnectMenu::connectMenuAction(int tag)
{
    // Whatever the user does here, a stuck exchange must not block it.
    m_scope.resetSerialBlocks();
    ConnectMenuLinks& l = m_links;
    if (tag >= kTagFirstScope && tag <= kTagLastScope) {
        connectScope(tag);
    } else if (tag >= kTagFirstRate && tag <= kTagLastRate) {
        m_scope.setTimerRate(kRates[tag - kTagFirstRate]);
    } else if (tag >= kTagPollRate && tag <= kTagLastPollRate) {
        m_scope.setTimerRate(kSubmenuRate);
    } else if (tag >= kTagScan && tag <= kTagLastPort) {
        m_scope.setSelectPort(quint16(tag - kTagScan));
    }
    switch (tag) {
    case kTagControlPanel:
        toggleControlPanels();
        break;
    case kTagWebcam:
        if (l.webcamPanel && l.webcam) {
            if (l.webcamPanel->isVisible()) {
                l.webcamPanel->hide();
                l.webcam->disconnectDevice();
            } else {
                l.webcamPanel->show();
                l.webcam->connectDevice();
            }
        }
        break;
    case kTagGPUSB:
        if (toggleDevice(l.gpusb, "GPUSB connection failed.") && l.webcamGuide)
            l.webcamGuide->setCalibrateEnable(true);
        break;
    case kTagCanon:
        if (deviceConnected(l.canon))
            showOrClosePanel(l.canonPanel, [&l] { l.canon->disconnectDevice(); });
        else
            toggleSlowDevice(l.canon, "Canon DSLR connection failed.");
        break;
    case kTagDSUSB:
        toggleDevice(l.dsusb, "DSUSB connection failed.");
        break;
    case kTagSG4:
        if (l.sg4) {
            l.sg4->setIsAllSkySelect(false);
            if (l.sg4->isSG4Connect())
                showOrClosePanel(l.sg4Panel, [&l] { l.sg4->sg4Disconnect(); });
            else if (!l.sg4->initSG4Port())
                AlertPanel::runAlert(kSG4ConnectFailed, sg4StartFailure());
        }
        break;
    case kTagAllSky:
        if (l.sg4) {
            l.sg4->setIsAllSkySelect(true);
            if (l.sg4->isSG4Connect())
                l.sg4->sg4Disconnect();
            else if (l.sg4->isAllSkyConnect())
                showOrClosePanel(l.allSkyPanel, [&l] { l.sg4->sg4Disconnect(); });
            else if (!l.sg4->initSG4Port())
                AlertPanel::runAlert(kAllSkyConnectFailed, sg4StartFailure());
            // The choice steers this connect only; a later one starts from the SG-4.
            l.sg4->setIsAllSkySelect(false);
        }
        break;
    case kTagDome:
    case kTagDDW: {
        MenuPanel* panel = tag == kTagDome ? l.domePanel : l.ddwPanel;
        MenuDevice* device = tag == kTagDome ? l.dome : l.ddw;
        if (panel && panel->isVisible()) {
            panel->hide();
            if (device)
                device->disconnectDevice();
        } else if (panel) {
            panel->show();
        }
        break;
    }
    case kTagPolarAlign:
        toggle(l.alignPanel);
        break;
    case kTagWiFi:
        if (m_wifiPanel && m_wifiPanel->isVisible()) {
            m_wifiPanel->hide();
        } else if (m_wifiPanel) {
            m_wifiPanel->updateWifiText();
            m_wifiPanel->show();
            m_wifiPanel->raise();
        }
        break;
    default:
        break;
    }
}

void ConnectMenu::connectScope(int slot)
{
    if (m_scope.isConnected()) {
        m_scope.disconnect();
        return;
    }
    m_scope.scopeConnect(slot);
}

void ConnectMenu::scopeConnected(bool connected)
{
    validateMenu();
    if (!connected)
        return;
    m_debug([&] {
        const int protocol = m_scope.scopeProtocol();
        QString line = "Connected: " + m_prefs.scopeNamesArray().value(m_scope.scopeIndex()) + ", Protocol: ";
        if (protocol != kProtocolUltima)
            line += mountProtocolName(protocol) + "\r";
        return line;
    });
}

QString ConnectMenu::sg4StartFailure() const
{
    // The camera's search did not start: either there is no port to try,
    // or its slot is taken.
    if (m_serial.maxPorts() == 0)
        return kNoSerialPort;
    return QStringLiteral("A connection is still being made, or another device holds the camera's serial port.");
}

bool ConnectMenu::toggleDevice(MenuDevice* device, const char* failure)
{
    if (!device)
        return false;
    if (device->isConnected()) {
        device->disconnectDevice();
        return false;
    }
    if (device->connectDevice())
        return true;
    AlertPanel::runAlert(failure, device->connectFailure());
    return false;
}

void ConnectMenu::toggleSlowDevice(SlowMenuDevice* device, const char* failure)
{
    if (!device || device->isConnecting())
        return;
    if (device->isConnected()) {
        device->disconnectDevice();
        return;
    }
    device->startConnect([failure](bool connected, const QString& why) {
        if (!connected && !why.isEmpty())
            AlertPanel::runAlert(failure, why);
    });
}

void ConnectMenu::toggle(MenuPanel* panel)
{
    if (!panel)
        return;
    if (panel->isVisible())
        panel->hide();
    else
        panel->show();
}

void ConnectMenu::showOrClosePanel(MenuPanel* panel, const std::function<void()>& disconnect)
{
    if (panel == nullptr)
        disconnect();
    else if (panel->isVisible())
        panel->closeAsUser();
    else
        panel->show();
}

void ConnectMenu::toggleControlPanels()
{
    ConnectMenuLinks& l = m_links;
    const MountPanel panel = mountPanelFor(m_scope.scopeProtocol());
    if (m_scope.isConnected() && l.mountPanels && panel != MountPanel::None) {
        if (l.mountPanels->isVisible(panel))
            l.mountPanels->hidePanel(panel);
        else
            l.mountPanels->showPanel(panel, m_prefs.scopeNamesArray().value(m_scope.scopeIndex()));
    }
    toggle(serialFocuserWindow());
    if (deviceConnected(l.fcusb))
        toggle(l.fcusbWindow);
    if (deviceConnected(l.canon))
        toggle(l.canonPanel);
    if (l.sg4 && l.sg4->isSG4Connect())
        toggle(l.sg4Panel);
    else if (l.sg4 && l.sg4->isAllSkyConnect())
        toggle(l.allSkyPanel);
}
