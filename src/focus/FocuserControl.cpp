#include "focus/FocuserControl.h"

#include "focus/FocuserWorker.h"
#include "mount/SerialControl.h"
#include "mount/SerialSlots.h"
#include "mount/WorkerReply.h"
#include "platform/AlertPanel.h"

#include <QTimer>

#include <algorithm>
#include <utility>

FocuserControl::FocuserControl(SerialControl& serial, FocuserWorker& worker, Model model,
                               QObject* parent)
    : QObject(parent),
      m_serial(serial),
      m_worker(worker),
      m_model(std::move(model)),
      m_line(serial, m_model.baud, worker.debugWriter(), worker.timing())
{
}

FocuserControl::~FocuserControl()
{
    if (m_isConnect || m_isConnecting)
        m_serial.closeSerialDriver(kSerialSlotFocuser);
}

bool FocuserControl::initPort(std::function<void(bool)> ended)
{
    if (m_isConnect)
        return true;
    if (m_isConnecting) {
        m_connectFailure = QStringLiteral("A search for the focuser is still under way.");
        return false;
    }
    if (m_serial.serialRefNum(kSerialSlotFocuser) != -1) {
        writeDebug(m_model.debugName + ": serial ref in use.");
        m_connectFailure = QStringLiteral("Another focuser holds the focusers' serial port; disconnect it first.");
        return false;
    }
    const quint16 chosen = m_worker.selectPort();
    m_serial.relistPorts(chosen);
    const quint16 ports = m_serial.maxPorts();
    if (ports == 0) {
        writeDebug(m_model.debugName + ": maxPorts is zero.");
        m_connectFailure = kNoSerialPort;
        return false;
    }
    m_connectFailure.clear();
    m_isConnecting = true;
    const quint32 scan = ++m_scan;
    postWork([this, chosen, ports, probe = m_model.probe, scan,
              ended = std::move(ended)](const FocuserExchange& line) -> std::function<void()> {
        const FocuserExchange::Search found = line.findFocuser(chosen, ports, probe);
        return [this, found, scan, ended] { searchEnded(found, scan, ended); };
    });
    return true;
}

void FocuserControl::searchEnded(const FocuserExchange::Search& found, quint32 scan,
                                 const std::function<void(bool)>& ended)
{
    const quint16 port = found.ports.port;
    if (!m_isConnecting || scan != m_scan) {
        // Disconnected while the ports were tried: the found one is closed
        // unless a later search holds the slot.
        if (port != 0 && !m_isConnecting && !m_isConnect)
            m_serial.closeSerialDriver(kSerialSlotFocuser);
        return;
    }
    m_isConnecting = false;
    m_isConnect = port != 0;
    m_port = port;
    m_silentReplies = 0;
    if (!m_isConnect)
        m_connectFailure = searchFailure(found);
    if (ended)
        ended(m_isConnect);
}

QString FocuserControl::searchFailure(const FocuserExchange::Search& found)
{
    // A device that answered and was refused says most.
    if (!found.refusal.isEmpty())
        return found.refusal;
    return found.ports.failure(QStringLiteral("the focuser"),
                               QStringLiteral("No port could be opened, or the focuser did not answer on any port."));
}

void FocuserControl::disconnectPort()
{
    ++m_scan;
    ++m_session;
    if (m_isConnect && m_model.farewell) {
        // The slot closes on the worker once the focuser has been told.
        post([farewell = m_model.farewell](const FocuserExchange& line) {
            farewell(line);
            line.close();
        });
    } else {
        // Never waits: an exchange in progress closes the slot as it lets go.
        m_serial.closeSerialDriver(kSerialSlotFocuser);
    }
    m_isConnecting = false;
    m_isConnect = false;
    m_port = 0;
    m_silentReplies = 0;
    endMove();
}

void FocuserControl::notePosition(quint16 position)
{
    const bool wasOpen = m_move.isOpen();
    m_move.notePosition(position);
    if (wasOpen && !m_move.isOpen())
        moveReachedItsEnd();
    if (m_isArrivalOwed && !m_move.isOpen())
        settleMove(position);
}

void FocuserControl::beginMove(MoveWatch::Path path, MoveWatch::Ends ends, MoveWatch::Positions positions)
{
    m_move.begin(std::move(path), slowestStepsPerSecond(), positions, ends);
    forgetArrival();
    m_isUnaskedTold = false;
}

void FocuserControl::endMove()
{
    m_move.end();
    forgetArrival();
}

void FocuserControl::settleMove(std::optional<quint16> at)
{
    m_move.end();
    m_isUnaskedTold = false;
    m_isArrivalOwed = m_arrival.has_value() && !at.has_value();
    if (!at || !m_arrival)
        return;
    const quint16 target = *std::exchange(m_arrival, std::nullopt);
    if (*at != target)
        AlertPanel::runAlert(MoveWatch::endedAwayTitle(), MoveWatch::endedAwayText(*at, target));
}

void FocuserControl::watchUnaskedMotion(quint16 at, bool afterStop)
{
    if (!m_move.isOpen())
        m_move.beginUnasked(at, afterStop);
}

bool FocuserControl::takeGiveUpNews()
{
    return !m_move.isUnasked() || !std::exchange(m_isUnaskedTold, true);
}

void FocuserControl::after(int ticks, std::function<void()> next)
{
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::max(ticks, 0) * m_worker.timing().tick);
    // A wait counts as work owed: the polls hold off until it has run.
    ++m_pending;
    QTimer::singleShot(wait, this, [this, session = m_session, next = std::move(next)] {
        --m_pending;
        if (session == m_session)
            next();
    });
}

void FocuserControl::postWork(std::function<std::function<void()>(const FocuserExchange&)> work)
{
    ++m_pending;
    postWithReply([this](std::function<void()> job) { m_worker.postWork(std::move(job)); }, this,
                  [line = m_line, work = std::move(work)] { return work(line); },
                  [this](const std::function<void()>& onMain) {
                      --m_pending;
                      onMain();
                  });
}

std::chrono::microseconds FocuserControl::tick() const
{
    return m_worker.timing().tick;
}

void FocuserControl::writeDebug(const QString& line) const
{
    m_line.debug()(line);
}

void FocuserControl::checkLine(std::function<void(bool hungUp)> done)
{
    post([](const FocuserExchange& line) { return line.serial().isHungUp(kSerialSlotFocuser); },
         std::move(done));
}
