#include "mount/dome/DDWControl.h"

#include "mount/SerialControl.h"
#include "mount/WorkerReply.h"
#include "mount/dome/DDWView.h"
#include "mount/dome/DomeMount.h"
#include "mount/links/SkyRedraw.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int kUpdateMs = 5000;
constexpr int kRotateTicks = 2;
// A typed interval of 0 would spin the main thread.
constexpr int kShortestTrackMs = 1000;
constexpr int kDegreesPerTurn = 360;
const char kTitlePrefix[] = "Digital Dome Works ";

// The tail of a hand rotation: direction, then three fixed bytes.
QByteArray rotationBytes(char direction)
{
    return QByteArray{1, direction} + QByteArray("@\x80\xC0", 3);
}

// A go-to: whole degrees, three digits.
QByteArray gotoCommand(int azimuth)
{
    return "G" + QByteArray::number(azimuth).rightJustified(3, '0');
}

}  // namespace

DDWControl::DDWControl(SerialControl& serial, DomeMount& mount, DebugWriter debug,
                       ScopeThreadTiming timing, QObject* parent)
    : QObject(parent), m_serial(serial), m_mount(mount), m_debug(debug),
      m_line(serial, std::move(debug), std::move(timing))
{
    m_ddwUpdateTimer.setInterval(kUpdateMs);
    connect(&m_ddwUpdateTimer, &QTimer::timeout, this, &DDWControl::ddwUpdateTimer);
    connect(&m_ddwTrackTimer, &QTimer::timeout, this, &DDWControl::ddwFreqTimer);
}

DDWControl::~DDWControl() = default;

bool DDWControl::ddwConnect()
{
    m_debug("ddwConnect");
    m_connectFailure = QStringLiteral(" ");
    if (m_isDDWConnect && m_ddwPort != 0)
        return ddwDisconnect();
    if (m_isConnecting || m_serial.serialRefNum(kSerialSlotDDW) >= 0)
        return false;
    m_isDDWConnect = false;
    const quint16 chosen = m_mount.selectPort();
    m_serial.relistPorts(chosen);
    const quint16 ports = m_serial.maxPorts();
    if (ports == 0) {
        m_connectFailure = kNoSerialPort;
        return false;
    }
    m_ddwPort = 0;
    m_isConnecting = true;
    ++m_pendingExchanges;
    const quint32 scan = ++*m_scan;
    postWithReply([this](std::function<void()> job) { m_mount.postWork(std::move(job)); }, this,
                  [line = m_line, chosen, ports] { return line.findController(chosen, ports); },
                  [this, scan](const DDWFound& found) { connectEnded(found, scan); });
    return true;
}

void DDWControl::connectEnded(const DDWFound& found, quint32 scan)
{
    --m_pendingExchanges;
    if (!m_isConnecting || scan != *m_scan) {
        // Disconnected while the ports were tried: the found one is closed
        // unless a later connect holds the slot.
        if (found.port != 0 && !m_isConnecting && !m_isDDWConnect)
            m_serial.closeSerialDriver(kSerialSlotDDW);
        return;
    }
    m_isConnecting = false;
    if (found.port == 0) {
        m_connectFailure = found.ports.failure(QStringLiteral("the dome"), m_connectFailure);
        if (m_view)
            m_view->ddwConnectEnded(false);
        return;
    }
    m_ddwPort = found.port;
    m_isDDWConnect = true;
    if (found.status)
        showVersion(*found.status);
    m_ddwUpdateTimer.start();
    if (m_view)
        m_view->ddwConnectEnded(true);
}

void DDWControl::showVersion(const DDWStatus& status)
{
    applyStatus(status);
    if (m_view)
        m_view->setPanelTitle(kTitlePrefix + m_status.versionStr);
}

bool DDWControl::ddwDisconnect()
{
    m_isConnecting = false;
    ++*m_scan;
    const bool wasConnected = std::exchange(m_isDDWConnect, false);
    m_ddwPort = 0;
    m_ddwUpdateTimer.stop();
    // Tracking sends go-tos: it ends with the connection.
    m_ddwTrackTimer.stop();
    m_isDDWTracking = false;
    if (std::exchange(m_mayBeMoving, false) && wasConnected) {
        stopThenClose();
        return true;
    }
    m_serial.closeSerialDriver(kSerialSlotDDW);
    return true;
}

void DDWControl::stopThenClose()
{
    ++m_pendingExchanges;
    postWithReply([this](std::function<void()> job) { m_mount.postWork(std::move(job)); }, this,
                  [line = m_line] {
                      line.status("QQ");
                      line.close();
                      return true;
                  },
                  [this](bool) { --m_pendingExchanges; });
}

void DDWControl::post(Work work, std::function<void(bool)> then)
{
    ++m_pendingExchanges;
    postWithReply([this](std::function<void()> job) { m_mount.postWork(std::move(job)); }, this,
                  [line = m_line, work = std::move(work), counter = m_scan,
                   session = quint32(*m_scan)]() -> std::optional<DDWStatus> {
                      if (*counter != session)
                          return std::nullopt;
                      return work(line);
                  },
                  [this, then = std::move(then)](const std::optional<DDWStatus>& status) {
                      --m_pendingExchanges;
                      if (status && m_isDDWConnect)
                          applyStatus(*status);
                      if (then)
                          then(status.has_value());
                  });
}

void DDWControl::applyStatus(const DDWStatus& status)
{
    m_status = status;
    m_ddwPinState = status.pinState;
    if (m_status.Dticks != 0)
        m_ddwAzimuth = float(m_status.ADAZ) * 359.0f / float(m_status.Dticks);
    if (m_view)
        m_view->setDDWUpdateText();
}

bool DDWControl::ddwGetV()
{
    m_debug("ddwGetV");
    post(
        [](const DDWExchange& line) -> std::optional<DDWStatus> {
            const std::optional<QByteArray> reply = line.record("GINF");
            if (!reply || !reply->startsWith('V'))
                return std::nullopt;
            return parseDDWStatus(*reply);
        },
        [this](bool answered) {
            if (answered && m_isDDWConnect && m_view)
                m_view->setPanelTitle(kTitlePrefix + m_status.versionStr);
        });
    return true;
}

bool DDWControl::ddwGetInfo()
{
    m_debug("ddwGetInfo");
    post([](const DDWExchange& line) { return line.status("GINF"); });
    return true;
}

bool DDWControl::ddwSlaveOn(bool on)
{
    m_debug("ddwSlaveOn");
    post([on](const DDWExchange& line) { return line.status(on ? "GSLV" : "GVLS"); });
    return true;
}

bool DDWControl::ddwGOTOAz(int azimuth)
{
    m_debug("ddwGOTOAz");
    if (azimuth < 0 || azimuth >= kDegreesPerTurn || isDSROpen())
        return false;
    sendMotion(gotoCommand(azimuth), 0);
    return true;
}

void DDWControl::sendMotion(const QByteArray& command, quint16 expected, int pauseTicks)
{
    post([command, expected, pauseTicks](const DDWExchange& line) -> std::optional<DDWStatus> {
        line.pause(pauseTicks);
        // The acknowledgement is one letter; the record follows it on the stream.
        if (!line.send(command, expected, ReplyEnd::length(expected)))
            return std::nullopt;
        return line.readStream();
    });
}

bool DDWControl::ddwGoHome()
{
    m_debug("ddwGoHome");
    sendMotion("GHOM", 1);
    return true;
}

bool DDWControl::ddwTrain()
{
    m_debug("ddwTrain");
    sendMotion("GTRN", 1);
    return true;
}

bool DDWControl::ddwShutter(bool open)
{
    m_debug("ddwShutter");
    sendMotion(open ? "GOPN" : "GCLS", 1);
    return true;
}

bool DDWControl::ddwAllStop()
{
    m_debug("ddwAllStop");
    m_mayBeMoving = false;
    post([](const DDWExchange& line) { return line.status("QQ"); });
    return true;
}

bool DDWControl::ddwRotateWest(bool on)
{
    return rotate(on ? 'R' : 'X', on);
}

bool DDWControl::ddwRotateEast(bool on)
{
    return rotate(on ? 'L' : 'X', on);
}

bool DDWControl::rotate(char direction, bool on)
{
    m_debug("ddwRotate");
    // Stopping is always allowed; starting is not while the DSR is open.
    if (on && isDSROpen())
        return false;
    // A hand rotation runs until told to stop; a go-to, a Home search or the
    // shutter ends on the controller by itself, and is left to: a shutter
    // stopped halfway by a disconnect would leave the dome open.
    m_mayBeMoving = on;
    post([direction](const DDWExchange& line) -> std::optional<DDWStatus> {
        if (line.send("GTCK", 1, ReplyEnd::length(1))) {
            line.pause(kRotateTicks);
            line.send(rotationBytes(direction), 1, ReplyEnd::length(1));
        }
        return std::nullopt;
    });
    return true;
}

bool DDWControl::ddwSetPins()
{
    m_debug("ddwSetPins");
    const QByteArray command = "GP0" + QByteArray::number(m_ddwPinState & 0x0F, 16).toUpper();
    post([command](const DDWExchange& line) -> std::optional<DDWStatus> {
        line.send(command, 0);
        return std::nullopt;
    });
    return true;
}

bool DDWControl::calcDDWAzimuth()
{
    m_debug("calcDDWAzimuth");
    const std::optional<DomeAim> aim =
        DomeAim::of(m_mount, m_view != nullptr && m_view->isGEM(), true, m_scopeAzimuth);
    if (!aim)
        return false;
    m_scopeAzimuth = float(aim->scopeAzimuth);
    const std::optional<double> target = calcDomeAzimuth(m_geometry, *aim);
    if (!target)
        return false;
    m_ddwTargetAz = float(*target);
    return true;
}

void DDWControl::ddwTrack(bool on)
{
    m_debug("ddwTrack");
    m_isDDWTracking = on;
    if (on)
        m_ddwTrackTimer.start(std::max(kShortestTrackMs, int(m_ddwFrequency * 1000.0f)));
}

void DDWControl::ddwFireTrackTimer()
{
    m_debug("ddwFireTrackTimer");
    // The worker asks; the tick runs where every other slot-5 exchange does.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_ddwTrackTimer.isActive())
                ddwFreqTimer();
        },
        Qt::QueuedConnection);
}

void DDWControl::ddwUpdateTimer()
{
    if (m_isDDWTracking || m_pendingExchanges > 0)
        return;
    if (!m_isDDWConnect) {
        m_ddwUpdateTimer.stop();
        return;
    }
    post([](const DDWExchange& line) { return line.status("GINF"); });
}

void DDWControl::ddwFreqTimer()
{
    if (!m_isDDWTracking || !m_mount.isConnected()) {
        m_ddwTrackTimer.stop();
        m_isDDWTracking = false;
        return;
    }
    // A tick waits for the exchanges before it: a silent controller gets
    // one request at a time, not a queue of them.
    if (m_pendingExchanges > 0 || !calcDDWAzimuth())
        return;
    m_debug("ddwGetInfo");
    post([](const DDWExchange& line) { return line.status("GINF"); },
         [this](bool answered) {
             if (answered)
                 followTarget();
         });
}

void DDWControl::followTarget()
{
    const float d = m_ddwAzimuth - m_ddwTargetAz;
    m_ddwSkyAzimuth = d + m_scopeAzimuth;
    if (domeAngleApart(m_ddwAzimuth, m_ddwTargetAz) < m_ddwDelta) {
        if (m_sky)
            m_sky->setNeedsDisplay();
        return;
    }
    if (!m_isDDWTracking || isDSROpen())
        return;
    const float target = m_ddwTargetAz;
    const float dome = m_ddwAzimuth;
    const bool turnsWestToEast = (target > dome && std::abs(d) > 180.0f) || dome > target;
    const double goal = target + (turnsWestToEast ? 0.0f : m_ddwDelta);
    // The controller takes whole degrees 0..359: wrap after rounding.
    const int azimuth = int(std::floor(goal + 0.5)) % kDegreesPerTurn;
    sendMotion(gotoCommand(azimuth), 0, 1);
}

void DDWControl::setDDWSetup(double x, double y, double z, double bigR, double smallR,
                             double flip, float delta, float frequency)
{
    m_geometry = {x, y, z, bigR, smallR, flip};
    m_ddwDelta = delta;
    m_ddwFrequency = frequency;
}
