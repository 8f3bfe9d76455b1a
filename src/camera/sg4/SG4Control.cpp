#include "camera/sg4/SG4Control.h"

#include "camera/sg4/SG4GuiderPanel.h"
#include "camera/sg4/SG4Worker.h"
#include "mount/SerialControl.h"
#include "platform/AlertPanel.h"

SG4Control::SG4Control(SerialControl& serial, DebugWriter debug, SG4Timing timing, QObject* parent)
    : QObject(parent), m_serial(serial), m_debug(std::move(debug)), m_line(serial, m_debug), m_timing(timing)
{
    m_sg4ExpTimer.setSingleShot(true);
    m_focusTimer.setSingleShot(true);
    connect(&m_sg4ExpTimer, &QTimer::timeout, this, &SG4Control::sg4ExpTimer);
    connect(&m_focusTimer, &QTimer::timeout, this, &SG4Control::sg4ExpFocusTimer);
    connect(&m_calibrateTimer, &QTimer::timeout, this, &SG4Control::sg4CalibrateTimer);
}

SG4Control::~SG4Control()
{
    // A transfer still running stops at its next block.
    m_isSG4TransferAbort = true;
}

bool SG4Control::sg4Disconnect()
{
    return endConnection(false);
}

void SG4Control::panelClosed(bool scheduleRuns)
{
    const char* work = nullptr;
    if (m_isSG4Transfer)
        work = "A download is under way.";
    else if (m_isSG4Exposing)
        work = "An exposure is under way.";
    else if (scheduleRuns)
        work = "The schedule is running.";
    if (work == nullptr) {
        sg4Disconnect();
        return;
    }
    const bool stop = AlertPanel::runChoice(
        work,
        "Stop it and disconnect the camera, or keep it running with the panel closed? "
        "The camera's item in the Connect menu shows the panel again.",
        "Stop", "Keep Running");
    // The answer came later: what runs now is what the stop ends.
    if (stop && (m_isSG4Connect || m_isAllSkyConnect))
        endConnection(true);
}

bool SG4Control::endConnection(bool stopFirst)
{
    if (stopFirst && m_isSG4Exposing)
        sg4AbortImageCmd();
    // The transfer answers 'S' at its next block; the close waits behind it.
    const bool stopTransfer = stopFirst && m_isSG4Transfer;
    if (stopTransfer)
        m_isSG4TransferAbort = true;
    emit disconnecting();
    // The next connection starts idle: outcomes still to come, the abort's
    // among them, are dropped and cannot show it.
    showIdle(devicePanel());
    // A scan under way is dropped and what it found closed; outcomes still
    // to come are not delivered.
    ++m_scan;
    ++m_session;
    m_isConnecting = false;
    m_isSG4Connect = false;
    m_isAllSkyConnect = false;
    m_isSG4Exposing = false;
    m_isSG4Focus = false;
    m_sg4ExpTimer.stop();
    m_focusTimer.stop();
    m_calibrateTimer.stop();
    m_isSG4Calibrating = false;
    m_isSG4Guiding = false;
    m_sg4Port = 0;
    if (m_allSkyPanel && m_allSkyPanel->isPanelVisible())
        m_allSkyPanel->hidePanel();
    if (m_sg4Panel && m_sg4Panel->isPanelVisible())
        m_sg4Panel->hidePanel();
    const bool transferring = m_isSG4Transfer;
    // A download the worker dropped must not hold the next connection.
    m_isSG4Transfer = false;
    const bool queued = m_pending > 0;
    m_pending = 0;
    if (m_worker != nullptr && (stopTransfer || (queued && !transferring))) {
        // Commands posted before (the abort, the heater's relay off as the
        // AllSky side stops) still go out: the slot closes behind them.
        m_isClosing = true;
        postWithReply([this](std::function<void()> job) { m_worker->postWork(std::move(job)); }, this,
                      [line = m_line] {
                          line.close();
                          return true;
                      },
                      [this](bool) { m_isClosing = false; });
        return true;
    }
    // A download still running gives up at its next read, and its reader
    // closes the port as it lets go of the slot.
    m_serial.closeSerialDriver(kSerialSlotSG4);
    return true;
}

SG4DevicePanel* SG4Control::devicePanel() const
{
    if (m_isSG4Connect)
        return m_sg4Panel;
    return m_allSkyPanel;
}

float SG4Control::exposureFromPanel() const
{
    const SG4DevicePanel* panel = devicePanel();
    if (panel == nullptr)
        return m_sg4ExpSec;
    const SG4DevicePanel::ExposureFields fields = panel->exposureFields();
    return float(fields.minutes * 60 + fields.seconds + fields.milliseconds / 1000.0);
}

void SG4Control::beepUnless(bool ok)
{
    if (!ok)
        AlertPanel::beep();
}
