#include "mount/families/GeminiFamily.h"

#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeStatus.h"
#include "mount/families/GeminiFrame.h"
#include "mount/families/LX200Reply.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr char kAck = 0x06;
constexpr char kEnd = '#';
constexpr int kSettleTicks = 15;

constexpr int kSpeedModeId = 160;
constexpr int kTrackModeId = 130;
constexpr int kGuideSpeedId = 150;
constexpr int kCenterSpeedId = 170;
constexpr int kSlewSpeedId = 140;
constexpr int kSlewSpeedSecondId = 120;

// Panel codes 51..60 and the ids that set them (a get answers the same id).
constexpr std::array<int, 10> kModeIds = {161, 162, 163, 131, 135, 132, 133, 134, 136, 137};
constexpr int kFirstMode = 51;
constexpr int kFirstGuide = 62;   // 0.2 x sidereal
constexpr std::array<int, 7> kCenterSpeeds = {2, 4, 8, 16, 32, 64, 128};
constexpr int kFirstCenter = 71;
constexpr std::array<int, 7> kSlewSpeeds = {100, 200, 400, 600, 800, 1000, 1200};
constexpr int kFirstSlew = 81;

// The slew-speed radio after the handshake: guiding, centring, else slewing.
constexpr int kRadioGuide = 13;
constexpr int kRadioCenter = 11;
constexpr int kRadioSlew = 10;
constexpr int kStoredSites = 4;
constexpr qsizetype kSiteNameLength = 15;

// The date's answer, "1Updating Planetary Data#" and a line of blanks and
// `#`, in one reply, whether or not the mount pauses between the two.
const ReplyEnd kDateEnd{ReplyEnd::terminator(kEnd, 2).complete, 160};

int codeOf(int value, const std::array<int, 7>& values, int first)
{
    const auto it = std::find(values.begin(), values.end(), value);
    return it == values.end() ? 0 : first + int(it - values.begin());
}

// The number the answer starts with, as the mount follows it with its checksum.
int leadingNumber(QByteArrayView text)
{
    constexpr qsizetype kMostDigits = 6;
    int value = 0;
    for (qsizetype i = 0; i < std::min(text.size(), kMostDigits) && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + (text[i] - '0');
    return value;
}

QByteArray twoDigits(int value)
{
    return QByteArray::number(value).rightJustified(2, '0');
}

}  // namespace

GeminiFamily::GeminiFamily(const MountContext& context) : LX200Family(kProtocolGemini, context)
{
}

void GeminiFamily::show(MountPanelSetting setting, int code)
{
    emit m_context.events.panelSetting(setting, code);
}

bool GeminiFamily::connect()
{
    ScopeStatus& status = m_context.status;
    status.usesStar = true;
    m_isPolar = true;
    status.isGeminiLevel4 = false;
    const Reply ack = ask(QByteArray(1, kAck), 2, ReplyEnd::terminator(kEnd));
    if (!ack.ok) {
        m_context.debug("connectGemini: no response");
        return false;
    }
    bool ready = false;
    for (const char c : ack.bytes) {
        if (c == 'G') {
            ready = true;
            break;
        }
        if (c == 'b' || c == 'B') {
            emit m_context.events.alertRequested("Start up Gemini before you connect.", " ");
            break;
        }
    }
    if (!ready)
        return false;

    const Reply version = ask(":GV#", 4, ReplyEnd::terminator(kEnd));
    if (!version.ok) {
        m_context.debug("connectGemini: failed level check");
        return false;
    }
    status.isGeminiLevel4 = version.bytes[0] >= '4';
    m_context.debug([&] {
        const QByteArray v = version.bytes.left(3);
        return QString("Gemini version: %1.%2").arg(QChar(v[0])).arg(QString::fromLatin1(v.mid(1)));
    });

    // The speed answer is one byte without `#`.
    pause(kSettleTicks);
    const Reply speed = ask(":Gv#", 1, ReplyEnd::length(1));
    const char state = speed.ok ? speed.bytes[0] : 0;
    if (state == 'G') {
        show(MountPanelSetting::SlewSpeed, kRadioGuide);
    } else if (state == 'C') {
        show(MountPanelSetting::SlewSpeed, kRadioCenter);
    } else {
        show(MountPanelSetting::SlewSpeed, kRadioSlew);
        slewSpeedLX200(kRadioSlew);
    }

    const std::pair<int (GeminiFamily::*)(), MountPanelSetting> reads[] = {
        {&GeminiFamily::getGeminiSpeedMode, MountPanelSetting::Mode},
        {&GeminiFamily::getGeminiTrackMode, MountPanelSetting::Mode},
        {&GeminiFamily::getGeminiGuideSpeed, MountPanelSetting::GuideSpeed},
        {&GeminiFamily::getGeminiCenterSpeed, MountPanelSetting::CenterSpeed},
        {&GeminiFamily::getGeminiSlewSpeed, MountPanelSetting::MaxSlewSpeed}};
    for (const auto& [read, setting] : reads) {
        pause(kSettleTicks);
        if (const int code = (this->*read)(); code != 0)
            show(setting, code);
    }
    return true;
}

bool GeminiFamily::slewDetect()
{
    constexpr char kSlewing = 'S';
    const Reply state = ask(":Gv#", 1, ReplyEnd::length(1));
    if (!state.ok) {
        m_context.debug("slewGeminiDetect: transaction error");
        return false;
    }
    m_context.status.isSlewing = state.bytes[0] == kSlewing;
    m_context.debug(m_context.status.isSlewing ? "slewGeminiDetect: is slewing"
                                               : "slewGeminiDetect: not slewing");
    return true;
}

std::optional<QByteArray> GeminiFamily::readParameter(int id, quint16 expected)
{
    const Reply reply = ask(GeminiFrame::get(id), expected, ReplyEnd::terminator(kEnd));
    if (!reply.ok)
        return std::nullopt;
    return reply.bytes.left(reply.bytes.indexOf(kEnd));
}

int GeminiFamily::getGeminiSpeedMode()
{
    const std::optional<QByteArray> answer = readParameter(kSpeedModeId, 5);
    if (!answer || !answer->startsWith("16") || answer->size() < 3)
        return 0;
    const auto it = std::find(kModeIds.begin(), kModeIds.begin() + 3, 160 + ((*answer)[2] - '0'));
    const int code = it == kModeIds.begin() + 3 ? 0 : kFirstMode + int(it - kModeIds.begin());
    m_context.debug([code] { return QString("getGeminiSpeedMode: %1").arg(code); });
    return code;
}

int GeminiFamily::getGeminiTrackMode()
{
    const std::optional<QByteArray> answer = readParameter(kTrackModeId, 5);
    if (!answer || !answer->startsWith("13") || answer->size() < 3)
        return 0;
    const auto it = std::find(kModeIds.begin() + 3, kModeIds.end(), 130 + ((*answer)[2] - '0'));
    const int code = it == kModeIds.end() ? 0 : kFirstMode + int(it - kModeIds.begin());
    m_context.debug([code] { return QString("getGeminiTrackMode: %1").arg(code); });
    return code;
}

int GeminiFamily::getGeminiGuideSpeed()
{
    const std::optional<QByteArray> answer = readParameter(kGuideSpeedId, 5);
    if (!answer || !answer->startsWith("0.") || answer->size() < 3)
        return 0;
    const char digit = (*answer)[2];
    if (digit < '2' || digit > '8')
        return 0;
    m_context.debug([digit] { return QString("getGeminiGuideSpeed: 0.%1").arg(QChar(digit)); });
    return kFirstGuide + (digit - '2');
}

int GeminiFamily::getGeminiCenterSpeed()
{
    const std::optional<QByteArray> answer = readParameter(kCenterSpeedId, 2);
    const int value = answer ? leadingNumber(*answer) : 0;
    m_context.debug([value] { return QString("getGeminiCenterSpeed: %1").arg(value); });
    return codeOf(value, kCenterSpeeds, kFirstCenter);
}

int GeminiFamily::getGeminiSlewSpeed()
{
    const std::optional<QByteArray> answer = readParameter(kSlewSpeedId, 2);
    const int value = answer ? leadingNumber(*answer) : 0;
    m_context.debug([value] { return QString("getGeminiSlewSpeed: %1").arg(value); });
    return codeOf(value, kSlewSpeeds, kFirstSlew);
}

bool GeminiFamily::run(const PanelCommand& command)
{
    switch (command.operation) {
    case MountOperation::Command:
        return commandGemini(command.code);
    case MountOperation::SetDate:
        return setGeminiDate();
    case MountOperation::SetSite:
        return setGeminiSite();
    case MountOperation::SetBaudRate:
        // Nothing goes to the mount: the next connect opens at the new speed.
        show(MountPanelSetting::Baud, command.code);
        return true;
    case MountOperation::Mode:
        return setGeminiMode(command.code);
    case MountOperation::GuideSpeed:
        return setGeminiGuideSpeed(command.code);
    case MountOperation::CenterSpeed:
        return setGeminiCenterSpeed(command.code);
    case MountOperation::MaxSlewSpeed:
        return setGeminiSlewSpeed(command.code);
    default:
        return LX200Family::run(command);
    }
}

bool GeminiFamily::commandGemini(int code)
{
    constexpr int kPark = 32;
    if (code != kPark)
        return commandLX200(code);
    // A Gemini stays connected after parking.
    m_context.debug("commandGemini: hC/P");
    if (!send(":hP#"))
        return fail("commandGemini: transaction error"), false;
    return true;
}

bool GeminiFamily::setGeminiDate()
{
    const QDateTime local = now();
    const int hours = int(std::round(local.offsetFromUtc() / 3600.0));
    const QByteArray date = local.toString("MM/dd/yy").toLatin1();
    const QByteArray time = local.toString("HH:mm:ss").toLatin1();
    if (date.size() < 8 || time.size() < 8)
        return fail("setGeminiDate: dStr < 8"), false;

    const QByteArray zone = QString::asprintf(":SG%+03d#", -hours).toLatin1();
    const Reply zoneReply = ask(zone, 1, ReplyEnd::length(1));
    if (!zoneReply.ok)
        return fail("setGeminiTimezone: transaction error"), false;
    if (!zoneReply.bytes.contains('1'))
        return fail("setGeminiTimezone: not kLX200True"), false;

    m_context.debug([&] { return "setGeminiDate: " + QString::fromLatin1(date); });
    const Reply dateReply = ask(":SC" + date + "#", 50, kDateEnd);
    if (!dateReply.ok)
        return fail("setGeminiDate: transaction error"), false;
    if (!dateReply.bytes.contains('1'))
        return fail("setGeminiDate: not kLX200True"), false;

    // The time as it is sent: the date's answer may have taken seconds.
    const QByteArray sentTime = now().toString("HH:mm:ss").toLatin1();
    m_context.debug([&] { return "setGemini time: " + QString::fromLatin1(sentTime); });
    const Reply timeReply = ask(":SL" + sentTime + "#", 1, ReplyEnd::length(1));
    if (!timeReply.ok)
        return fail("setGeminiTime: transaction error"), false;
    if (!timeReply.bytes.contains('1'))
        return fail("setGeminiTime: not kLX200True"), false;
    return true;
}

bool GeminiFamily::setGeminiSite()
{
    if (!m_context.prefs)
        return false;
    const bool level4 = m_context.status.isGeminiLevel4;
    const int site = m_context.prefs->currentSite();
    if (level4) {
        // No site chosen (-1) is no stored site either.
        if (site < 0 || site >= kStoredSites) {
            emit m_context.events.alertRequested(kSetSiteFailed, "Gemini can only store 4 sites.");
            return false;
        }
        m_context.debug([site] { return QString("setGemini4Site site: %1").arg(site); });
        if (!send(":W" + QByteArray::number(site) + "#"))
            m_context.debug("setGemini4Site: setSite error");
        pause(kSettleTicks);
    }
    const double latitude = m_context.prefs->latitude();
    const double west = -m_context.prefs->longitude();
    const LX200Reply::DegreesMinutes lat = LX200Reply::toDegreesMinutes(latitude, false);
    const LX200Reply::DegreesMinutes lon = LX200Reply::toDegreesMinutes(west, false);
    const QByteArray latCommand = QByteArray(":St") + (latitude < 0.0 ? '-' : '+')
                                  + twoDigits(lat.degrees) + '*' + twoDigits(lat.minutes) + '#';
    const QByteArray lonCommand = QByteArray(":Sg") + (west < 0.0 ? '-' : '+')
                                  + QByteArray::number(lon.degrees).rightJustified(3, '0') + '*'
                                  + twoDigits(lon.minutes) + '#';
    const std::pair<const QByteArray&, const char*> parts[] = {
        {latCommand, "setGeminiSite: Latitude error"},
        {lonCommand, "setGeminiSite: Longitude error"}};
    for (const auto& [command, error] : parts) {
        // Captured by name: clang before 16 refuses a structured binding captured implicitly.
        m_context.debug([&command = command] { return "setGeminiSite: " + QString::fromLatin1(command); });
        const Reply reply = ask(command, 1, ReplyEnd::length(1));
        if (!reply.ok)
            return fail(error), false;
        if (!reply.bytes.contains('1'))
            return fail("setGeminiSite: not kLX200True"), false;
    }
    if (level4) {
        static constexpr const char* kNameCommands[] = {":SM", ":SN", ":SO", ":SP"};
        QByteArray name = m_context.prefs->siteNamesArray().value(site).toLatin1().left(kSiteNameLength);
        std::replace_if(name.begin(), name.end(), [](char c) { return uchar(c) > 127 || c == '#'; }, '?');
        m_context.debug([&] { return "setGemini4Site Name: " + QString::fromLatin1(name); });
        ask(kNameCommands[site] + name + "#", 1, ReplyEnd::length(1));
    }
    return true;
}

bool GeminiFamily::setGeminiMode(int code)
{
    if (code < kFirstMode || code >= kFirstMode + int(kModeIds.size())) {
        if (code < kFirstMode)
            emit m_context.events.beepRequested();
        return false;
    }
    if (!send(GeminiFrame::set(kModeIds[code - kFirstMode], {})))
        return fail("setGeminiMode: transaction error"), false;
    show(MountPanelSetting::Mode, code);
    return true;
}

bool GeminiFamily::setGeminiGuideSpeed(int code)
{
    if (code < kFirstGuide || code > kFirstGuide + 6)
        return false;
    const QByteArray value = "0." + QByteArray::number(code - kFirstGuide + 2);
    if (!send(GeminiFrame::set(kGuideSpeedId, value)))
        return fail("setGeminiGuideSpeed: transaction error"), false;
    m_context.debug("setGeminiGuideSpeed: " + QString::fromLatin1(value));
    show(MountPanelSetting::GuideSpeed, code);
    return true;
}

bool GeminiFamily::setGeminiCenterSpeed(int code)
{
    const bool known = code >= kFirstCenter && code < kFirstCenter + int(kCenterSpeeds.size());
    const int value = known ? kCenterSpeeds[code - kFirstCenter] : 0;
    if (!send(GeminiFrame::set(kCenterSpeedId, QByteArray::number(value))))
        return fail("setGeminiCenterSpeed: transaction error"), false;
    show(MountPanelSetting::CenterSpeed, code);
    return true;
}

bool GeminiFamily::setGeminiSlewSpeed(int code)
{
    if (code < kFirstSlew || code >= kFirstSlew + int(kSlewSpeeds.size()))
        return false;
    const QByteArray value = QByteArray::number(kSlewSpeeds[code - kFirstSlew]);
    if (!send(GeminiFrame::set(kSlewSpeedId, value)))
        return fail("setGeminiSlewSpeed: transaction error"), false;
    show(MountPanelSetting::MaxSlewSpeed, code);
    pause(kSettleTicks);
    if (!send(GeminiFrame::set(kSlewSpeedSecondId, value)))
        return fail("setGeminiSlewSpeed2: transaction error"), false;
    return true;
}
