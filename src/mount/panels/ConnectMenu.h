#pragma once

#include "mount/DebugWriter.h"
#include "mount/links/ConnectMenuLinks.h"
#include "mount/panels/ConnectMenuSetup.h"

#include <QMenu>

#include <array>
#include <functional>

class PrefControl;
class ScopeControl;
class SerialControl;
class WiFiPanel;

// The application's "Connect" menu: one item per configured telescope, the
// poll rate, the serial port, the control panels and every other device.
// Items carry their tag as data; check marks and enabling are set each time
// the menu is about to show.
class ConnectMenu : public QMenu, public ConnectMenuSetup {
    Q_OBJECT
public:
    ConnectMenu(PrefControl& prefs, SerialControl& serial, ScopeControl& scope, DebugWriter debug,
                QWidget* parent = nullptr);

    // One setter per link, so that a device joining later never drops one
    // joined before.
    void setWebcam(MenuDevice* link) { m_links.webcam = link; }
    void setGPUSB(MenuDevice* link) { m_links.gpusb = link; }
    void setCanon(SlowMenuDevice* link) { m_links.canon = link; }
    void setDSUSB(MenuDevice* link) { m_links.dsusb = link; }
    void setDome(MenuDevice* link) { m_links.dome = link; }
    void setDDW(MenuDevice* link) { m_links.ddw = link; }
    void setRobo(MenuDevice* link) { m_links.robo = link; }
    void setOptec(MenuDevice* link) { m_links.optec = link; }
    void setJMI(MenuDevice* link) { m_links.jmi = link; }
    void setMoonLite(MenuDevice* link) { m_links.moonLite = link; }
    void setFCUSB(const ConnectedDevice* link) { m_links.fcusb = link; }
    void setSG4(SG4Connection* link) { m_links.sg4 = link; }
    void setWebcamGuide(AutoguiderLink* link) { m_links.webcamGuide = link; }
    void setMountPanels(HandControlPanels* link) { m_links.mountPanels = link; }
    void setWebcamPanel(MenuPanel* link) { m_links.webcamPanel = link; }
    void setCanonPanel(MenuPanel* link) { m_links.canonPanel = link; }
    void setSG4Panel(MenuPanel* link) { m_links.sg4Panel = link; }
    void setAllSkyPanel(MenuPanel* link) { m_links.allSkyPanel = link; }
    void setDomePanel(MenuPanel* link) { m_links.domePanel = link; }
    void setDDWPanel(MenuPanel* link) { m_links.ddwPanel = link; }
    void setAlignPanel(MenuPanel* link) { m_links.alignPanel = link; }
    void setRoboWindow(MenuPanel* link) { m_links.roboWindow = link; }
    void setOptecWindow(MenuPanel* link) { m_links.optecWindow = link; }
    void setJMIWindow(MenuPanel* link) { m_links.jmiWindow = link; }
    void setMoonLiteWindow(MenuPanel* link) { m_links.moonLiteWindow = link; }
    void setFCUSBWindow(MenuPanel* link) { m_links.fcusbWindow = link; }
    void setWifiPanel(WiFiPanel* panel) { m_wifiPanel = panel; }

    // Gives the telescope items the names of the configured slots; a slot
    // without a name has no item.
    void setupConnectMenu() override;
    void connectMenuAction(int tag);
    // Sets the marks and enabling of every item, the port list first.
    void validateMenu();

    // The item carrying `tag`, in this menu or its submenus; null when none.
    QAction* itemWithTag(int tag) const;

private:
    QAction* addTagged(QMenu* menu, const QString& title, int tag);
    void rebuildPortMenu();
    void validateMenuItem(QAction* item);
    bool isMenuItemChecked(int tag) const;
    bool isMenuItemEnabled(int tag) const;
    void connectScope(int slot);
    // A connection started from the menu ended, connected or not.
    void scopeConnected(bool connected);
    void toggleControlPanels();
    void toggle(MenuPanel* panel);
    // A connected camera's item (Canon, SG-4, AllSky): its panel shown again
    // when hidden, else closed as by its close button; `disconnect` ends a
    // camera that has no panel.
    void showOrClosePanel(MenuPanel* panel, const std::function<void()>& disconnect);
    // Connects or disconnects `device`; a failed connect shows `failure`.
    bool toggleDevice(MenuDevice* device, const char* failure);
    // Starts the connection, or ends the one made; the failure's alert
    // comes when the device answers.
    void toggleSlowDevice(SlowMenuDevice* device, const char* failure);
    // Why the SG-4 or AllSky search could not start, for its alert.
    QString sg4StartFailure() const;
    bool anyFocuserConnected() const;
    // The connected serial focuser's window (one at a time); null when none.
    MenuPanel* serialFocuserWindow() const;

    PrefControl& m_prefs;
    SerialControl& m_serial;
    ScopeControl& m_scope;
    DebugWriter m_debug;
    ConnectMenuLinks m_links;
    WiFiPanel* m_wifiPanel = nullptr;
    std::array<QAction*, 5> m_scopeItems{};
    QMenu* m_pollMenu;
    QMenu* m_portMenu;
};
