#pragma once

#include "app/ScopeSG4Worker.h"
#include "camera/sg4/SG4Control.h"

#include <memory>

struct ChartOutlets;
class ConnectMenu;
class DebugLog;
class MountLink;
class PrefControl;
class QWidget;
class SG4Panel;
struct PrefLinks;

// The SG-4 guider and AllSky camera as the program holds them: the
// controller on the serial transport's slot 3 and that port's worker, its
// panel, the Connect menu's items, the stored speed and the quit sequence.
class SG4Link final {
public:
    // The panel is a child of `window`.
    SG4Link(PrefControl& prefs, DebugLog& log, MountLink& mount, QWidget* window);
    ~SG4Link();

    void fillLinks(PrefLinks& links);
    void fillOutlets(ChartOutlets& outlets);
    void joinConnectMenu(ConnectMenu& menu);
    SG4Control& sg4Control() { return m_control; }
    SG4Panel& sg4Panel() const { return *m_panel; }

private:
    MountLink& m_mount;
    ScopeSG4Worker m_worker;
    SG4Control m_control;
    // A child of the window, but it goes before the controller it shows.
    std::unique_ptr<SG4Panel> m_panel;
};
