#include "mount/dome/DDWControl.h"

#include "mount/SerialControl.h"
#include "mount/dome/DDWView.h"
#include "mount/dome/DomeMount.h"
#include "mount/links/SkyRedraw.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr long kDDWBaud = 9600;
constexpr int kUpdateMs = 5000;
constexpr int kRotateTicks = 2;
// A typed interval of 0 would spin the main thread.
constexpr int kShortestTrackMs = 1000;
constexpr int kDegreesPerTurn = 360;
const char kTitlePrefix[] = "Digital Dome Works ";
// A status record ends in CR LF; read to its end, a record the controller
// pauses in is never cut, nor its tail left to lead the next reply.
const ReplyEnd kRecordEnd = ReplyEnd::terminator('\n');

// The tail of a hand rotation: direction, then three fixed bytes.
QByteArray rotationBytes(char direction)
{
    return QByteArray{1, direction} + QByteArray("@\x80\xC0", 3);
}

}  // namespace

DDWControl::DDWControl(SerialControl& serial, DomeMount& mount, DebugWriter debug,
                       ScopeThreadTiming timing, QObject* parent)
    : QObject(parent), m_serial(serial), m_mount(mount), m_debug(std::move(debug)),
      m_timing(std::move(timing))
{
    m_ddwUpdateTimer.setInterval(kUpdateMs);
    connect(&m_ddwUpdateTimer, &QTimer::timeout, this, &DDWControl::ddwUpdateTimer);
    connect(&m_ddwTrackTimer, &QTimer::timeout, this, &DDWControl::ddwFreqTimer);
}

DDWControl::~DDWControl() = default;

bool DDWControl::ddwConnect()
{
    m_debug("ddwConnect");
    if (m_isDDWConnect && m_ddwPort != 0)
        return ddwDisconnect();
    if (m_serial.serialRefNum(kSerialSlotDDW) >= 0)
        return false;
    m_isDDWConnect = false;
    if (m_serial.maxPorts() == 0)
        m_serial.getPortNames();
    const quint16 ports = m_serial.maxPorts();
    if (ports == 0)
        return false;
    m_ddwPort = 0;
    const quint16 chosen = m_mount.selectPort();
    bool found = chosen != 0 && chosen <= ports && tryPort(chosen - 1);
    if (found) {
        m_ddwPort = chosen;
    } else {
        m_serial.closeSerialDriver(kSerialSlotDDW);
        for (quint16 index = 0; index < ports && !found; ++index) {
            found = tryPort(index);
            if (found)
                m_ddwPort = index + 1;
        }
    }
    if (!found)
        return false;
    m_isDDWConnect = true;
    m_isStatusPending = false;
    m_ddwUpdateTimer.start();
    return true;
}

bool DDWControl::tryPort(quint16 index)
{
    if (!m_serial.serialPortAvailable(index)
        || !m_serial.openSerialDriver(index, kDDWBaud, false, kSerialSlotDDW))
        return false;
    if (ddwGetV())
        return true;
    m_serial.closeSerialDriver(kSerialSlotDDW);
    return false;
}

bool DDWControl::ddwDisconnect()
{
    m_isDDWConnect = false;
    m_ddwPort = 0;
    m_ddwUpdateTimer.stop();
    m_serial.closeSerialDriver(kSerialSlotDDW);
    m_mount.releaseThread();
    return true;
}

bool DDWControl::exchange(const QByteArray& command, quint16 expected, const ReplyEnd& end)
{
    m_serial.clearSerialBuffer(kSerialSlotDDW);
    m_transCount = qint32(command.size());
    return m_serial.transaction(expected, m_transCount, command.constData(), m_ddwSerialInBuffer,
                                kSerialSlotDDW, end);
}

void DDWControl::readStream()
{
    const qsizetype length = m_serial.readDDWStream(m_ddwSerialInBuffer);
    if (length > 0)
        ddwParseInfo(QByteArrayView(m_ddwSerialInBuffer.data(), length));
}

bool DDWControl::ddwParseInfo(QByteArrayView text)
{
    m_debug("ddwParseInfo");
    const std::optional<DDWStatus> status = parseDDWStatus(text);
    if (!status)
        return false;
    applyStatus(*status);
    return true;
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
    if (!exchange("GINF", 1, kRecordEnd) || m_ddwSerialInBuffer[0] != 'V')
        return false;
    if (ddwParseInfo(QByteArrayView(m_ddwSerialInBuffer.data(), m_transCount)) && m_view)
        m_view->setPanelTitle(kTitlePrefix + m_status.versionStr);
    return true;
}

bool DDWControl::ddwGetInfo()
{
    m_debug("ddwGetInfo");
    return exchange("GINF", 1, kRecordEnd)
           && ddwParseInfo(QByteArrayView(m_ddwSerialInBuffer.data(), m_transCount));
}

bool DDWControl::ddwSlaveOn(bool on)
{
    m_debug("ddwSlaveOn");
    if (!exchange(on ? "GSLV" : "GVLS", 1, kRecordEnd))
        return false;
    ddwParseInfo(QByteArrayView(m_ddwSerialInBuffer.data(), m_transCount));
    return true;
}

bool DDWControl::ddwGOTOAz(int azimuth)
{
    m_debug("ddwGOTOAz");
    if (azimuth < 0 || azimuth >= kDegreesPerTurn || isDSROpen())
        return false;
    if (!exchange("G" + QByteArray::number(azimuth).rightJustified(3, '0'), 0))
        return false;
    readStream();
    return true;
}

bool DDWControl::ddwGoHome()
{
    m_debug("ddwGoHome");
    if (!exchange("GHOM", 1))
        return false;
    readStream();
    return true;
}

bool DDWControl::ddwTrain()
{
    m_debug("ddwTrain");
    if (!exchange("GTRN", 1))
        return false;
    const qsizetype length = m_serial.readDDWStream(m_ddwSerialInBuffer);
    if (length > 0) {
        const QByteArrayView text(m_ddwSerialInBuffer.data(), length);
        m_debug([&] { return QString::fromLatin1(text.toByteArray()); });
        ddwParseInfo(text);
    }
    return true;
}

bool DDWControl::ddwShutter(bool open)
{
    m_debug("ddwShutter");
    if (!exchange(open ? "GOPN" : "GCLS", 1))
        return false;
    readStream();
    return true;
}

bool DDWControl::ddwAllStop()
{
    m_debug("ddwTrain");
    if (!exchange("QQ", 1, kRecordEnd))
        return false;
    ddwParseInfo(QByteArrayView(m_ddwSerialInBuffer.data(), m_transCount));
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
    m_debug("ddwRotateWest");
    // Stopping is always allowed; starting is not while the DSR is open.
    if (on && isDSROpen())
        return false;
    if (!exchange("GTCK", 1))
        return false;
    pause(kRotateTicks);
    return exchange(rotationBytes(direction), 1);
}

bool DDWControl::ddwSetPins()
{
    m_debug("ddwSetPins");
    return exchange("GP0" + QByteArray::number(m_ddwPinState & 0x0F, 16).toUpper(), 0);
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
    if (m_isDDWTracking || m_isStatusPending)
        return;
    if (!m_isDDWConnect) {
        m_ddwUpdateTimer.stop();
        return;
    }
    // The exchange runs on the worker: a silent or babbling controller holds
    // it, never the interface.
    m_isStatusPending = true;
    m_mount.postWork([this] {
        const std::optional<DDWStatus> status = readStatus();
        QMetaObject::invokeMethod(
            this,
            [this, status] {
                m_isStatusPending = false;
                if (status && m_isDDWConnect)
                    applyStatus(*status);
            },
            Qt::QueuedConnection);
    });
}

std::optional<DDWStatus> DDWControl::readStatus()
{
    m_debug("ddwGetInfo");
    ReplyBuffer reply{};
    m_serial.clearSerialBuffer(kSerialSlotDDW);
    qint32 count = 4;
    if (!m_serial.transaction(1, count, "GINF", reply, kSerialSlotDDW, kRecordEnd))
        return std::nullopt;
    return parseDDWStatus(QByteArrayView(reply.data(), count));
}

void DDWControl::ddwFreqTimer()
{
    if (!m_isDDWTracking || !m_mount.isConnected()) {
        m_ddwTrackTimer.stop();
        m_isDDWTracking = false;
        return;
    }
    if (!calcDDWAzimuth() || !ddwGetInfo())
        return;
    const float d = m_ddwAzimuth - m_ddwTargetAz;
    m_ddwSkyAzimuth = d + m_scopeAzimuth;
    if (domeAngleApart(m_ddwAzimuth, m_ddwTargetAz) < m_ddwDelta) {
        if (m_sky)
            m_sky->setNeedsDisplay();
        return;
    }
    const float target = m_ddwTargetAz;
    const float dome = m_ddwAzimuth;
    const bool turnsWestToEast = (target > dome && std::abs(d) > 180.0f) || dome > target;
    const double goal = target + (turnsWestToEast ? 0.0f : m_ddwDelta);
    pause(1);
    // The controller takes whole degrees 0..359: wrap after rounding.
    ddwGOTOAz(int(std::floor(goal + 0.5)) % kDegreesPerTurn);
}

void DDWControl::setDDWSetup(double x, double y, double z, double bigR, double smallR,
                             double flip, float delta, float frequency)
{
    m_geometry = {x, y, z, bigR, smallR, flip};
    m_ddwDelta = delta;
    m_ddwFrequency = frequency;
}

void DDWControl::pause(int ticks) const
{
    m_timing.pause(ticks * m_timing.tick);
}
