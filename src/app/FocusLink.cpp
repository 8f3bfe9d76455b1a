#include "app/FocusLink.h"

#include "app/FocuserWindowLink.h"
#include "app/MountLink.h"
#include "app/OptecAssembly.h"
#include "app/RoboAssembly.h"
#include "app/WindowFrames.h"
#include "chart/ChartOutlets.h"
#include "focus/FCUSBControl.h"
#include "focus/FocuserControl.h"
#include "focus/views/FocusMenu.h"
#include "focus/OptecFrame.h"
#include "focus/RoboFrame.h"
#include "focus/views/FocuserWindow.h"
#include "model/settings/PrefLinks.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/HandControlPanelSet.h"

FocusLink::FocusLink(MountLink& mount, PrefControl& prefs, ChartOutlets& outlets, QWidget* window)
    : m_mount(mount),
      m_prefs(prefs),
      m_outlets(outlets),
      m_window(window),
      m_worker(mount.scopeControl()),
      m_menu(std::make_unique<FocusMenu>(window))
{
    m_optec = std::make_unique<OptecAssembly>(*this, prefs, window);
    m_robo = std::make_unique<RoboAssembly>(*this, prefs, window);
}

FocusLink::~FocusLink() = default;

void FocusLink::fillLinks(PrefLinks& links)
{
    links.optec = &m_optec->frame();
    links.robo = &m_robo->frame();
}

FocuserFrame::Links FocusLink::frameLinks()
{
    return {m_mount.scopeControl(), m_prefs, m_cameras};
}

void FocusLink::joinHandPanels(FocuserFrame& frame)
{
    frame.setHandPanels(&m_mount.handPanels());
}

void FocusLink::setAutoFocusObserver(std::function<void(const AutoFocusRuns&)> observer)
{
    m_runsObserver = std::move(observer);
    if (m_runsObserver)
        m_runsObserver(m_runs);
}

void FocusLink::joinAutoFocus(int slot, FocuserFrame& frame)
{
    m_runs[std::size_t(slot)] = &frame.autoFocus();
    if (m_runsObserver)
        m_runsObserver(m_runs);
}

void FocusLink::joinSerial(const SerialFamily& family, FocuserControl& control, FocuserFrame& frame,
                           FocuserWindowLink& window)
{
    (m_menu.get()->*family.menuItem)(&frame);
    joinHandPanels(frame);
    m_outlets.*family.hideOutlet = &window;
    m_windows.*family.escapeTarget = {&control, &window};
    m_mount.handPanels().setFocuserWindows(m_windows);
    ConnectMenu& connect = *m_mount.connectMenu();
    (connect.*family.connectDevice)(&control);
    (connect.*family.connectWindow)(&window);
    joinAutoFocus(family.runSlot, frame);
    keepFrame(window, QString::fromLatin1(family.frameName));
}

void FocusLink::keepFrame(FocuserWindowLink& window, const QString& name)
{
    window.whenMade([this, name](FocuserWindow& made) {
        keepWindowFrame(m_prefs, made, name, m_window, Qt::BottomLeftCorner);
    });
}

void FocusLink::joinOptec(FocuserControl& control, FocuserFrame& frame, FocuserWindowLink& window)
{
    joinSerial({&FocusMenu::setOptec, &ChartOutlets::optecWindow, &FocuserWindows::optec,
                &ConnectMenu::setOptec, &ConnectMenu::setOptecWindow, 1, "TCF-S"},
               control, frame, window);
}

void FocusLink::joinRobo(FocuserControl& control, FocuserFrame& frame, FocuserWindowLink& window)
{
    joinSerial({&FocusMenu::setRobo, &ChartOutlets::roboWindow, &FocuserWindows::robo,
                &ConnectMenu::setRobo, &ConnectMenu::setRoboWindow, 0, "RoboFocus"},
               control, frame, window);
}

void FocusLink::joinJMI(FocuserControl& control, FocuserFrame& frame, FocuserWindowLink& window)
{
    joinSerial({&FocusMenu::setJMI, &ChartOutlets::jmiWindow, &FocuserWindows::jmi,
                &ConnectMenu::setJMI, &ConnectMenu::setJMIWindow, 2, "JMI"},
               control, frame, window);
}

void FocusLink::joinMoonLite(FocuserControl& control, FocuserFrame& frame, FocuserWindowLink& window)
{
    m_menu->setMoonLite(&frame);
    m_outlets.moonWindow = &window;
    joinHandPanels(frame);
    ConnectMenu& connect = *m_mount.connectMenu();
    connect.setMoonLite(&control);
    connect.setMoonLiteWindow(&window);
    joinAutoFocus(3, frame);
    keepFrame(window, QStringLiteral("MoonLite"));
}

void FocusLink::joinFCUSB(FCUSBControl& control, MenuPanel& window)
{
    m_menu->setFCUSB(&control);
    ConnectMenu& connect = *m_mount.connectMenu();
    connect.setFCUSB(&control);
    connect.setFCUSBWindow(&window);
}
