#include "app/FCUSBLink.h"

#include "app/FCUSBHidPort.h"
#include "app/FocusLink.h"
#include "app/WindowFrames.h"
#include "camera/guide/LoadedHidDevice.h"
#include "chart/ChartOutlets.h"
#include "focus/views/FCUSB.h"
#include "model/settings/PrefLinks.h"

FCUSBLink::Devices FCUSBLink::Devices::usb()
{
    const QString feature = QStringLiteral("the FCUSB focuser");
    return {std::make_unique<LoadedHidDevice>(feature), std::make_unique<LoadedHidDevice>(feature)};
}

FCUSBLink::FCUSBLink(PrefControl& prefs, Devices devices, QWidget* window)
    : m_control(prefs, std::make_unique<FCUSBHidPort>(std::move(devices.fcusb)),
                std::make_unique<FCUSBHidPort>(std::move(devices.fcusb2))),
      m_window(std::make_unique<FCUSB>(m_control, window))
{
    keepWindowFrame(prefs, *m_window, QStringLiteral("FCUSB"), window, Qt::BottomLeftCorner);
}

FCUSBLink::~FCUSBLink()
{
    m_control.setDisplay(nullptr);
}

void FCUSBLink::fillLinks(PrefLinks& links)
{
    links.fcusb = &m_control;
}

void FCUSBLink::fillOutlets(ChartOutlets& outlets)
{
    outlets.fcusbWindow = m_window.get();
}

void FCUSBLink::joinFocus(FocusLink& focus)
{
    focus.joinFCUSB(m_control, *m_window);
}
