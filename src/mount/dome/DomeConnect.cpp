#include "mount/dome/DomeControl.h"

#include "mount/SerialControl.h"
#include "mount/dome/DomeMount.h"
#include "mount/dome/DomeView.h"
#include "mount/WorkerReply.h"
#include "platform/AlertPanel.h"

namespace {

constexpr int kHome = 1;  // input 2
constexpr std::chrono::milliseconds kSettle{2};
constexpr std::chrono::milliseconds kRetryGap{20};
const QString kBoardLost = QStringLiteral("Lost connection with the dome board.");
const QString kBoardLostMessage = QStringLiteral("disconnected");

}  // namespace

bool DomeControl::domeConnect()
{
    m_debug("domeConnect");
    m_connectFailure = QStringLiteral(" ");
    if (m_isDomeConnect && m_domePort != 0) {
        domeDisconnect();
        return false;
    }
    if (m_isConnecting || m_isClosing || m_serial.serialRefNum(kSerialSlotDome) >= 0)
        return false;
    m_isDomeConnect = false;
    m_serial.relistPorts(m_mount.selectPort());
    const DomeConnectAsk ask{m_mount.selectPort(), m_serial.maxPorts(), m_baudRate, m_isBoardSetup,
                             m_domeMaxTicks != 0};
    if (ask.ports == 0) {
        m_debug("domeConnect: no serial ports.");
        m_connectFailure = kNoSerialPort;
        return false;
    }
    m_domePort = 0;
    m_isConnecting = true;
    const quint32 scan = ++*m_scan;
    postWithReply([this](std::function<void()> job) { m_mount.postWork(std::move(job)); }, this,
                  [line = m_line, ask, counter = m_scan, scan] {
                      return line.connect(ask, [&counter, scan] { return *counter == scan; });
                  },
                  [this, scan](const DomeConnection& found) { connectEnded(found, scan); });
    return true;
}

void DomeControl::connectEnded(const DomeConnection& found, quint32 scan)
{
    if (!m_isConnecting || scan != *m_scan) {
        // Disconnected while the ports were tried: the found one is closed
        // unless a later connect holds the slot.
        if (found.port != 0 && !m_isConnecting && !m_isDomeConnect)
            m_serial.closeSerialDriver(kSerialSlotDome);
        return;
    }
    m_isConnecting = false;
    if (found.port == 0) {
        m_connectFailure = found.ports.failure(QStringLiteral("the dome"), m_connectFailure);
        if (m_view)
            m_view->domeConnectEnded(false);
        return;
    }
    if (found.speedScanned) {
        m_baudRate = found.code;
        if (m_saveBoard)
            m_saveBoard();
        if (m_view)
            m_view->setDomeSetupText();
    }
    m_domePort = found.port;
    m_isDomeConnect = true;
    if (found.setup) {
        applySetup(found.code, *found.setup);
        if (found.setup->ok) {
            // The board's own alert tells the user; the view hears no failure.
            domeDisconnect();
            m_isFirstConnect = true;
            alert("Board has initialized, reset and disconnected.", "Connect again.");
            return;
        }
        alert("Board initialization failed.", "Disconnect and try again.");
    }
    connected(found.inputs);
}

void DomeControl::connected(std::optional<int> inputs)
{
    m_mount.launchThread();
    if (m_domeMaxTicks != 0) {
        applyTickAngles();
        if (inputs) {
            applyInputs(*inputs);
            if (m_domeIStat[kHome])
                atHome();
        }
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
        m_view->domeConnectEnded(true);
    }
}

bool DomeControl::domeDisconnect()
{
    m_isConnecting = false;
    ++*m_scan;
    const bool wasConnected = m_isDomeConnect.exchange(false);
    // The dome's and the shutter's motors stop before the line closes: any
    // job that may have a relay on ends, and no job is watched once the line
    // is gone. A shutter start not yet answered may have started its motor.
    const bool jobsRan = endRelayJobs();
    const bool relays = (jobsRan || m_domeR1Stat || m_domeR2Stat) && wasConnected;
    const bool outputs = (m_isDomeShutterMove || m_isShutterStarting) && wasConnected;
    forgetExchanges();
    if (m_view)
        m_view->domeUpdateButtons();
    m_domePort = 0;
    if (relays || outputs)
        closeAfterStops(relays, outputs);
    else
        m_serial.closeSerialDriver(kSerialSlotDome);
    m_debug("domeDisconnect");
    return true;
}

void DomeControl::forgetExchanges()
{
    m_isShutterStarting = false;
    m_isShutterReading = false;
    m_isTickReading = false;
    m_isResetting = false;
    if (m_isHomeChecking) {
        m_isHomeChecking = false;
        m_isFindHome = false;
    }
    if (m_isDomeShutterMove)
        shutterStopped();
}

void DomeControl::closeAfterStops(bool relays, bool outputs)
{
    m_isClosing = true;
    postWithReply([this](std::function<void()> job) { postToWorker(std::move(job)); }, this,
                  [this, relays, outputs] {
                      const Lock lock = lockBoard();
                      pause(kSettle);
                      if (relays) {
                          m_line.board().relaysOff();
                          m_domeR1Stat = false;
                          m_domeR2Stat = false;
                      }
                      if (outputs) {
                          m_line.board().outputsOff();
                          m_domeO7Stat = false;
                          m_domeO8Stat = false;
                      }
                      m_line.close();
                      return relays;
                  },
                  [this](bool relays) {
                      m_isClosing = false;
                      if (relays)
                          m_debug("domeDisconnect: relays off");
                  });
}

void DomeControl::command(std::function<void()> work)
{
    postToWorker([this, session = quint32(*m_scan), work = std::move(work)] {
        if (*m_scan == session)
            work();
    });
}

void DomeControl::applySetup(quint16 code, const DomeSetupResult& result)
{
    if (result.speedSet)
        m_baudRate = code;
    if (result.configured)
        m_isBoardSetup = true;
    if ((result.speedSet || result.configured) && m_saveBoard)
        m_saveBoard();
}

void DomeControl::applyBaudRate(quint16 code)
{
    if (code == 0) {
        alert("Select a new baud rate first.", " ");
        return;
    }
    if (m_isResetting)
        return;
    if (!m_isDomeConnect) {
        alert("The control board failed reset.", " ");
        return;
    }
    m_isResetting = true;
    exchange(
        [this, code, configure = !m_isBoardSetup] {
            const Lock lock = lockBoard();
            return m_line.setup(code, configure);
        },
        [this, code](const DomeSetupResult& result) {
            m_isResetting = false;
            applySetup(code, result);
            if (!result.ok) {
                alert("The control board failed reset.", " ");
                return;
            }
            domeDisconnect();
            alert("Board has a new baud rate and has disconnected.", "Connect again.");
            if (m_view)
                m_view->domeBoardReset();
        });
}

bool DomeControl::lostBoard(bool read, DomeBoardWatch& watch)
{
    return isReady() && watch.lost(read, now());
}

bool DomeControl::answersAgain(DomeBoardWatch& watch)
{
    while (!lostBoard(false, watch)) {
        // Disconnected meanwhile: there is nothing left to tell.
        if (!isReady())
            return true;
        pause(kRetryGap);
        if (domeReadInput())
            return true;
    }
    return false;
}

void DomeControl::stopMotors()
{
    m_debug("domeBoardLost");
    const Lock lock = lockBoard();
    domeSetRelay('0', false);
    domeSetOutput(0, false);
}

void DomeControl::announceLost()
{
    onMain([this, session = quint32(*m_scan)] {
        if (*m_scan == session)
            loseConnection();
    });
}

void DomeControl::loseConnection()
{
    if (!m_isDomeConnect)
        return;
    domeDisconnect();
    if (m_view)
        m_view->domeLost();
    AlertPanel::runAlert(kBoardLost, kBoardLostMessage);
}
