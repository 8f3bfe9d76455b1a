#include "camera/guide/DSUSBControl.h"

#include "platform/AlertPanel.h"

bool DSUSBControl::findDSHIDDevice()
{
    m_isDSUSBConnected = false;
    m_device.close();
    if (!m_device.open(kVendorId, kProductId))
        return false;
    if (!send(kShutterReleased)) {
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
