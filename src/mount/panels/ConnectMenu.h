#pragma once

#include "mount/DebugWriter.h"
#include "mount/links/ConnectMenuLinks.h"
#include "mount/panels/ConnectMenuSetup.h"

#include <QMenu>

#include <array>

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

    void setLinks(const ConnectMenuLinks& links) { m_links = links; }
    const ConnectMenuLinks& links() const { return m_links; }
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
    void toggleControlPanels();
    void toggle(MenuPanel* panel);
    // Connects or disconnects `device`; a failed connect shows `failure`.
    bool toggleDevice(MenuDevice* device, const char* failure);
    bool anyFocuserConnected() const;

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
