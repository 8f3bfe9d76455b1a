#include "mount/families/IOptronFamily.h"

#include "model/Angles.h"
#include "model/Sexagesimal.h"
#include "mount/DebugWriter.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeStatus.h"
#include "mount/families/SkyPosition.h"

#include <cmath>

namespace {

constexpr qsizetype kLongestReply = 64;
constexpr char kEnd = '#';

// Each reply is read to its documented end, so that a reply the mount
// pauses in never leaves its tail to answer the next command.
// A digit: "1" accepted, or a code ("0".."3").
const ReplyEnd kDigit = ReplyEnd::length(1);
// ":MS#": "0" when the goto starts, else "1" and a message up to '#'.
const ReplyEnd kGotoStart{[](QByteArrayView got) {
                              return (!got.isEmpty() && got[0] == '0') || got.contains(kEnd);
                          },
                          0};
// The iOptron's ":SC": 32 blanks and '#', twice.
constexpr int kDateTerminators = 2;

// The LX200 reply tokens: split at ':' '#' 0xDF '\'' blank '*'.
QList<QByteArray> tokens(const QByteArray& reply)
{
    QList<QByteArray> out;
    QByteArray token;
    for (const char c : reply) {
        if (c == ':' || c == kEnd || c == '\xDF' || c == '\'' || c == ' ' || c == '*') {
            if (!token.isEmpty())
                out.append(token);
            token.clear();
        } else {
            token += c;
        }
    }
    if (!token.isEmpty())
        out.append(token);
    return out;
}

std::optional<double> numberIn(const QList<QByteArray>& fields, qsizetype index, double most, bool integer)
{
    if (index >= fields.size())
        return std::nullopt;
    bool ok = false;
    const double value = integer ? fields[index].toInt(&ok) : fields[index].toDouble(&ok);
    if (!ok || !(std::abs(value) <= most))
        return std::nullopt;
    return value;
}

QByteArray blanksAsZeros(QByteArray reply, bool iEQ45)
{
    if (iEQ45)
        reply.replace(' ', '0');
    return reply;
}

}  // namespace

IOptronFamily::IOptronFamily(int protocol, const MountContext& context, FamilyInputs inputs)
    : m_protocol(protocol), m_context(context), m_inputs(std::move(inputs)), m_exchange(context.serial, context.betweenExchanges)
{
}

bool IOptronFamily::isIEQ45() const
{
    return m_protocol == kProtocolIEQ45;
}

bool IOptronFamily::noResponse(const QString& line, bool beep)
{
    m_context.status.isNoResponse = true;
    m_context.debug(line);
    if (beep)
        emit m_context.events.beepRequested();
    return false;
}

bool IOptronFamily::ask1(const QByteArray& command, const char* failure, bool beep)
{
    return m_exchange.ask(command, 1, kDigit).ok || noResponse(failure, beep);
}

bool IOptronFamily::send(const QByteArray& command, const char* failure, bool beep)
{
    return m_exchange.send(command) || noResponse(failure, beep);
}

std::optional<double> IOptronFamily::parseHours(QByteArray reply, bool iEQ45)
{
    if (reply.size() >= kLongestReply)
        return std::nullopt;
    const QList<QByteArray> fields = tokens(blanksAsZeros(reply, iEQ45));
    const std::optional<double> hours = numberIn(fields, 0, 24.0, iEQ45);
    const std::optional<double> minutes = numberIn(fields, 1, 60.0, iEQ45);
    const std::optional<double> seconds = numberIn(fields, 2, 60.0, iEQ45);
    if (!hours || !minutes || !seconds || *hours < 0.0 || *minutes < 0.0 || *seconds < 0.0)
        return std::nullopt;
    return *hours + (*minutes + *seconds / 60.0) / 60.0;
}

std::optional<double> IOptronFamily::parseDegrees(QByteArray reply, bool iEQ45, bool* usesStar)
{
    if (reply.size() >= kLongestReply)
        return std::nullopt;
    const QByteArray text = reply.trimmed();
    const bool negative = text.startsWith('-');
    if (usesStar && reply.contains('*'))
        *usesStar = true;
    const QList<QByteArray> fields = tokens(blanksAsZeros(text, iEQ45));
    const std::optional<double> degrees = numberIn(fields, 0, 90.0, iEQ45);
    const std::optional<double> minutes = numberIn(fields, 1, 60.0, iEQ45);
    if (!degrees || !minutes || *minutes < 0.0)
        return std::nullopt;
    double seconds = 0.0;
    if (fields.size() > 2) {
        const std::optional<double> s = numberIn(fields, 2, 60.0, iEQ45);
        if (!s || *s < 0.0)
            return std::nullopt;
        seconds = *s;
    }
    const double value = std::abs(*degrees) + *minutes / 60.0 + seconds / 3600.0;
    return negative || *degrees < 0.0 ? -value : value;
}

bool IOptronFamily::connect()
{
    return isIEQ45() ? connectIEQ45() : connectIOptron();
}

bool IOptronFamily::connectIOptron()
{
    m_context.debug("start iOptron connect sequence");
    const MountExchange::Reply type = m_exchange.ask(":GAM#", 1, kDigit);
    if (!type.ok)
        return noResponse("get iOptron mount type failed");
    static const char* kTypes[] = {"Alt/Az", "Fork", "GEM"};
    const int typeCode = type.bytes.at(0) - '0';
    m_isPolar = typeCode != 0;
    m_context.debug(QString("get iOptron mount type: %1")
                        .arg(typeCode >= 0 && typeCode <= 2 ? kTypes[typeCode] : "Unknown"));
    const MountExchange::Reply rate = m_exchange.ask(":GTR#", 1, kDigit);
    if (!rate.ok)
        return noResponse("get iOptron track mode failed");
    const int trackCode = rate.bytes.at(0) - '0';
    if (trackCode < 0 || trackCode > 2)
        return false;
    m_trackMode = trackCode;
    const MountExchange::Reply guide = m_exchange.ask(":GGS#", 1, kDigit);
    if (!guide.ok)
        return noResponse("get iOptron guide rate failed");
    const int guideCode = guide.bytes.at(0) - '0';
    if (guideCode < 0 || guideCode > 3)
        return false;
    m_guideRate = guideCode;
    m_context.status.usesStar = true;
    m_slewSpeed = 0;
    return true;
}

bool IOptronFamily::connectIEQ45()
{
    m_context.debug("start iOptron iEQ45/ZEQ25 connect sequence");
    const MountExchange::Reply version = m_exchange.ask(":V#", 1, ReplyEnd::endingIn(kEnd));
    if (!version.ok) {
        m_context.debug(
            QString("connectiEQ45/ZEQ25 connect: transaction version error %1").arg(version.count));
        return false;
    }
    const MountExchange::Reply mount = m_exchange.ask(":MountInfo#", 4, ReplyEnd::length(4));
    if (!mount.ok)
        return noResponse(QString("connectiEQ45/ZEQ25 connect: transaction mount error %1").arg(mount.count));
    m_context.debug("connectiEQ45/ZEQ25 mount " + QString::fromLatin1(mount.bytes));
    return true;
}

bool IOptronFamily::slewDetect()
{
    if (isIEQ45()) {
        m_context.status.isSlewing = false;
        return false;
    }
    // The flag changes only on an answer.
    const MountExchange::Reply reply = m_exchange.ask(":SE?#", 1, kDigit);
    if (!reply.ok)
        return noResponse("slewIOptronDetect: transaction error");
    m_context.status.isSlewing = reply.bytes.at(0) == '1';
    m_context.debug(m_context.status.isSlewing ? "slewIOptronDetect: is slewing"
                                               : "slewIOptronDetect: not slewing");
    return true;
}

bool IOptronFamily::readPosition()
{
    ScopeStatus& status = m_context.status;
    const bool iEQ45 = isIEQ45();
    const char* failure = iEQ45 ? "iEQ45: transaction error" : "getIOptronRA: transaction error";
    if (iEQ45) {
        status.isNoResponse = true;
        // Never asked whether it slews, the iEQ45 counts as standing once
        // polled: a goto's flag left set would drop every later goto.
        status.isSlewing = false;
    } else if (status.isSlewing) {
        slewDetect();
    }
    const MountExchange::Reply ra = m_exchange.ask(":GR#", iEQ45 ? 9 : 5, ReplyEnd::endingIn(kEnd));
    if (!ra.ok)
        return noResponse(failure);
    const MountExchange::Reply dec = m_exchange.ask(":GD#", iEQ45 ? 10 : 5, ReplyEnd::endingIn(kEnd));
    if (!dec.ok)
        return noResponse(failure);
    bool star = false;
    const std::optional<double> hours = parseHours(ra.bytes, iEQ45);
    const std::optional<double> degrees = parseDegrees(dec.bytes, iEQ45, &star);
    const double raRadians = hours ? *hours * 15.0 * Angles::kDegToRad : -1.0;
    const double decRadians = degrees ? *degrees * Angles::kDegToRad : 0.0;
    if (!hours || !degrees || !isOnSky(raRadians, decRadians))
        return noResponse("refused position " + QString::fromLatin1(ra.bytes + " " + dec.bytes));
    if (star)
        status.usesStar = true;
    status.scopeRA = raRadians;
    status.scopeDec = decRadians;
    status.isNoResponse = false;
    return true;
}

bool IOptronFamily::gotoPosition(double ra, double dec)
{
    slewDetect();
    if (m_context.status.isSlewing) {
        m_context.events.gotoRefusedWhileSlewing();
        return false;
    }
    const bool iEQ45 = isIEQ45();
    const double hours = Angles::wrapTwoPi(ra) * Angles::kRadToDeg / 15.0;
    QByteArray raCommand;
    if (iEQ45) {
        const Sexagesimal hms = Sexagesimal::truncated(hours);
        raCommand = commandText(":Sr %02d:%02d:%02d#", hms.whole, hms.minutes, hms.seconds);
    } else {
        // Truncated once as tenths of a second: truncating the whole seconds
        // apart sent 4h as 03:59:60.0.
        constexpr qint64 kTenthsPerDay = 24 * 36000;
        const qint64 tenths = qint64(std::trunc(hours * 36000.0 + 1e-6)) % kTenthsPerDay;
        raCommand = commandText(":Sr %02d:%02d:%04.1f#", int(tenths / 36000), int(tenths / 600 % 60),
                                double(tenths % 600) / 10.0);
    }
    const Sexagesimal dms = Sexagesimal::truncated(std::abs(dec * Angles::kRadToDeg));
    const QByteArray decCommand =
        commandText(":Sd %c%02d*%02d:%02d#", dec < 0.0 ? '-' : '+', dms.whole, dms.minutes, dms.seconds);
    const QString name = iEQ45 ? "gotoIEQ45RA" : "gotoIOptronRA";
    // A step the mount does not answer, or answers otherwise, fails the goto.
    const struct {
        QByteArray command;
        char accepted;
        const char* what;
        const ReplyEnd& end;
    } steps[] = {{raCommand, '1', "ra", kDigit},
                 {decCommand, '1', "dec", kDigit},
                 {":MS#", iEQ45 ? '1' : '0', "MS", iEQ45 ? kDigit : kGotoStart}};
    for (const auto& step : steps) {
        const MountExchange::Reply reply = m_exchange.ask(step.command, 1, step.end);
        if (!reply.ok)
            return noResponse(QString("%1: %2 transaction error: %3").arg(name, step.what).arg(reply.count));
        if (reply.bytes.at(0) != step.accepted)
            return noResponse(QString("%1: %2 refused").arg(name, step.what));
    }
    m_context.status.isSlewing = true;
    m_context.status.isNoResponse = false;
    return true;
}

bool IOptronFamily::slew(int code)
{
    // 3 is west and 4 east on these mounts.
    static const char* kIOptron[] = {":Mn#", ":Ms#", ":Mw#", ":Me#", ":Q#"};
    static const char* kIEQ45[] = {":mn#", ":ms#", ":mw#", ":me#", ":q#"};
    if (code < kSlewNorth || code > kStopAll)
        return false;
    const bool iEQ45 = isIEQ45();
    return send((iEQ45 ? kIEQ45 : kIOptron)[code - 1],
                iEQ45 ? "slewiEQ45: transaction error" : "slewiOptron: transaction error", true);
}

bool IOptronFamily::slewSpeed(int code)
{
    if (isIEQ45()) {
        static const char* kCommands[] = {":SR8#",   ":SR6#",   ":SR4#",  ":SR2#",
                                          ":RG100#", ":RG050#", ":RG025#"};
        if (code < 10 || code > 16)
            return false;
        return send(kCommands[code - 10], "slewSpeediEQ45: transaction error");
    }
    if (!send(code < 15 ? ":RC#" : ":RG#", "slewSpeedIOptron set mode: transaction error"))
        return false;
    if (code >= 10 && code <= 13) {
        m_slewSpeed = 13 - code;
        return send(commandText(":RC%d#", m_slewSpeed), "slewSpeedIOptron: transaction error");
    }
    if (code >= 15 && code <= 18) {
        m_guideRate = code - 15;
        return send(commandText(":SGS%d#", m_guideRate), "slewSpeedIOptron: transaction error");
    }
    return true;
}

bool IOptronFamily::track(int code)
{
    static const char* kCommands[] = {":RT0#", ":RT2#", ":RT1#", ":RT3#"};
    if (code < 25 || code > 28)
        return false;
    return send(kCommands[code - 25], "Track iEQ45: transaction error");
}

bool IOptronFamily::park(int code)
{
    if (code == 21)
        return ask1(":PK#", "parkIOptron: transaction error");
    if (code < 22 || code > 26)
        return false;
    return ask1(commandText(":STPKP%d#", code - 22), "parkIOptron position: transaction error");
}

bool IOptronFamily::setup(int code)
{
    switch (code) {
    case 31:
        if (isIEQ45())
            return ask1(":CM#", "setup iEQ45: transaction error");
        return m_exchange.ask(":CM#", 5, ReplyEnd::endingIn(kEnd, 5)).ok
            || noResponse("setupIOptron: transaction error");
    case 32: return dateIOptron();
    case 33: return siteIOptron();
    case 34: return isIEQ45() && ask1(":MH#", "setup iEQ45: transaction error");
    default: return false;
    }
}

QList<QByteArray> IOptronFamily::dateCommands(const QDateTime& moment)
{
    const int hours = moment.offsetFromUtc() / 3600;
    return {":SC " + moment.toString("MM/dd/yy").toLatin1() + "#",
            ":SL " + moment.toString("HH:mm:ss").toLatin1() + "#", commandText(":SG %+03d#", hours)};
}

bool IOptronFamily::dateIOptron()
{
    constexpr qsizetype kCommands = 3;
    for (qsizetype i = 0; i < kCommands; ++i) {
        // The clock is read for each command as it goes: the date's answer
        // may take a while, and the time must be the time it is sent.
        const QByteArray command = dateCommands(m_inputs.now())[i];
        m_context.debug("dateIOptron: " + QString::fromLatin1(command));
        const bool isDate = i == 0 && !isIEQ45();
        const bool ok = isDate ? m_exchange.ask(command, 1, ReplyEnd::terminator(kEnd, kDateTerminators)).ok
                               : m_exchange.ask(command, 1, kDigit).ok;
        if (!ok)
            return noResponse(i < 2 ? "dateIOptron: transaction error"
                                    : "dateIOptron iOptron utc offset: transaction error",
                              i < 2);
    }
    return true;
}

QByteArray IOptronFamily::latitudeText(double degrees)
{
    const Sexagesimal dms = Sexagesimal::rounded(std::abs(degrees));
    return commandText("%c%02d*%02d:%02d", degrees < 0.0 ? '-' : '+', dms.whole, dms.minutes, dms.seconds);
}

QByteArray IOptronFamily::longitudeText(double eastDegrees)
{
    // East positive, into (−180, 180]: the mounts take no other form.
    double east = std::remainder(eastDegrees, 360.0);
    if (east <= -180.0)
        east += 360.0;
    const Sexagesimal dms = Sexagesimal::rounded(std::abs(east));
    return commandText("%c%03d*%02d:%02d", east < 0.0 ? '-' : '+', dms.whole, dms.minutes, dms.seconds);
}

bool IOptronFamily::siteIOptron()
{
    const QByteArray latitude = ":St " + latitudeText(m_inputs.latitude()) + "#";
    const QByteArray longitude = ":Sg " + longitudeText(m_inputs.longitude()) + "#";
    m_context.debug("siteIOptron: " + QString::fromLatin1(latitude + longitude));
    return ask1(latitude, "siteIOptron lat: transaction error", true)
        && ask1(longitude, "siteIOptron long: transaction error", true);
}

bool IOptronFamily::run(const PanelCommand& command)
{
    switch (command.operation) {
    // A stop of one direction stops the mount: these mounts have no stop by axis.
    case MountOperation::Slew: return slew(command.flag & kSlewFlagStop ? kStopAll : command.code);
    case MountOperation::SlewSpeed: return slewSpeed(command.code);
    case MountOperation::Park: return !isIEQ45() && park(command.code);
    case MountOperation::Track: return isIEQ45() && track(command.code);
    case MountOperation::Setup: return setup(command.code);
    default: return false;
    }
}
