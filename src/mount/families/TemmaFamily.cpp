#include "mount/families/TemmaFamily.h"

#include "model/Angles.h"
#include "model/Sexagesimal.h"
#include "mount/DebugWriter.h"
#include "mount/ScopeMessage.h"
#include "mount/ScopeStatus.h"
#include "mount/families/SkyPosition.h"

#include <cmath>

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr quint8 kNoMotion = 0x40;
constexpr quint8 kFast = 0x01;
constexpr quint8 kWest = 0x02;
constexpr quint8 kEast = 0x04;
constexpr quint8 kNorth = 0x08;
constexpr quint8 kSouth = 0x10;
constexpr int kFastSlew = 10;
constexpr int kSlowSlew = 11;
constexpr int kResend = 15;
constexpr int kResendMs = 1000;
// A goto's expected time when the mount never answers the slew query: the
// mount's top speed is about 2° a second; a margin for the start and stop.
constexpr double kSlewDegreesPerSecond = 2.0;
constexpr qint64 kSlewMarginSeconds = 10;
constexpr qsizetype kPositionReply = 15;

const char* kMotorOffTitle = "RA motor is turned off.";
const char* kMotorOffMessage = "Select Stellar or Solar first.";

bool digitsAt(const QByteArray& text, qsizetype from, qsizetype count)
{
    for (qsizetype i = from; i < from + count; ++i)
        if (i >= text.size() || text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

int number(const QByteArray& text, qsizetype from, qsizetype count)
{
    return text.mid(from, count).toInt();
}

}  // namespace

TemmaFamily::TemmaFamily(const MountContext& context, FamilyInputs inputs)
    : m_context(context), m_inputs(std::move(inputs)), m_exchange(context.serial, context.betweenExchanges)
{
    m_slewTimer.setInterval(kResendMs);
    QObject::connect(&m_slewTimer, &QTimer::timeout, this, &TemmaFamily::runSlewTimer);
}

std::optional<QByteArray> TemmaFamily::positionText(double ra, double dec)
{
    // Truncated, but not a hair below a whole value that a conversion left short.
    constexpr double kHair = 1e-6;
    const auto hundredths = qint64(Angles::wrapTwoPi(ra) * Angles::kRadToDeg / 15.0 * 6000.0 + kHair);
    const int hours = int(hundredths / 6000);
    const int minutes = int(hundredths / 100 % 60);
    const int fraction = int(hundredths % 100);
    const double decDegrees = dec * Angles::kRadToDeg;
    const auto tenths = qint64(std::abs(decDegrees) * 600.0 + kHair);
    const int degrees = int(tenths / 600);
    if (hours > 23 || degrees > 90)
        return std::nullopt;
    // Dec 0 goes with "+": every mount takes it.
    return commandText("%02d%02d%02d%c%02d%02d%d", hours, minutes, fraction, decDegrees < 0.0 ? '-' : '+',
                       degrees, int(tenths / 10 % 60), int(tenths % 10));
}

std::optional<TemmaFamily::Position> TemmaFamily::parsePosition(const QByteArray& reply)
{
    if (reply.size() < 14 || reply[0] != 'E' || !digitsAt(reply, 1, 6) || !digitsAt(reply, 8, 5))
        return std::nullopt;
    const char sign = reply[7];
    if (sign != '+' && sign != '-' && sign != ' ')
        return std::nullopt;
    const double hours = number(reply, 1, 2) + (number(reply, 3, 2) + number(reply, 5, 2) / 100.0) / 60.0;
    const double ra = hours * 15.0 * Angles::kDegToRad;
    const double degrees =
        number(reply, 8, 2) + number(reply, 10, 2) / 60.0 + number(reply, 12, 1) * 6.0 / 3600.0;
    if (ra >= Angles::kTwoPi || degrees > 90.0)
        return std::nullopt;
    return Position{ra, (sign == '-' ? -degrees : degrees) * Angles::kDegToRad, reply[13]};
}

std::optional<QByteArray> TemmaFamily::latitudeText(double degrees)
{
    if (!(std::abs(degrees) <= 90.0))
        return std::nullopt;
    const Sexagesimal dms = Sexagesimal::rounded(std::abs(degrees));
    int whole = dms.whole;
    int minutes = dms.minutes;
    int tenths = int(std::lround(dms.seconds / 6.0));
    if (tenths == 10) {
        tenths = 0;
        if (++minutes == 60) {
            minutes = 0;
            ++whole;
        }
    }
    return commandText("%c%02d%02d%d", degrees < 0.0 ? '-' : '+', whole, minutes, tenths);
}

bool TemmaFamily::send(const QByteArray& command, const char* failure)
{
    if (!m_exchange.send(command + kLineEnd)) {
        m_context.status.isNoResponse = true;
        m_context.debug(failure);
        return false;
    }
    m_inputs.settle();
    return true;
}

QByteArray TemmaFamily::ask(const QByteArray& command, quint16 expected, const char* failure)
{
    const MountExchange::Reply reply =
        m_exchange.ask(command + kLineEnd, expected, ReplyEnd::endingIn('\n', expected));
    if (!reply.ok) {
        m_context.status.isNoResponse = true;
        m_context.debug(failure);
    }
    return reply.bytes;
}

bool TemmaFamily::connect()
{
    if (!ask("v", 3, "connectTemmaII: no response").startsWith("ver"))
        return false;
    m_inputs.settle();
    const std::optional<QByteArray> latitude = latitudeText(m_inputs.latitude());
    if (!latitude || !send("I" + *latitude, "connectTemmaII: transaction error"))
        return false;
    m_context.status.isTemmaSync = false;
    getTemmaTrack();
    return true;
}

bool TemmaFamily::setTemmaLST()
{
    const double lst = m_inputs.localSiderealHours();
    const Sexagesimal hms = Sexagesimal::truncated(lst);
    if (!(lst >= 0.0) || hms.whole > 23 || hms.minutes > 59 || hms.seconds > 59) {
        m_context.debug("setTemmaLST time error");
        return false;
    }
    const QByteArray out = commandText("T%02d%02d%02d", hms.whole, hms.minutes, hms.seconds);
    m_context.debug("setTemmaLST: " + QString::fromLatin1(out));
    return send(out, "setTemmaLST: transaction error");
}

bool TemmaFamily::motorOff()
{
    if (m_isTrack)
        return false;
    emit m_context.events.alertRequested(kMotorOffTitle, kMotorOffMessage);
    return true;
}

bool TemmaFamily::setTemmaSync(bool zenith)
{
    m_context.debug(zenith ? "setTemmaSync start: zenith" : "setTemmaSync start: star");
    if (motorOff())
        return false;
    std::optional<FamilyInputs::Target> target = zenith ? m_inputs.zenith() : m_inputs.selectedObject();
    if (!target) {
        emit m_context.events.alertRequested("Command+click on the sync star first.", " ");
        return false;
    }
    if (!setTemmaLST() || !send("Z", "setTemmaSync: transaction error") || !setTemmaLST())
        return false;
    const std::optional<QByteArray> position = positionText(target->ra, target->dec);
    if (!position) {
        m_context.debug("setTemmaSync RA,Dec error");
        return false;
    }
    m_context.debug("setTemmaSync send command: D" + QString::fromLatin1(*position));
    const QByteArray reply = ask("D" + *position, 2, "setTemmaSync: transaction error");
    if (!reply.startsWith("R0")) {
        m_context.debug("setTemmaSync returned: " + QString::fromLatin1(reply.left(2)));
        return false;
    }
    m_context.status.isTemmaSync = true;
    m_context.status.isSlewing = false;
    emit m_context.events.panelSetting(MountPanelSetting::TemmaSynced, ++m_syncCount);
    emit m_context.events.redrawRequested();
    return true;
}

bool TemmaFamily::gotoPosition(double ra, double dec)
{
    if (!m_context.status.isTemmaSync) {
        emit m_context.events.alertRequested("Scope must be synced first.", " ");
        return false;
    }
    if (motorOff())
        return false;
    slewDetect();
    if (m_context.status.isSlewing) {
        m_context.events.gotoRefusedWhileSlewing();
        return false;
    }
    const std::optional<QByteArray> position = positionText(ra, dec);
    if (!setTemmaLST() || !position)
        return false;
    m_context.debug("gotoTemmaRA: P" + QString::fromLatin1(*position));
    const QByteArray reply = ask("P" + *position, 2, "gotoTemmaRA: transaction error");
    if (!reply.startsWith("R0")) {
        if (!reply.isEmpty())
            m_context.debug("gotoTemmaRA: transCount error");
        return false;
    }
    const double from = m_context.status.scopeRA;
    const double fromDec = m_context.status.scopeDec;
    const double degrees =
        std::max(std::abs(std::remainder(ra - from, Angles::kTwoPi)), std::abs(dec - fromDec))
        * Angles::kRadToDeg;
    m_gotoDue = m_inputs.now().addSecs(qint64(degrees / kSlewDegreesPerSecond) + kSlewMarginSeconds);
    m_context.status.isSlewing = true;
    m_isGoto = true;
    return true;
}

bool TemmaFamily::slewDetect()
{
    if (!m_context.status.isTemmaSync)
        return false;
    const QByteArray reply = ask("s", 2, "slewTemmaDetect: transaction error");
    if (reply.isEmpty()) {
        // Firmwares that never answer: the goto is over once its time is up.
        if (m_gotoDue.isValid() && m_inputs.now() >= m_gotoDue) {
            m_context.status.isSlewing = false;
            m_isGoto = false;
        }
        return false;
    }
    if (reply.startsWith("s0")) {
        m_context.status.isSlewing = false;
        m_isGoto = false;
        m_context.debug("slewTemmaDetect: not slewing");
    }
    return true;
}

bool TemmaFamily::readPosition()
{
    ScopeStatus& status = m_context.status;
    if (!status.isTemmaSync)
        return false;
    if (status.isSlewing)
        slewDetect();
    const QByteArray reply = ask("E", kPositionReply, "getTemmaRA: transaction error");
    if (reply.isEmpty())
        return false;
    const std::optional<Position> position = parsePosition(reply);
    if (!position || !isOnSky(position->ra, position->dec)) {
        m_context.debug("getTemmaRA: refused " + QString::fromLatin1(reply.toHex()));
        return false;
    }
    status.isNoResponse = false;
    status.scopeRA = position->ra;
    status.scopeDec = position->dec;
    m_context.debug(
        QString::asprintf("getTemmaRA: %.4f, %.4f, %c", position->ra, position->dec, position->side));
    if ((position->side == 'E' || position->side == 'W') && position->side != m_side) {
        m_side = position->side;
        m_context.debug(QString("getTemmaRA: switched sides to %1").arg(position->side));
        emit m_context.events.panelSetting(MountPanelSetting::TemmaSide, position->side == 'E' ? 1 : 0);
    }
    return true;
}

bool TemmaFamily::stopTemmaGoto()
{
    const bool ok = send("PS", "stopTemmaGoto: transaction error");
    m_context.status.isSlewing = false;
    m_isGoto = false;
    m_context.debug("stopTemmaGoto: stopped");
    return ok;
}

bool TemmaFamily::slewTemma(int code, bool stop)
{
    if (motorOff())
        return false;
    if (code == kFastSlew || code == kSlowSlew) {
        m_isSlewFast = code == kFastSlew;
        m_context.debug(code == kFastSlew ? "SlewTemma setFastSlew" : "SlewTemma setSlowSlew");
        return true;
    }
    if ((code < kSlewNorth || code > kStopAll) && code != kResend)
        return false;
    if (code != kResend && m_context.status.isSlewing) {
        m_slew = kNoMotion;
        stopTemmaGoto();
    }
    quint8 motion = m_slew;
    if (code >= kSlewNorth && code <= 4) {
        const quint8 axis = code <= 2 ? kNorth | kSouth : kWest | kEast;
        static constexpr quint8 kBit[] = {kNorth, kSouth, kEast, kWest};
        motion &= quint8(~axis);
        if (!stop)
            motion |= kBit[code - 1];
        motion = quint8((motion & ~kFast) | (m_isSlewFast ? kFast : 0) | kNoMotion);
        m_context.status.isSlewing = true;
        m_isGoto = false;
        if (m_inputs.panelLocked() && !m_slewTimer.isActive())
            QMetaObject::invokeMethod(&m_slewTimer, qOverload<>(&QTimer::start), Qt::QueuedConnection);
    } else if (code == kStopAll) {
        motion = kNoMotion;
    }
    m_slew = motion;
    m_context.debug(QString::asprintf("slewTemma: %X", motion));
    if (!send(QByteArray("M") + char(motion), "slewTemma: transaction error"))
        return false;
    if (code == kStopAll)
        stopTemmaGoto();
    return true;
}

void TemmaFamily::runSlewTimer()
{
    if (m_slew == kNoMotion) {
        m_slewTimer.stop();
        return;
    }
    // The timer ticks on the main thread; the resend goes out on the worker.
    emit m_context.events.commandRequested(kScopeMsgTemmaCommand, kResend);
}

bool TemmaFamily::commandTemma(int code)
{
    switch (code) {
    case 32: return setTemmaRate(true);
    case 33: return setTemmaRate(false);
    case 34: return switchTemma(true);
    case 35: return switchTemma(false);
    case 36: return setTemmaVolts(true);
    case 37: return setTemmaVolts(false);
    case 38: return setTemmaTrack(false);
    default: return false;
    }
}

bool TemmaFamily::setTemmaRate(bool solar)
{
    if (!m_isTrack && !setTemmaTrack(true))
        return false;
    // LL is the stellar rate and LK the solar one.
    if (!send(solar ? "LK" : "LL", "setTemmaRate: transaction error"))
        return false;
    m_context.debug("setTemmaRate: set ok");
    return true;
}

bool TemmaFamily::setTemmaTrack(bool on)
{
    const char* out = on ? "STN-OFF" : "STN-ON";
    if (!send(out, "setTemmaTrack: transaction error"))
        return false;
    m_isTrack = on;
    m_context.debug(QString("setTemmaTrack: %1").arg(out));
    return true;
}

bool TemmaFamily::getTemmaTrack()
{
    const QByteArray reply = ask("STN-COD", 7, "getTemmaTrack: transaction error");
    if (reply.isEmpty())
        return false;
    // "stn-on" while the RA motor stands by, "stn-off" while it tracks.
    m_isTrack = !reply.toLower().contains("on");
    emit m_context.events.panelSetting(MountPanelSetting::TemmaTrack, m_isTrack ? 1 : 0);
    return true;
}

bool TemmaFamily::switchTemma(bool east)
{
    if (m_side == (east ? 'E' : 'W'))
        return true;
    if (!send("PT", "switchTemma: transaction error"))
        return false;
    m_context.debug("switchTemma: switched");
    return true;
}

bool TemmaFamily::setTemmaVolts(bool high)
{
    // One frame: "v" alone is the version query.
    if (!send(high ? "v1" : "v2", "setTemmaVolts: transaction error"))
        return false;
    m_context.debug(QString("setTemmaVolts: %1").arg(high ? '1' : '2'));
    return true;
}

bool TemmaFamily::setTemmaGuideRate()
{
    const int percent = std::clamp(m_inputs.guideRatePercent(), 10, 90);
    return send(commandText("LA%02d", percent), "setTemmaRACorrection: transaction error")
        && send(commandText("LB%02d", percent), "setTemmaDecCorrection: transaction error");
}

bool TemmaFamily::run(const PanelCommand& command)
{
    switch (command.operation) {
    case MountOperation::Slew: return slewTemma(command.code, command.flag & kSlewFlagStop);
    case MountOperation::Sync: return setTemmaSync(command.flag != 0);
    case MountOperation::Command: return commandTemma(command.code);
    case MountOperation::GuideRate: return setTemmaGuideRate();
    default: return false;
    }
}
