#include "camera/guide/DSUSBControl.h"

#include "platform/AlertPanel.h"

bool DSUSBControl::findDSHIDDevice()
{
    m_isDSUSBConnected = false;
    m_device.close();
    const HidOpen opened = m_device.open(kVendorId, kProductId);
    m_connectFailure = hidOpenFailure(opened);
    if (opened != HidOpen::Opened)
        return false;
    if (!send(kShutterReleased)) {
        m_connectFailure = QStringLiteral("The adapter did not take its first report.");
        m_device.close();
        return false;
    }
    m_isDSUSBConnected = true;
    return true;
}

void DSUSBControl::closeDSHIDDevice()
{
    send(kDisconnect);
    if (!m_device.close()) {
        AlertPanel::runAlert("DSUSB disconnect failed.", " ");
        return;
    }
    m_isDSUSBConnected = false;
}

bool DSUSBControl::openDSShutter()
{
    return m_isDSUSBConnected && send(kShutterOpen);
}

bool DSUSBControl::closeDSShutter()
{
    return m_isDSUSBConnected && send(kShutterReleased);
}

bool DSUSBControl::send(quint8 data)
{
    m_dsData = data;
    return m_device.sendReport(QByteArray(1, char(data)), kWriteTimeout);
}
