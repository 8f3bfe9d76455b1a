#include "mount/dome/DomeControl.h"

#include "mount/SerialControl.h"
#include "mount/dome/DomeMount.h"
#include "mount/dome/DomeView.h"

namespace {

constexpr std::chrono::milliseconds kSettle{2};
// The speed scan tries the fastest first.
constexpr quint16 kFastestCode = 6;

}  // namespace

bool DomeControl::tryPort(quint16 index, long baud)
{
    if (!m_serial.serialPortAvailable(index)
        || !m_serial.openSerialDriver(index, baud, false, kSerialSlotDome))
        return false;
    m_isDomeConnect = true;  // the test's exchange needs no set-up
    if (domeTest())
        return true;
    m_isDomeConnect = false;
    m_serial.closeSerialDriver(kSerialSlotDome);
    return false;
}

bool DomeControl::connectAt(quint16 chosen)
{
    const quint16 ports = m_serial.maxPorts();
    const long baud = DomeBoard::baudOf(m_baudRate);
    m_debug([&] { return QString::asprintf("domeConnect: baud= %d, speed= %ld", int(m_baudRate), baud); });
    m_isDomeConnect = false;
    if (chosen != 0 && chosen <= ports && tryPort(chosen - 1, baud)) {
        m_domePort = chosen;
    } else {
        for (quint16 index = 0; index < ports; ++index) {
            if (tryPort(index, baud)) {
                m_domePort = index + 1;
                break;
            }
        }
    }
    m_isDomeConnect = m_domePort != 0;
    return m_isDomeConnect;
}

bool DomeControl::scanSpeeds(quint16 ports)
{
    for (quint16 index = 0; index < ports; ++index) {
        for (quint16 code = kFastestCode; code >= 1; --code) {
            const long baud = DomeBoard::baudOf(code);
            m_debug([&] { return QString::asprintf("domeConnect: retry@baud= %ld", baud); });
            if (!m_serial.serialPortAvailable(index)
                || !m_serial.openSerialDriver(index, baud, false, kSerialSlotDome))
                continue;
            pause(kSettle);
            const bool answered = domeTest();
            m_serial.closeSerialDriver(kSerialSlotDome);
            if (answered) {
                m_baudRate = code;
                if (m_saveBoard)
                    m_saveBoard();
                if (m_view)
                    m_view->setDomeSetupText();
                return connectAt(index + 1);
            }
        }
    }
    return false;
}

bool DomeControl::domeConnect()
{
    m_debug("domeConnect");
    if (m_isDomeConnect && m_domePort != 0) {
        domeDisconnect();
        return false;
    }
    if (m_serial.serialRefNum(kSerialSlotDome) >= 0)
        return false;
    m_isDomeConnect = false;
    if (m_serial.maxPorts() == 0)
        m_serial.getPortNames();
    const quint16 ports = m_serial.maxPorts();
    if (ports == 0) {
        m_debug("domeConnect: no serial ports.");
        return false;
    }
    m_domePort = 0;
    if (!connectAt(m_mount.selectPort()) && !scanSpeeds(ports))
        return false;

    if (!m_isBoardSetup) {
        pause(kSettle);
        if (domeSetup(m_baudRate)) {
            domeDisconnect();
            m_isFirstConnect = true;
            alert("Board has initialized, reset and disconnected.", "Connect again.");
            return false;
        }
        alert("Board initialization failed.", "Disconnect and try again.");
    }
    connected();
    return true;
}

void DomeControl::connected()
{
    m_mount.launchThread();
    if (m_domeMaxTicks != 0) {
        applyTickAngles();
        pause(kSettle);
        domeIsHome();
        m_debug([&] {
            return QString::asprintf("domeConnect: max= %u, over= %.2f, tol= %.2f",
                                     quint32(m_domeMaxTicks), double(m_domeOverDeg),
                                     double(m_domeTolerance));
        });
    }
    domeGetScopeAz();
    if (m_view) {
        m_view->domeUpdateButtons();
        m_view->domeUpdateStatus();
    }
}

bool DomeControl::domeDisconnect()
{
    domeTrack(false);
    m_isDomeConnect = false;
    if (m_view)
        m_view->domeUpdateButtons();
    m_domePort = 0;
    m_serial.closeSerialDriver(kSerialSlotDome);
    m_debug("domeDisconnect");
    m_mount.releaseThread();
    return true;
}

bool DomeControl::domeSetup(quint16 code)
{
    if (!m_isDomeConnect)
        return false;
    const Lock lock = lockBoard();
    m_debug("domeSetup");
    pauseTicks(1);
    if (!m_board.enterSetup())
        return false;
    m_debug("domeSetup: in setup mode");
    bool result = true;
    if (code != 0) {
        m_serial.clearSerialBuffer(kSerialSlotDome);
        if (!m_board.setSpeed(code)) {
            pauseTicks(1);
            result = false;
        } else {
            m_baudRate = code;
            if (m_saveBoard)
                m_saveBoard();
            m_debug([&] { return QString::asprintf("domeSetup: baud= %d", int(code)); });
            pauseTicks(1);
        }
    }
    if (result && !m_isBoardSetup) {
        m_serial.clearSerialBuffer(kSerialSlotDome);
        if (!m_board.configureIO()) {
            result = false;
        } else {
            m_debug("domeSetup: config I/O");
            pauseTicks(1);
            m_serial.clearSerialBuffer(kSerialSlotDome);
            result = m_board.configure50ms();
            if (result) {
                // Configured only once both steps took.
                m_isBoardSetup = true;
                if (m_saveBoard)
                    m_saveBoard();
                m_debug("domeSetup: config 50ms");
            }
        }
        pauseTicks(1);
    }
    m_board.leaveSetup();
    m_debug("domeSetup: leave setup mode");
    return result;
}

bool DomeControl::applyBaudRate(quint16 code)
{
    if (code == 0) {
        alert("Select a new baud rate first.", " ");
        return false;
    }
    if (!domeSetup(code)) {
        alert("The control board failed reset.", " ");
        return false;
    }
    domeDisconnect();
    alert("Board has a new baud rate and has disconnected.", "Connect again.");
    return true;
}
