#include "app/FocusLink.h"

#include "app/MountLink.h"
#include "chart/ChartOutlets.h"
#include "focus/FocuserControl.h"
#include "focus/views/FocusMenu.h"
#include "focus/views/FocuserWindow.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/HandControlPanelSet.h"

FocusLink::FocusLink(MountLink& mount, PrefControl& prefs, ChartOutlets& outlets, QWidget* window)
    : m_mount(mount),
      m_prefs(prefs),
      m_outlets(outlets),
      m_menu(std::make_unique<FocusMenu>(window))
{
}

FocusLink::~FocusLink() = default;

FocuserFrame::Links FocusLink::frameLinks()
{
    return {m_mount.scopeControl(), m_prefs, m_cameras};
}

void FocusLink::joinHandPanels(FocuserFrame& frame)
{
    frame.setHandPanels(&m_mount.handPanels());
}

void FocusLink::joinOptec(FocuserControl& control, FocuserFrame& frame, FocuserWindow& window)
{
    m_menu->setOptec(&frame);
    joinHandPanels(frame);
    m_outlets.optecWindow = &window;
    m_windows.optec = {&control, &window};
    m_mount.handPanels().setFocuserWindows(m_windows);
    m_mount.connectMenu()->setOptec(&control);
    m_mount.connectMenu()->setOptecWindow(&window);
}

void FocusLink::joinRobo(FocuserControl& control, FocuserFrame& frame, FocuserWindow& window)
{
    m_menu->setRobo(&frame);
    joinHandPanels(frame);
    m_outlets.roboWindow = &window;
    m_windows.robo = {&control, &window};
    m_mount.handPanels().setFocuserWindows(m_windows);
    m_mount.connectMenu()->setRobo(&control);
    m_mount.connectMenu()->setRoboWindow(&window);
}

void FocusLink::joinJMI(FocuserControl& control, FocuserFrame& frame, FocuserWindow& window)
{
    m_menu->setJMI(&frame);
    joinHandPanels(frame);
    m_outlets.jmiWindow = &window;
    m_windows.jmi = {&control, &window};
    m_mount.handPanels().setFocuserWindows(m_windows);
    m_mount.connectMenu()->setJMI(&control);
    m_mount.connectMenu()->setJMIWindow(&window);
}

void FocusLink::joinMoonLite(FocuserFrame& frame, FocuserWindow& window)
{
    m_menu->setMoonLite(&frame);
    m_outlets.moonWindow = &window;
    joinHandPanels(frame);
}

void FocusLink::joinFCUSB(FocuserConnection& focuser)
{
    m_menu->setFCUSB(&focuser);
}
