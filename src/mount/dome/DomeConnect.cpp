#include "mount/dome/DomeControl.h"

#include "mount/SerialControl.h"
#include "mount/dome/DomeMount.h"
#include "mount/dome/DomeView.h"
#include "mount/WorkerReply.h"

namespace {

constexpr int kHome = 1;  // input 2

}  // namespace

bool DomeControl::domeConnect()
{
    m_debug("domeConnect");
    if (m_isDomeConnect && m_domePort != 0) {
        domeDisconnect();
        return false;
    }
    if (m_isConnecting || m_serial.serialRefNum(kSerialSlotDome) >= 0)
        return false;
    m_isDomeConnect = false;
    if (m_serial.maxPorts() == 0)
        m_serial.getPortNames();
    const DomeConnectAsk ask{m_mount.selectPort(), m_serial.maxPorts(), m_baudRate, m_isBoardSetup,
                             m_domeMaxTicks != 0};
    if (ask.ports == 0) {
        m_debug("domeConnect: no serial ports.");
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
        m_mount.releaseThread();
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
    const DomeSetupResult result = m_line.setup(code, !m_isBoardSetup);
    applySetup(code, result);
    return result.ok;
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
