#include "camera/sg4/SG4Control.h"

#include "camera/sg4/SG4GuiderPanel.h"
#include "camera/sg4/SG4Worker.h"
#include "mount/SerialControl.h"

#include <cmath>

using namespace SG4Protocol;

bool SG4Control::initSG4Port()
{
    if ((m_isSG4Connect || m_isAllSkyConnect) && m_sg4Port != 0)
        return sg4Disconnect();
    if (m_serial.serialRefNum(kSerialSlotSG4) != -1)
        return false;
    m_isSG4Connect = false;
    m_isAllSkyConnect = false;
    if (m_serial.maxPorts() == 0)
        m_serial.getPortNames();
    const quint16 ports = m_serial.maxPorts();
    if (ports == 0)
        return false;
    if (m_worker)
        m_worker->launchThread();

    const quint16 chosen = m_worker ? m_worker->selectPort() : 0;
    if (chosen > 0 && chosen <= ports && tryPort(quint16(chosen - 1), m_sg4Baud)) {
        if (!m_isAllSkySelect)
            m_debug(QString("SG-4 connect at default port/baud: %1/%2").arg(chosen).arg(m_sg4Baud));
        connected(quint16(chosen - 1), false);
        return true;
    }
    for (quint16 index = 0; index < ports; ++index) {
        if (tryPort(index, m_sg4Baud)) {
            connected(index, false);
            return true;
        }
    }
    for (quint16 index = 0; index < ports; ++index) {
        for (const long baud : kSpeeds) {
            if (tryPort(index, baud)) {
                m_sg4Baud = baud;
                if (m_storeBaud)
                    m_storeBaud(baud);
                connected(index, true);
                return true;
            }
        }
    }
    return false;
}

bool SG4Control::tryPort(quint16 index, long baud)
{
    if (!m_serial.serialPortAvailable(index) || !m_serial.openSerialDriver(index, baud, false, kSerialSlotSG4))
        return false;
    if (sg4TestComCmd())
        return true;
    m_serial.closeSerialDriver(kSerialSlotSG4);
    return false;
}

void SG4Control::connected(quint16 index, bool scanned)
{
    m_sg4Port = quint16(index + 1);
    const bool versionRead = sg4GetVersionCmd();
    if (m_isAllSkySelect) {
        m_isAllSkyConnect = true;
        m_debug(QString("AllSky connect at default port/baud: %1/%2").arg(m_sg4Port).arg(m_sg4Baud));
        if (m_allSkyPanel) {
            m_allSkyPanel->selectSpeed(m_sg4Baud);
            m_allSkyPanel->setDeviceTitle("AllSky  " + (versionRead ? m_versionStr : QString()));
            m_allSkyPanel->bringToFront();
        }
        m_debug(QString("AllSky version: %1").arg(m_versionStr));
        return;
    }
    m_isSG4Connect = true;
    if (scanned)
        m_debug(QString("SG-4 connect at default baud: %1, port: %2").arg(m_sg4Baud).arg(m_sg4Port));
    SG4GuiderPanel::GuiderValues values;
    const auto percent = [](quint16 value) { return int(value / 255.0 * 100.0); };
    if (sg4GetMaxMoveCmd())
        values.maxMove = m_maxMove;
    if (sg4GetMinMoveCmd())
        values.minMove = m_minMove;
    if (sg4GetXAggressiveCmd())
        values.xGainPercent = percent(m_sg4XAgressive);
    if (sg4GetYAggressiveCmd())
        values.yGainPercent = percent(m_sg4YAgressive);
    m_debug(QString("SG-4 max: %1, min: %2, XA: %3, YA: %4")
                .arg(m_maxMove).arg(m_minMove).arg(percent(m_sg4XAgressive)).arg(percent(m_sg4YAgressive)));
    if (m_sg4Panel) {
        m_sg4Panel->showGuiderValues(values);
        m_sg4Panel->selectSpeed(m_sg4Baud);
        m_sg4Panel->setDeviceTitle("SG-4  " + (versionRead ? m_versionStr : QString()));
        m_sg4Panel->bringToFront();
    }
    m_debug(QString("SG-4 version: %1").arg(m_versionStr));
}
