#pragma once

#include "app/ScopeFocuserWorker.h"
#include "focus/FocusCameras.h"
#include "focus/FocuserFrame.h"
#include "mount/links/FocuserWindows.h"

#include <array>
#include <functional>
#include <memory>

class ConnectMenu;
class FCUSBControl;
class FocusMenu;
class FocuserConnection;
class HidesOnDeactivate;
class FocuserControl;
class FocuserWindowLink;
class MountLink;
class OptecAssembly;
class RoboAssembly;
struct PrefLinks;
class PrefControl;
class QWidget;
struct ChartOutlets;

// The focusers as the chart window holds them: the Focuser menu, the
// cameras the autofocus runs measure on, and the links each focuser family
// joins by. A serial family joining gets its menu item, Escape on the mount's
// hand-control panels (but the MoonLite), the Connect menu's control-panel
// item and the focuser-hide setting; the FCUSB gets its menu item and the
// control-panel item.
class FocusLink final {
public:
    FocusLink(MountLink& mount, PrefControl& prefs, ChartOutlets& outlets, QWidget* window);
    ~FocusLink();

    FocusMenu* focusMenu() const { return m_menu.get(); }
    // The settings' links to the built focusers.
    void fillLinks(PrefLinks& links);
    OptecAssembly& optec() { return *m_optec; }
    RoboAssembly& robo() { return *m_robo; }
    FocusCameras& cameras() { return m_cameras; }
    // The focuser port's worker, where the serial focusers' exchanges run.
    FocuserWorker& worker() { return m_worker; }
    // What a serial focuser family's frame is made with.
    FocuserFrame::Links frameLinks();
    MountLink& mount() const { return m_mount; }

    // The joined families' autofocus runs: RoboFocus, Optec, JMI, MoonLite,
    // null where a family has not joined. The observer hears them now and
    // whenever a family joins.
    using AutoFocusRuns = std::array<const AutoFocusRun*, 4>;
    void setAutoFocusObserver(std::function<void(const AutoFocusRuns&)> observer);

    void joinOptec(FocuserControl& control, FocuserFrame& frame, FocuserWindowLink& window);
    void joinRobo(FocuserControl& control, FocuserFrame& frame, FocuserWindowLink& window);
    void joinJMI(FocuserControl& control, FocuserFrame& frame, FocuserWindowLink& window);
    void joinMoonLite(FocuserControl& control, FocuserFrame& frame, FocuserWindowLink& window);
    void joinFCUSB(FCUSBControl& control, MenuPanel& window);

private:
    // Where the Optec, RoboFocus and JMI families each join.
    struct SerialFamily {
        void (FocusMenu::*menuItem)(FocuserConnection*);
        HidesOnDeactivate* ChartOutlets::*hideOutlet;
        FocuserWindows::Focuser FocuserWindows::*escapeTarget;
        void (ConnectMenu::*connectDevice)(MenuDevice*);
        void (ConnectMenu::*connectWindow)(MenuPanel*);
        int runSlot;
        const char* frameName;  // its window's kept frame
    };
    void joinSerial(const SerialFamily& family, FocuserControl& control, FocuserFrame& frame,
                    FocuserWindowLink& window);
    void joinHandPanels(FocuserFrame& frame);
    void joinAutoFocus(int slot, FocuserFrame& frame);
    // The window, once made, keeps its frame under `name`.
    void keepFrame(FocuserWindowLink& window, const QString& name);

    MountLink& m_mount;
    PrefControl& m_prefs;
    ChartOutlets& m_outlets;
    QWidget* m_window;  // the chart's
    FocusCameras m_cameras;
    ScopeFocuserWorker m_worker;
    FocuserWindows m_windows;
    AutoFocusRuns m_runs{};
    std::function<void(const AutoFocusRuns&)> m_runsObserver;
    std::unique_ptr<OptecAssembly> m_optec;
    std::unique_ptr<RoboAssembly> m_robo;
    // A child of the window, but it goes before the focusers it reaches.
    std::unique_ptr<FocusMenu> m_menu;
};
