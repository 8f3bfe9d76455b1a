#include "mount/families/LX200Family.h"

#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeStatus.h"
#include "mount/SerialControl.h"

#include <cstdlib>
#include <numbers>

namespace {

constexpr char kTrue = '1';
constexpr char kEnd = '#';
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
// A park leaves the mount this long before the port closes.
constexpr int kParkTicks = 15;
// Pulses: the mount takes at most 9999 ms in one command; a longer pulse is
// sent again in equal parts; one shorter than 51 ms stops pending resends.
constexpr int kLongestPulse = 9999;
constexpr int kPulseSplit = 10000;
constexpr int kKillRepeatBelow = 51;

struct Labelled {
    const char* command;
    const char* label;
};

constexpr Labelled kSlews[] = {
    {":Mn#", "slewLX200: kLX200n"}, {":Ms#", "slewLX200: kLX200s"},
    {":Me#", "slewLX200: kLX200e"}, {":Mw#", "slewLX200: kLX200w"},
    {":Q#", "slewLX200: kLX200Q"}};
constexpr Labelled kStops[] = {
    {":Qn#", "slewStopLX200: kLX200n"}, {":Qs#", "slewStopLX200: kLX200s"},
    {":Qe#", "slewStopLX200: kLX200e"}, {":Qw#", "slewStopLX200: kLX200w"}};
constexpr Labelled kSpeeds[] = {
    {":RS#", "slewSpeedLX200: kLX200S"}, {":RM#", "slewSpeedLX200: kLX200M"},
    {":RC#", "slewSpeedLX200: kLX200C"}, {":RG#", "slewSpeedLX200: kLX200G"}};
constexpr Labelled kFocus[] = {
    {":F+#", "focusLX200: kLX200Plus"}, {":F-#", "focusLX200: kLX200Minus"},
    {":FQ#", "focusLX200: kLX200Q"}};

struct BaudChoice {
    int tag;
    char digit;
    long baud;
};
constexpr BaudChoice kBauds[] = {{41, '8', 2400},  {42, '7', 4800},  {43, '6', 9600},
                                 {44, '4', 19200}, {45, '2', 38400}, {46, '1', 57600}};
constexpr BaudChoice kBaudOther{43, '6', 9600};

}  // namespace

bool LX200Family::slewLX200(int code)
{
    if (code < kSlewNorth || code > kStopAll)
        return false;
    const Labelled& slew = kSlews[code - kSlewNorth];
    m_context.debug(slew.label);
    if (!send(slew.command))
        return fail("slewLX200: transaction error"), false;
    if (code != kStopAll)
        return fixedPulse();
    return true;
}

bool LX200Family::fixedPulse()
{
    const int ticks = m_context.status.fixedPulseTicks;
    if (ticks <= 0)
        return true;
    const bool gemini = m_protocol == kProtocolGemini;
    if (!gemini && !m_context.status.isPanelLocked)
        return true;
    pause(ticks);
    m_context.debug(gemini ? "slewGemini: Pulse" : "slewLX200: Pulse");
    const bool sent = send(":Q#");
    if (gemini)
        m_context.status.isNoResponse = false;
    else
        emit m_context.events.slewButtonsOff();
    return sent;
}

bool LX200Family::slewStopLX200(int code)
{
    if (code < kSlewNorth || code >= kStopAll)
        return false;
    m_context.debug(kStops[code - kSlewNorth].label);
    return send(kStops[code - kSlewNorth].command);
}

bool LX200Family::slewSpeedLX200(int code)
{
    constexpr int kFastest = 10;
    if (code < kFastest || code > kFastest + 3)
        return false;
    m_context.debug(kSpeeds[code - kFastest].label);
    return send(kSpeeds[code - kFastest].command);
}

bool LX200Family::focusLX200(int code)
{
    constexpr int kIn = 20;
    if (code < kIn || code > kIn + 2)
        return false;
    m_context.debug(kFocus[code - kIn].label);
    return send(kFocus[code - kIn].command);
}

bool LX200Family::focusSpeedLX200(int code)
{
    switch (code) {
    case 25:
        return send(":FF#");
    case 26:
        if (m_protocol == kProtocolGemini)
            return send(":FM#");
        if (m_protocol == kProtocolLX200GPS)
            return send(":F3#");
        return false;
    case 27:
        return send(":F2#");
    case 28:
        return send(":FS#");
    default:
        return false;
    }
}

bool LX200Family::commandLX200(int code)
{
    constexpr int kSync = 30;
    constexpr int kPark = 31;
    constexpr int kPoleOrZenith = 32;
    constexpr int kGeminiSync = 35;
    m_context.status.isNoResponse = false;
    const bool ap = m_protocol == kProtocolAstroPhysics;
    switch (code) {
    case kSync:
        if (ap) {
            m_context.debug("commandAP: CMR");
            if (!ask(":CMR#", 32, ReplyEnd::terminator(kEnd)).ok)
                return fail("commandLX200: transaction error"), false;
            return true;
        }
        if (m_context.finderTrack && m_context.finderTrack().ra == -1.0) {
            emit m_context.events.alertRequested("Command+click on the sync object first.", " ");
            return false;
        }
        m_context.debug("commandLX200: CM");
        if (!ask(":CM#", 1, ReplyEnd::terminator(kEnd)).ok)
            return fail("commandLX200: transaction error"), false;
        return true;
    case kPark:
        m_context.debug(ap ? "commandAPPark: KA" : "commandLX200: hP");
        if (!send(ap ? ":KA#" : ":hP#"))
            return fail("commandLX200: transaction error"), false;
        pause(kParkTicks);
        m_context.status.isSlewing = false;
        m_context.status.usesStar = false;
        emit m_context.events.parked();
        return true;
    case kPoleOrZenith:
        return gotoPoleOrZenith();
    case kGeminiSync:
        if (m_protocol != kProtocolGemini)
            return false;
        m_context.debug("commandGemini: Cm");
        if (!ask(":Cm#", 1, ReplyEnd::terminator(kEnd)).ok)
            return fail("commandLX200: transaction error"), false;
        return true;
    default:
        return false;
    }
}

bool LX200Family::gotoPoleOrZenith()
{
    if (!m_context.skyDate || !m_context.prefs)
        return false;
    const double latitude = m_context.prefs->latitude();
    double dec = latitude;
    if (m_isPolar)
        dec = latitude >= 0.0 ? 90.0 : -90.0;
    return gotoPosition(m_context.skyDate->primeMeridian() * kRadiansPerDegree,
                        dec * kRadiansPerDegree);
}

bool LX200Family::setLX200BuadRate(int tag)
{
    if (m_protocol == kProtocolGemini)
        return false;
    BaudChoice choice = kBaudOther;
    for (const BaudChoice& entry : kBauds) {
        if (entry.tag == tag)
            choice = entry;
    }
    const Reply reply = ask(QByteArray(":SB") + choice.digit + '#', 1, ReplyEnd::length(1));
    if (!reply.ok || reply.firstNonBlank() != kTrue)
        return fail("setLX200BuadRate: not kLX200True"), false;
    m_context.serial.setBaudRate(choice.baud, kSerialSlotScope);
    m_context.status.baudRate = choice.baud;
    return true;
}

QByteArray LX200Family::pulseCommand(bool eastWest, bool positive, int duration) const
{
    const char direction = eastWest ? (positive ? 'e' : 'w') : (positive ? 'n' : 's');
    return QByteArray(":Mg") + direction + QByteArray::number(duration).rightJustified(4, '0')
           + '#';
}

bool LX200Family::pulseGuideLX200(bool eastWest, int milliseconds)
{
    if (m_protocol != kProtocolLX200GPS)
        return false;
    const int a = std::abs(milliseconds);
    m_isKillRepeat = a < kKillRepeatBelow;
    int duration = a;
    if (a >= kPulseSplit + 2) {
        PulseAxis& axis = eastWest ? m_ew : m_ns;
        axis.repeat = a / kPulseSplit + 1;
        duration = a / axis.repeat;
        axis.positive = milliseconds >= 0;
        axis.duration = duration;
        axis.timer->start(duration);
        m_context.debug([&] {
            return QString::asprintf("pulseGuideLX200: msVal= %d, pulse= %d, pgRepeat= %d time= %f",
                                     milliseconds, duration, axis.repeat, duration / 1000.0);
        });
    } else if (a >= kPulseSplit) {
        duration = kLongestPulse;
    }
    const QByteArray command = pulseCommand(eastWest, milliseconds >= 0, duration);
    m_context.debug([&] { return "pulseGuideLX200: " + QString::fromLatin1(command); });
    if (!send(command))
        return fail("pulseGuideLX200: transaction error"), false;
    return true;
}

void LX200Family::pgCalRepeatTimer(bool eastWest)
{
    PulseAxis& axis = eastWest ? m_ew : m_ns;
    --axis.repeat;
    if (axis.repeat < 1 || m_isKillRepeat) {
        axis.timer->stop();
        return;
    }
    const QByteArray command = pulseCommand(eastWest, axis.positive, axis.duration);
    m_context.debug([&] {
        return QString::asprintf(eastWest ? "pgCalEWRepeatTimer %s at pgRepeat= %d."
                                          : "pgCalNSRepeatTimer %s at pgRepeat= %d.",
                                 command.constData(), axis.repeat);
    });
    send(command);
}

int LX200Family::pulseRepeatInterval(bool eastWest) const
{
    const PulseAxis& axis = eastWest ? m_ew : m_ns;
    return axis.timer->isActive() ? axis.timer->interval() : 0;
}
