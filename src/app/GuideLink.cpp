#include "app/GuideLink.h"

#include "app/MountLink.h"
#include "camera/guide/LoadedHidDevice.h"
#include "camera/views/guide/GuidePanel.h"
#include "model/settings/PrefControl.h"
#include "mount/panels/ConnectMenu.h"
#include "platform/DebugLog.h"

GuideLink::Devices GuideLink::Devices::usb()
{
    const QString feature = QStringLiteral("the GPUSB/DSUSB guide adapters");
    return {std::make_unique<LoadedHidDevice>(feature), std::make_unique<LoadedHidDevice>(feature)};
}

GuideLink::GuideLink(PrefControl& prefs, DebugLog& log, MountLink& mount, Devices devices, QWidget* window)
    : m_mountLink(mount),
      m_mount(mount.scopeControl()),
      m_guide(m_clock, DebugWriter([&prefs] { return prefs.isDebug(); }, &log)),
      m_gpusb(std::move(devices.gpusb), m_clock, DebugWriter([&prefs] { return prefs.isDebug(); }, &log)),
      m_dsusb(std::move(devices.dsusb)),
      m_window(window)
{
    m_guide.setMount(&m_mount);
    m_guide.setAdapter(&m_gpusb);
    m_gpusb.setWebcamGuide(&m_guide);
    mount.scopeControl().setWebcamGuide(&m_guide);
    ConnectMenu& menu = *mount.connectMenu();
    menu.setGPUSB(&m_gpusb);
    menu.setDSUSB(&m_dsusb);
    menu.setWebcamGuide(&m_guide);
}

GuidePanel& GuideLink::guidePanel()
{
    if (!m_panel) {
        m_panel = std::make_unique<GuidePanel>(m_guide, m_window);
        m_panel->hide();
    }
    return *m_panel;
}

GuideLink::~GuideLink()
{
    m_mountLink.scopeControl().setWebcamGuide(nullptr);
    ConnectMenu& menu = *m_mountLink.connectMenu();
    menu.setGPUSB(nullptr);
    menu.setDSUSB(nullptr);
    menu.setWebcamGuide(nullptr);
}
