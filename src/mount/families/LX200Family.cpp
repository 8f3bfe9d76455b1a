#include "mount/families/LX200Family.h"

#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeStatus.h"
#include "mount/SerialControl.h"
#include "mount/families/LX200Reply.h"
#include "mount/families/SkyPosition.h"
#include "platform/AppTimeZone.h"

#include <numbers>

namespace {

constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kTrue = '1';
constexpr char kZero = '0';
constexpr char kEnd = '#';
constexpr char kDegreeSign = char(0xDF);
constexpr int kBusyRetries = 3;
constexpr std::chrono::milliseconds kBusyPause{100};
// Gemini's object name follows the coordinates after this pause.
constexpr int kNameTicks = 10;
constexpr qsizetype kGotoNameLength = 10;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// `:MS#` answers `0`, or a digit and a message up to `#`.
const ReplyEnd kGotoEnd{[](QByteArrayView got) {
                            return (!got.isEmpty() && (got[0] == kZero || got[0] == kNak))
                                   || got.contains(kEnd);
                        },
                        0};
// `:D#` answers bars up to `#`; a busy LX200 GPS a lone NAK.
const ReplyEnd kSlewQueryEnd{[](QByteArrayView got) {
                                 return (got.size() == 1 && got[0] == kNak) || got.contains(kEnd);
                             },
                             0};

}  // namespace

LX200Family::LX200Family(int protocol, const MountContext& context)
    : m_protocol(protocol), m_context(context), m_exchange(context.serial, context.betweenExchanges)
{
    for (PulseAxis* axis : {&m_ew, &m_ns}) {
        axis->timer = std::make_unique<QTimer>();
        const bool eastWest = axis == &m_ew;
        axis->timer->callOnTimeout([this, eastWest] { pgCalRepeatTimer(eastWest); });
    }
}

LX200Family::~LX200Family() = default;

char LX200Family::Reply::firstNonBlank() const
{
    for (const char c : bytes) {
        if (c != ' ')
            return c;
    }
    return 0;
}

LX200Family::Reply LX200Family::ask(const QByteArray& command, quint16 expected,
                                    const ReplyEnd& end, bool retryBusy)
{
    for (int attempt = 0;; ++attempt) {
        MountExchange::Reply answer = m_exchange.ask(command, expected, end);
        Reply reply{answer.ok, answer.count, std::move(answer.bytes)};
        const bool busy = reply.ok && reply.bytes.startsWith(kNak);
        if (!busy || !retryBusy || m_protocol != kProtocolLX200GPS || attempt == kBusyRetries)
            return reply;
        m_context.debug([&] { return "LX200 busy, again: " + QString::fromLatin1(command); });
        m_context.timing.pause(kBusyPause);
    }
}

bool LX200Family::send(const QByteArray& command)
{
    return m_exchange.send(command);
}

void LX200Family::pause(int ticks) const
{
    m_context.timing.pause(ticks * m_context.timing.tick);
}

QDateTime LX200Family::now() const
{
    return m_context.now ? m_context.now() : AppTimeZone::now();
}

void LX200Family::fail(const char* line, bool beep)
{
    m_context.status.isNoResponse = true;
    if (beep)
        emit m_context.events.beepRequested();
    m_context.debug(line);
}

char LX200Family::separator() const
{
    return m_protocol == kProtocolAstroPhysics || m_context.status.usesStar ? '*' : kDegreeSign;
}

bool LX200Family::connect()
{
    switch (m_protocol) {
    case kProtocolLX200:
    case kProtocolLX200GPS:
        return connectLX200();
    case kProtocolAstroPhysics:
        return connectAP();
    default:
        // Meade Basic has no handshake: the open port is the connection.
        return true;
    }
}

bool LX200Family::connectLX200()
{
    m_context.status.usesStar = false;
    const Reply reply = ask(QByteArray(1, kAck), 1, ReplyEnd::length(1));
    if (!reply.ok) {
        m_context.debug([&] { return QString("connectLX200: no response error %1").arg(reply.count); });
        return false;
    }
    for (const char c : reply.bytes) {
        if (c == 'A' || c == 'G' || c == 'L')
            return true;
        if (c == 'P') {
            m_isPolar = true;
            return true;
        }
    }
    return false;
}

bool LX200Family::connectAP()
{
    m_context.debug("start AP connect sequence");
    if (!ask(":V#", 2, ReplyEnd::terminator(kEnd)).ok) {
        m_context.debug("get AP version failed");
        return false;
    }
    send(":U#");
    m_longFormat = true;
    m_isPolar = true;
    return true;
}

bool LX200Family::readPosition()
{
    ScopeStatus& status = m_context.status;
    if (status.isSlewing)
        slewDetect();
    const Reply ra = ask(":GR#", 5, ReplyEnd::terminator(kEnd));
    if (!ra.ok)
        return fail("getLX200RA: transaction error", false), false;
    if (ra.count > LX200Reply::kLongestReply)
        return fail("getLX200RA: transcount > 64", false), false;
    const std::optional<LX200Reply::RightAscension> hours = LX200Reply::parseRA(ra.bytes);
    if (!hours)
        return fail("getLX200RA: RA reply refused", false), false;
    m_longFormat = hours->longFormat;

    const Reply dec = ask(":GD#", 5, ReplyEnd::terminator(kEnd));
    if (!dec.ok)
        return fail("getLX200RA: transaction error", false), false;
    if (dec.count > LX200Reply::kLongestReply)
        return fail("getLX200RA: transcount > 64", false), false;
    const std::optional<LX200Reply::Declination> degrees =
        LX200Reply::parseDec(dec.bytes, hours->longFormat);
    if (!degrees)
        return fail("getLX200RA: Dec reply refused", false), false;
    if (degrees->usesStar)
        status.usesStar = true;

    const double raRadians = hours->hours * 15.0 / kDegreesPerRadian;
    const double decRadians = degrees->degrees / kDegreesPerRadian;
    if (!isOnSky(raRadians, decRadians))
        return fail("getLX200RA: position off the sky", false), false;
    status.scopeRA = raRadians;
    status.scopeDec = decRadians;
    status.isNoResponse = false;
    m_context.debug([&] {
        return QString::asprintf("LX200 Poll RA: %.2f Dec: %.2f", hours->hours * 15.0,
                                 degrees->degrees);
    });
    return true;
}

bool LX200Family::gotoPosition(double ra, double dec)
{
    slewDetect();
    if (m_context.status.isSlewing) {
        m_context.events.gotoRefusedWhileSlewing();
        return false;
    }
    const bool longFormat = m_longFormat;
    const QByteArray raCommand = LX200Reply::raCommand(ra, longFormat);
    m_context.debug([&] { return "LX200 GOTO RA: " + QString::fromLatin1(raCommand); });
    const Reply raReply = ask(raCommand, 1, ReplyEnd::length(1));
    if (!raReply.ok || raReply.firstNonBlank() != kTrue)
        return fail("gotoLX200RA: not kLX200True"), false;

    const QByteArray decCommand = LX200Reply::decCommand(dec, longFormat, separator());
    m_context.debug([&] { return "LX200 GOTO Dec: " + QString::fromLatin1(decCommand); });
    const Reply decReply = ask(decCommand, 1, ReplyEnd::length(1));
    if (!decReply.ok || decReply.firstNonBlank() != kTrue)
        return fail("gotoLX200RA: not kLX200True"), false;

    if (m_protocol == kProtocolGemini && m_context.status.isGeminiLevel4 && m_context.finderTrack) {
        // The name as the main thread copied it: the settings are not the worker's to read.
        QByteArray name = m_context.finderTrack().name.toLatin1().left(kGotoNameLength);
        for (char& c : name) {
            if (uchar(c) > 127)
                c = '?';
        }
        pause(kNameTicks);
        send(":ON" + name + "#");
    }

    m_context.debug("LX200 GOTO: :MS#");
    const Reply go = ask(":MS#", 1, kGotoEnd);
    if (!go.ok || go.firstNonBlank() != kZero)
        return fail("gotoLX200RA: not kLX200Zero"), false;
    m_context.status.isSlewing = true;
    m_context.status.isNoResponse = false;
    m_context.debug([&] { return QString::asprintf("gotoLX200RA: %.4f %.4f", ra, dec); });
    return true;
}

bool LX200Family::slewDetect()
{
    if (m_protocol != kProtocolLX200 && m_protocol != kProtocolLX200GPS) {
        m_context.status.isSlewing = false;
        return false;
    }
    // NAK here is the design's "slewing", not a reason to ask again.
    const Reply reply = ask(":D#", 1, kSlewQueryEnd, false);
    // The flag changes only on an answer: the main thread never sees "not
    // slewing" while the question is out or after it went unanswered.
    if (!reply.ok) {
        m_context.debug("slewLX200Detect: transaction error");
        return false;
    }
    // A Classic draws bars of 0xFF, the others 0x7F or NAK: any mark before
    // the `#` means the mount still slews.
    bool slewing = false;
    for (const char c : reply.bytes) {
        if (c == kEnd)
            break;
        if (c != ' ') {
            slewing = true;
            m_context.debug("slewLX200Detect: is slewing");
            break;
        }
    }
    m_context.status.isSlewing = slewing;
    return true;
}

bool LX200Family::run(const PanelCommand& command)
{
    switch (command.operation) {
    case MountOperation::Slew:
        return command.flag == 1 ? slewStopLX200(command.code) : slewLX200(command.code);
    case MountOperation::SlewSpeed:
        return slewSpeedLX200(command.code);
    case MountOperation::Focus:
        return focusLX200(command.code);
    case MountOperation::FocusSpeed:
        return focusSpeedLX200(command.code);
    case MountOperation::Command:
        return commandLX200(command.code);
    case MountOperation::SetDate:
        return setLX200Date();
    case MountOperation::SetSite:
        return setLX200Site();
    case MountOperation::GetSite:
        return getLX200Site();
    case MountOperation::SetBaudRate:
        return setLX200BuadRate(command.code);
    case MountOperation::PulseGuide:
        return pulseGuideLX200(command.flag == 1, command.code);
    default:
        return false;
    }
}
