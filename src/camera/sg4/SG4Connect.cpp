#include "camera/sg4/SG4Control.h"

#include "camera/sg4/SG4GuiderPanel.h"
#include "camera/sg4/SG4Worker.h"
#include "mount/SerialControl.h"
#include "mount/links/ConnectMenuLinks.h"
#include "platform/AlertPanel.h"

using namespace SG4Protocol;

bool SG4Control::initSG4Port()
{
    if ((m_isSG4Connect || m_isAllSkyConnect) && m_sg4Port != 0)
        return sg4Disconnect();
    // A close still queued runs ahead of the scan: the slot is free by then.
    if (m_isConnecting || m_worker == nullptr || (!m_isClosing && m_serial.serialRefNum(kSerialSlotSG4) != -1))
        return false;
    m_isSG4Connect = false;
    m_isAllSkyConnect = false;
    const quint16 chosen = m_worker->selectPort();
    m_serial.relistPorts(chosen);
    const quint16 ports = m_serial.maxPorts();
    if (ports == 0)
        return false;
    m_isConnecting = true;
    // The Connect menu's choice steers this scan only; it may change before the scan ends.
    m_isScanForAllSky = m_isAllSkySelect;
    const quint32 scan = ++m_scan;
    ++m_pending;
    // Every port at every speed may take seconds: the scan runs on the worker.
    postWithReply([this](std::function<void()> job) { m_worker->postWork(std::move(job)); }, this,
                  [line = m_line, chosen, ports, baud = m_sg4Baud,
                   guider = !m_isAllSkySelect] { return line.findDevice(chosen, ports, baud, guider); },
                  [this, scan, session = m_session](const SG4Found& found) {
                      if (session == m_session)
                          --m_pending;
                      connectEnded(found, scan);
                  });
    return true;
}

void SG4Control::connectEnded(const SG4Found& found, quint32 scan)
{
    if (!m_isConnecting || scan != m_scan) {
        // Disconnected while the ports were tried: the found one is closed
        // unless a later scan holds the slot.
        if (found.port != 0 && !m_isConnecting && !m_isSG4Connect && !m_isAllSkyConnect)
            m_serial.closeSerialDriver(kSerialSlotSG4);
        return;
    }
    m_isConnecting = false;
    if (found.port == 0) {
        // Every port was tried at the stored speed and then at every speed.
        AlertPanel::runAlert(m_isScanForAllSky ? kAllSkyConnectFailed : kSG4ConnectFailed,
                             found.ports.failure(QStringLiteral("the camera"),
                                                 QStringLiteral("No port could be opened, or the camera did not "
                                                                "answer on any port at any speed.")));
        m_isAllSkySelect = false;
        return;
    }
    m_sg4Port = found.port;
    if (found.scanned) {
        m_sg4Baud = found.baud;
        if (m_storeBaud)
            m_storeBaud(found.baud);
    }
    if (found.version)
        m_versionStr = *found.version;
    const QString version = found.version.value_or(QString());
    if (m_isScanForAllSky) {
        m_isAllSkyConnect = true;
        m_debug(QString("AllSky connect at default port/baud: %1/%2").arg(m_sg4Port).arg(m_sg4Baud));
        if (m_allSkyPanel) {
            m_allSkyPanel->selectSpeed(m_sg4Baud);
            m_allSkyPanel->setDeviceTitle("AllSky  " + version);
            m_allSkyPanel->bringToFront();
        }
        m_debug(QString("AllSky version: %1").arg(m_versionStr));
        return;
    }
    m_isSG4Connect = true;
    if (found.scanned)
        m_debug(QString("SG-4 connect at default baud: %1, port: %2").arg(m_sg4Baud).arg(m_sg4Port));
    else
        m_debug(QString("SG-4 connect at default port/baud: %1/%2").arg(m_sg4Port).arg(m_sg4Baud));
    showGuider(found.guider);
    if (m_sg4Panel) {
        m_sg4Panel->selectSpeed(m_sg4Baud);
        m_sg4Panel->setDeviceTitle("SG-4  " + version);
        m_sg4Panel->bringToFront();
    }
    m_debug(QString("SG-4 version: %1").arg(m_versionStr));
}

void SG4Control::showGuider(const SG4GuiderRead& read)
{
    SG4GuiderPanel::GuiderValues values;
    const auto percent = [](quint16 value) { return int(value / 255.0 * 100.0); };
    if (read.maxMove)
        values.maxMove = m_maxMove = *read.maxMove;
    if (read.minMove)
        values.minMove = m_minMove = *read.minMove;
    if (read.xGain) {
        m_sg4XAgressive = *read.xGain;
        values.xGainPercent = percent(m_sg4XAgressive);
    }
    if (read.yGain) {
        m_sg4YAgressive = *read.yGain;
        values.yGainPercent = percent(m_sg4YAgressive);
    }
    m_debug(QString("SG-4 max: %1, min: %2, XA: %3, YA: %4")
                .arg(m_maxMove).arg(m_minMove).arg(percent(m_sg4XAgressive)).arg(percent(m_sg4YAgressive)));
    if (m_sg4Panel)
        m_sg4Panel->showGuiderValues(values);
}
