#include "mount/families/NexStarFamily.h"

#include "model/Angles.h"
#include "mount/DebugWriter.h"
#include "mount/HexDigits.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeStatus.h"
#include "mount/families/EquatorJ2000.h"
#include "mount/families/SkyPosition.h"

#include <array>
#include <cmath>

namespace {

// 65536/360 as the hand controllers' protocol gives it: a shade short, so a
// half turn is 7FFF.
constexpr double kUnitsPerDegree = 182.044444444;
constexpr double kRadiansPerUnit = 9.58737992428526e-5;
constexpr double kDegreesPerUnit = 0.0054931640625;
constexpr double kResetRadians = 0.17453292519943298;      // 10°: a goto this far clears the offsets
constexpr double kSyncLimitRadians = 0.08726646259971649;  // 5°: a larger sync error is refused
constexpr qsizetype kPositionLength = 10;
constexpr char kEnd = '#';
constexpr char kMotorAltitude = 17;
constexpr char kMotorAzimuth = 16;
constexpr char kPositive = '$';
constexpr char kNegative = '%';

const char* modeName(int mode)
{
    static constexpr std::array kNames{"Off", "Alt/Az", "EQ N", "EQ S"};
    return mode >= 0 && mode < int(kNames.size()) ? kNames[std::size_t(mode)] : "Unknown";
}

QString modelName(int model)
{
    switch (model) {
    case 1: return "GPS Series";
    case 3: return "i-Series";
    case 4: return "i-Series SE";
    case 5: return "CGE";
    case 6: return "Advanced GT";
    case 7: return "SLT";
    case 9: return "CPC";
    case 10: return "GT";
    case 11: return "4/5 SE";
    case 12: return "6/8 SE";
    default: return "Unknown";
    }
}

std::optional<int> hexWord(const char* digits)
{
    int value = 0;
    for (int i = 0; i < 4; ++i) {
        const std::optional<quint8> nibble = HexDigits::ASCIIToHex(digits[i]);
        if (!nibble)
            return std::nullopt;
        value = value << 4 | *nibble;
    }
    return value;
}

// Into (−π, π]: a difference across RA 0 is a small one.
double wrapDifference(double a)
{
    a = std::remainder(a, Angles::kTwoPi);
    return a <= -Angles::kPi ? a + Angles::kTwoPi : a;
}

}  // namespace

NexStarFamily::NexStarFamily(int protocol, const MountContext& context, FamilyInputs inputs)
    : m_protocol(protocol), m_context(context), m_inputs(std::move(inputs)), m_exchange(context.serial, context.betweenExchanges)
{
    // A new connection starts without the last mount's offsets.
    m_context.status.synScanRAError = 0.0;
    m_context.status.synScanDecError = 0.0;
}

bool NexStarFamily::isUltima() const
{
    return m_protocol == kProtocolUltima;
}

bool NexStarFamily::isSynScan() const
{
    return m_protocol == kProtocolSynScan;
}

QByteArray NexStarFamily::command(QByteArray body) const
{
    return isUltima() ? body + '\r' : body;
}

bool NexStarFamily::noResponse(const char* line)
{
    m_context.status.isNoResponse = true;
    m_context.debug(line);
    return false;
}

QByteArray NexStarFamily::positionDigits(double radians)
{
    double degrees = radians * Angles::kRadToDeg;
    if (degrees < 0.0)
        degrees += 360.0;
    const auto value = quint16(qint64(degrees * kUnitsPerDegree) % 65536);
    QByteArray digits;
    for (const quint8 byte : {quint8(value >> 8), quint8(value & 0xFF)}) {
        digits += HexDigits::HexToASCII(byte, true);
        digits += HexDigits::HexToASCII(byte, false);
    }
    return digits;
}

std::optional<NexStarFamily::Position> NexStarFamily::parsePosition(const QByteArray& reply)
{
    if (reply.size() != kPositionLength && reply.size() != kPositionLength + 1)
        return std::nullopt;
    const char* text = reply.constData() + (reply.size() - kPositionLength);
    if (text[4] != ',' || text[9] != kEnd)
        return std::nullopt;
    const std::optional<int> ra = hexWord(text);
    const std::optional<int> dec = hexWord(text + 5);
    if (!ra || !dec)
        return std::nullopt;
    double decDegrees = *dec * kDegreesPerUnit;
    if (decDegrees >= 180.0)
        decDegrees -= 360.0;
    return Position{*ra * kRadiansPerUnit, decDegrees * Angles::kDegToRad};
}

bool NexStarFamily::connect()
{
    const MountExchange::Reply reply =
        m_exchange.ask(command("Kx"), isUltima() ? 3 : 2, ReplyEnd::endingIn(kEnd, 2));
    if (isUltima()) {
        if (!reply.ok)
            m_context.debug("connectUltima: no response");
        return reply.ok && reply.bytes.contains("x#");
    }
    if (!reply.ok) {
        m_context.debug([&] { return QString("connectNexStarGPS: no response error %1").arg(reply.count); });
        return false;
    }
    const QByteArray& b = reply.bytes;
    if (b.at(1) != kEnd && !(b.size() >= 4 && b.at(3) == kEnd))
        return false;
    if (!isSynScan())
        getTrackModeNexStar();
    return true;
}

bool NexStarFamily::slewDetect()
{
    const MountExchange::Reply reply = m_exchange.ask(command("L"), 2, ReplyEnd::endingIn(kEnd, 2));
    if (!reply.ok)
        return noResponse(isUltima() ? "slewUltimaDetect: transaction error"
                                     : "slewNexStarGPSDetect: transaction error");
    if (isUltima()) {
        if (reply.bytes.contains("1#"))
            m_context.status.isSlewing = true;
        else if (reply.bytes.contains("0#"))
            m_context.status.isSlewing = false;
        return true;
    }
    if (reply.bytes.at(0) == '0') {
        m_context.status.isSlewing = false;
        m_context.debug("slewNexStarGPSDetect: not slewing");
    } else if (reply.bytes.at(0) == '1') {
        m_context.status.isSlewing = true;
        m_context.debug("slewNexStarGPSDetect: is slewing");
    }
    return true;
}

bool NexStarFamily::readPosition()
{
    ScopeStatus& status = m_context.status;
    status.isNoResponse = false;
    if (status.isSlewing && slewDetect() && !status.isSlewing && m_protocol == kProtocolNexStarGPS)
        getTrackModeNexStarOnly();
    const MountExchange::Reply reply = m_exchange.ask(command("E"), isUltima() ? 4 : kPositionLength,
                                                      ReplyEnd::endingIn(kEnd, kPositionLength));
    if (!reply.ok)
        return noResponse(isUltima() ? "getUltimaRA: transaction error"
                                     : "getNexStarGPSRA: transaction error");
    std::optional<Position> position = parsePosition(reply.bytes);
    if (!position) {
        m_context.debug(
            [&] { return "getNexStarGPSRA: refused " + QString::fromLatin1(reply.bytes.toHex()); });
        return false;
    }
    // The raw reply is checked: precession would fold a point off the
    // sphere back onto it.
    if (!isOnSky(position->ra, position->dec))
        return noResponse(isUltima() ? "getUltimaRA: position off the sky"
                                     : "getNexStarGPSRA: position off the sky");
    if (isSynScan()) {
        const EquatorJ2000::Position date = EquatorJ2000::toDate(position->ra, position->dec, m_inputs.now());
        position = Position{date.ra, date.dec};
    }
    status.scopeRA = position->ra;
    status.scopeDec = position->dec;
    if (!isUltima() && !status.isSlewing) {
        m_gotoRA = position->ra;
        m_gotoDec = position->dec;
    }
    m_context.debug([&] {
        return isUltima()
            ? QString::asprintf("getUltimaRA: %.4f %.4f", position->ra, position->dec)
            : QString::asprintf("getNexStarGPSRA: %.3f%lc %.3f%lc", position->ra * Angles::kRadToDeg,
                                wint_t(0xB0), position->dec * Angles::kRadToDeg, wint_t(0xB0));
    });
    return true;
}

bool NexStarFamily::gotoPosition(double ra, double dec)
{
    slewDetect();
    if (m_context.status.isSlewing) {
        m_context.events.gotoRefusedWhileSlewing();
        return false;
    }
    double sentRA = ra;
    double sentDec = dec;
    if (isSynScan()) {
        if (std::abs(wrapDifference(ra - m_prevRA)) > kResetRadians
            || std::abs(dec - m_prevDec) > kResetRadians) {
            resetSynScanSync("gotoNexStarGPSRA: SynScan sync reset, goto past 10 deg");
        } else {
            sentRA = Angles::wrapTwoPi(ra + m_context.status.synScanRAError);
            sentDec = dec + m_context.status.synScanDecError;
            m_context.debug([&] {
                return QString::asprintf("gotoNexStarGPSRA: synScan goto adjusted RA:%.3f%lc, Dec%.4f%lc",
                                         sentRA * Angles::kRadToDeg, wint_t(0xB0),
                                         sentDec * Angles::kRadToDeg, wint_t(0xB0));
            });
        }
        m_prevRA = ra;
        m_prevDec = dec;
        const EquatorJ2000::Position j2000 = EquatorJ2000::fromDate(sentRA, sentDec, m_inputs.now());
        sentRA = j2000.ra;
        sentDec = j2000.dec;
    }
    const QByteArray out = command("R" + positionDigits(sentRA) + "," + positionDigits(sentDec));
    // The hand controller answers "#"; read it here so it cannot lead the next reply.
    const bool ok =
        isUltima() ? m_exchange.send(out) : m_exchange.ask(out, 1, ReplyEnd::endingIn(kEnd)).ok;
    if (!ok)
        return noResponse("gotoNexStarGPSRA: transaction error");
    m_context.status.isSlewing = true;
    m_context.debug([&] {
        return QString::asprintf(isUltima() ? "gotoUltimaRA: %.4f %.4f" : "gotoNexStarGPSRA: %.4f %.4f", ra,
                                 dec);
    });
    return true;
}

bool NexStarFamily::run(const PanelCommand& command)
{
    switch (command.operation) {
    case MountOperation::Slew:
        return slewNexStar(command.code, command.flag & kSlewFlagStop, command.flag & kSlewFlagOption);
    case MountOperation::SlewSpeed: m_slewSpeed = command.code; return true;
    case MountOperation::Mode: m_trackMode = command.code; return trackModeNexStar(command.code);
    case MountOperation::Sync:
        if (command.flag != 0)
            return syncNexStar();
        resetSynScanSync("syncNexStar: manual reset");
        return true;
    default: return false;
    }
}

bool NexStarFamily::passThrough(char motor, char direction, char rate)
{
    const QByteArray out{"P\x02", 2};
    const bool ok =
        m_exchange.ask(out + motor + direction + rate + QByteArray(3, '\0'), 1, ReplyEnd::endingIn(kEnd)).ok;
    return ok || noResponse("slewNexStar: transaction error");
}

bool NexStarFamily::slewNexStar(int direction, bool stop, bool option)
{
    if (direction == kStopAll) {
        // Rate 0 stops the motors' own slews; only Cancel GOTO ends a goto.
        // Every command of the stop goes out, whichever reply was late or
        // lost: one left out leaves the mount moving.
        bool ok = true;
        if (!isUltima() && !m_exchange.ask("M", 1, ReplyEnd::endingIn(kEnd)).ok)
            ok = noResponse("slewNexStar: cancel goto transaction error");
        ok = passThrough(kMotorAltitude, kPositive, 0) && ok;
        ok = passThrough(kMotorAzimuth, kPositive, 0) && ok;
        // A SynScan is never asked its tracking mode.
        if (ok && m_protocol == kProtocolNexStarGPS)
            getTrackModeNexStarOnly();
        return ok;
    }
    if (direction < kSlewNorth || direction > 4)
        return false;
    static constexpr std::array kRates{7, 5, 3};
    int rate = m_slewSpeed >= 0 && m_slewSpeed < 3 ? kRates[std::size_t(m_slewSpeed)] : 1;
    rate += option ? 1 : 0;
    if (stop)
        rate = 0;
    const bool northSouth = direction <= 2;
    const bool positive = direction == 1 || direction == 4;
    return passThrough(northSouth ? kMotorAltitude : kMotorAzimuth, positive ? kPositive : kNegative,
                       char(rate));
}

bool NexStarFamily::trackModeNexStar(int mode)
{
    if (m_protocol != kProtocolNexStarGPS || mode < 0 || mode > 3)
        return false;
    if (!m_exchange.ask(QByteArray("T") + char(mode), 1, ReplyEnd::endingIn(kEnd)).ok)
        return noResponse("trackModeNexStar: transaction error");
    emit m_context.events.panelSetting(MountPanelSetting::NexStarMode, m_trackMode);
    return true;
}

bool NexStarFamily::getTrackModeNexStarOnly()
{
    const MountExchange::Reply reply = m_exchange.ask("t", 2, ReplyEnd::endingIn(kEnd, 2));
    if (!reply.ok)
        return false;
    const int mode = reply.bytes.at(1) == kEnd ? quint8(reply.bytes.at(0)) : 4;
    m_trackMode = mode <= 3 ? mode : 4;
    if (m_trackMode != 4)
        emit m_context.events.panelSetting(MountPanelSetting::NexStarMode, m_trackMode);
    return true;
}

void NexStarFamily::getTrackModeNexStar()
{
    m_trackMode = 2;
    if (!getTrackModeNexStarOnly()) {
        m_context.debug("getTrackModeNexStar: transaction error");
        emit m_context.events.panelSetting(MountPanelSetting::NexStarMode, 2);
        return;
    }
    if (!m_context.debug.isOn())
        return;
    m_context.debug(QString("NexStarTrackMode: %1").arg(modeName(m_trackMode)));
    const MountExchange::Reply version = m_exchange.ask("V", 3, ReplyEnd::endingIn(kEnd, 3));
    if (version.ok)
        m_context.debug(
            QString("NexStarVersion: %1.%2").arg(quint8(version.bytes[0])).arg(quint8(version.bytes[1])));
    const MountExchange::Reply model = m_exchange.ask("m", 2, ReplyEnd::endingIn(kEnd, 2));
    if (model.ok)
        m_context.debug("NexStarModel: " + modelName(quint8(model.bytes[0])));
}

void NexStarFamily::setOffsetsKept(bool kept)
{
    emit m_context.events.panelSetting(MountPanelSetting::SynScanSync, kept ? 1 : 0);
    emit m_context.events.redrawRequested();
}

void NexStarFamily::resetSynScanSync(const char* line)
{
    m_context.status.synScanRAError = 0.0;
    m_context.status.synScanDecError = 0.0;
    m_context.debug(line);
    setOffsetsKept(false);
}

bool NexStarFamily::syncNexStar()
{
    const std::optional<FamilyInputs::Target> object = m_inputs.trackedObject();
    if (!object) {
        emit m_context.events.alertRequested("Command+click on the sync object first.", " ");
        m_context.debug("syncNexStar: no tracking star");
        return false;
    }
    if (m_protocol == kProtocolNexStarGPS) {
        const QByteArray out = "S" + positionDigits(object->ra) + "," + positionDigits(object->dec);
        if (!m_exchange.ask(out, 1, ReplyEnd::endingIn(kEnd)).ok)
            return noResponse("syncNexStar: transaction error");
        m_context.debug(QString::asprintf("syncNexStar: %.4f %.4f", object->ra, object->dec));
        return true;
    }
    if (!isSynScan())
        return false;
    if (!readPosition()) {
        resetSynScanSync("syncNexStar: getRA failed, sync error reset");
        return false;
    }
    const double raError = wrapDifference(m_gotoRA - object->ra);
    const double decError = m_gotoDec - object->dec;
    if (std::abs(raError) > kSyncLimitRadians || std::abs(decError) > kSyncLimitRadians) {
        resetSynScanSync("syncNexStar: syncError >5 deg, sync error reset");
        return false;
    }
    m_context.status.synScanRAError = raError;
    m_context.status.synScanDecError = decError;
    m_context.debug([&] {
        return QString::asprintf("syncNexStar: synScan adjust calculated RA:%.3f%lc, Dec%.3f%lc",
                                 raError * Angles::kRadToDeg, wint_t(0xB0), decError * Angles::kRadToDeg,
                                 wint_t(0xB0));
    });
    setOffsetsKept(true);
    return true;
}
