#include "camera/guide/GPUSBControl.h"

#include "platform/AlertPanel.h"

#include <cmath>

namespace {

quint8 directionBits(float eastWest, float northSouth)
{
    quint8 bits = 0;
    if (eastWest < 0)
        bits |= GPUSBControl::kWest;
    else if (eastWest > 0)
        bits |= GPUSBControl::kEast;
    if (northSouth < 0)
        bits |= GPUSBControl::kSouth;
    else if (northSouth > 0)
        bits |= GPUSBControl::kNorth;
    return bits;
}

quint8 reportOf(quint8 bits)
{
    return bits == 0 ? GPUSBControl::kIdle : quint8(GPUSBControl::kBase | bits);
}

}  // namespace

GPUSBControl::GPUSBControl(std::unique_ptr<HidDevice> device, GuideClock& clock, DebugWriter debug)
    : m_device(std::move(device), QByteArray(1, char(kIdle))),
      m_debug(std::move(debug)),
      m_raTimer(clock.createTimer()),
      m_decTimer(clock.createTimer())
{
}

bool GPUSBControl::findHIDDevice()
{
    if (m_isGPUSBConnected)
        return true;
    const HidOpen opened = m_device.open(kVendorId, kProductId);
    m_connectFailure = hidOpenFailure(opened);
    if (opened != HidOpen::Opened)
        return false;
    m_isGPUSBConnected = true;
    if (m_webcamGuide)
        m_webcamGuide->enableGuide(true);
    return true;
}

void GPUSBControl::closeHIDDevice()
{
    m_data = kBase;
    if (!m_device.sendReport(QByteArray(1, char(m_data)), kWriteTimeout) || !m_device.close()) {
        AlertPanel::runAlert("GPUSB disconnect failed.", " ");
        return;
    }
    m_raTimer->stop();
    m_decTimer->stop();
    m_isGPUSBConnected = false;
    if (m_webcamGuide)
        m_webcamGuide->enableGuide(false);
}

bool GPUSBControl::guideGPUSB(float eastWest, float northSouth)
{
    if (!m_isGPUSBConnected)
        return false;
    if (eastWest != 0)
        m_raTimer->start(guideMilliseconds(std::fabs(eastWest)), false, [this] { runRATimer(); });
    else
        cancelRA();
    if (northSouth != 0)
        m_decTimer->start(guideMilliseconds(std::fabs(northSouth)), false, [this] { runDecTimer(); });
    else
        cancelDec();
    m_data = reportOf(directionBits(eastWest, northSouth));
    return send();
}

bool GPUSBControl::lockGPUSB(float eastWest, float northSouth)
{
    if (!m_isGPUSBConnected)
        return false;
    cancelRA();
    cancelDec();
    m_data = reportOf(directionBits(eastWest, northSouth));
    return send();
}

void GPUSBControl::runRATimer()
{
    clearBits(kEastWest);
    if (m_webcamGuide)
        m_webcamGuide->resetRADriveFlags();
    send();
}

void GPUSBControl::runDecTimer()
{
    clearBits(kNorthSouth);
    if (m_webcamGuide)
        m_webcamGuide->resetDecDriveFlags();
    send();
}

void GPUSBControl::cancelRA()
{
    if (!m_raTimer->isActive())
        return;
    m_raTimer->stop();
    if (m_webcamGuide)
        m_webcamGuide->resetRADriveFlags();
}

void GPUSBControl::cancelDec()
{
    if (!m_decTimer->isActive())
        return;
    m_decTimer->stop();
    if (m_webcamGuide)
        m_webcamGuide->resetDecDriveFlags();
}

void GPUSBControl::clearBits(quint8 bits)
{
    m_data = reportOf(m_data & (kEastWest | kNorthSouth) & quint8(~bits));
}

bool GPUSBControl::send()
{
    const bool sent = m_device.sendReport(QByteArray(1, char(m_data)), kWriteTimeout);
    if (!sent)
        m_debug(QString::asprintf("GPUSB report 0x%02X refused", m_data));
    return sent;
}
