#include "mount/families/LX200Family.h"

#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeStatus.h"
#include "mount/families/LX200Reply.h"

#include <QTimeZone>

namespace {

constexpr char kTrue = '1';
constexpr char kNak = 0x15;
constexpr char kEnd = '#';
constexpr int kDateLength = 8;
// Gemini wants a moment between the two site reads.
constexpr int kGeminiSiteTicks = 10;
// The date's answer comes in two parts: "1Updating Planetary Data#" at
// once, then, once the controller has recomputed (about 5 s on a Classic),
// a line of blanks and `#`. A refusal is a lone `0`.
constexpr int kPlanetaryUpdateCycles = 160;
// Each command carries the clock as it is sent, not as it was when the
// first one went: the date's answer alone may take 5 s.
QByteArray timeNow(const QDateTime& local)
{
    return local.toString("HH:mm:ss").toLatin1();
}
const ReplyEnd kDateEnd{[](QByteArrayView got) {
                            return (!got.isEmpty() && (got[0] == '0' || got[0] == kNak))
                                   || got.count(kEnd) >= 2;
                        },
                        kPlanetaryUpdateCycles};

QByteArray twoDigits(int value)
{
    return QByteArray::number(value).rightJustified(2, '0');
}

}  // namespace

bool LX200Family::setLX200Date()
{
    if (m_protocol == kProtocolAstroPhysics)
        return setAPDate();
    const QDateTime local = now();
    // An LX200 GPS keeps its calendar in UTC; the time is always local.
    const QDateTime dated = m_protocol == kProtocolLX200GPS ? local.toUTC() : local;
    const QByteArray date = dated.toString("MM/dd/yy").toLatin1();
    if (date.size() < kDateLength || timeNow(local).size() < kDateLength)
        return fail("setLX200Date: dStr < 8"), false;
    m_context.debug([&] { return "setLX200Date: " + QString::fromLatin1(date); });

    const Reply dateReply = ask(":SC" + date + "#", 1, kDateEnd);
    if (!dateReply.ok)
        return fail("setLX200Date: transaction error"), false;
    if (dateReply.bytes.startsWith(kNak))
        return fail("setLX200Date: busy response"), false;
    if (dateReply.firstNonBlank() != kTrue)
        return fail("setLX200Date: not kLX200True"), false;

    const Reply timeReply = ask(":SL" + timeNow(now()) + "#", 1, ReplyEnd::length(1));
    if (!timeReply.ok || timeReply.bytes.startsWith(kNak))
        return fail("setLX200Date: transaction error"), false;
    if (timeReply.firstNonBlank() != kTrue)
        return fail("setLX200Date: not kLX200True"), false;
    return true;
}

bool LX200Family::setAPDate()
{
    const QDateTime local = now();
    const QByteArray time = timeNow(local);
    if (local.toString("MM/dd/yy").size() < kDateLength || time.size() < kDateLength)
        return fail("setAPDate: dStr < 8"), false;
    m_context.debug([&] { return "setAPTime: " + QString::fromLatin1(time); });
    const Reply timeReply = ask(":SL" + time + "#", 1, ReplyEnd::length(1));
    if (!timeReply.ok) {
        m_context.debug([&] { return QString("setAPTime: transaction error %1").arg(timeReply.count); });
        return fail("setAPTime: transaction error"), false;
    }
    if (timeReply.firstNonBlank() != kTrue)
        fail("setAPTime: not kLX200True");

    const QByteArray date = now().toString("MM/dd/yy").toLatin1();
    m_context.debug([&] { return "setAPDate: " + QString::fromLatin1(date); });
    const Reply dateReply = ask(":SC" + date + "#", 33, ReplyEnd::terminator(kEnd));
    if (!dateReply.ok)
        return fail("setAPTime: transaction error"), false;
    if (dateReply.firstNonBlank() != kEnd)
        return fail("setAPDate: no #"), false;
    return true;
}

bool LX200Family::setLX200Site()
{
    if (!m_context.prefs)
        return false;
    const double latitude = m_context.prefs->latitude();
    double longitude = m_context.prefs->longitude();
    const char sep = separator();

    // The sign is written apart, so that a site just south of the equator
    // is not sent as "+00".
    const LX200Reply::DegreesMinutes lat = LX200Reply::toDegreesMinutes(latitude, true);
    const QByteArray latCommand = QByteArray(":St") + (latitude < 0.0 ? '-' : '+')
                                  + twoDigits(lat.degrees) + sep + twoDigits(lat.minutes) + '#';
    // West positive 0..360 on the wire; Greenwich is 000, not 360.
    if (longitude < 0.0)
        longitude += 360.0;
    double west = 360.0 - longitude;
    if (west >= 360.0)
        west -= 360.0;
    LX200Reply::DegreesMinutes lon = LX200Reply::toDegreesMinutes(west, true);
    lon.degrees %= 360;
    const QByteArray lonCommand = ":Sg" + QByteArray::number(lon.degrees).rightJustified(3, '0')
                                  + sep + twoDigits(lon.minutes) + '#';

    for (const QByteArray& command : {latCommand, lonCommand}) {
        m_context.debug([&] { return "setLX200Site: " + QString::fromLatin1(command); });
        const Reply reply = ask(command, 1, ReplyEnd::length(1));
        if (!reply.ok)
            return fail("setLX200Site: transaction error"), false;
        if (reply.bytes.startsWith(kNak))
            return fail("setLX200Site: busy response"), false;
        if (reply.firstNonBlank() != kTrue)
            return fail("setLX200Site: not kLX200True"), false;
    }
    return true;
}

bool LX200Family::getLX200Site()
{
    const Reply latReply = ask(":Gt#", 5, ReplyEnd::terminator(kEnd));
    if (!latReply.ok)
        return fail("getLX200Site: transaction error", false), false;
    if (latReply.count > LX200Reply::kLongestReply)
        return fail("getLX200Site: transcount > 64", false), false;
    const std::optional<double> latitude = LX200Reply::parseLatitude(latReply.bytes);
    if (!latitude)
        return fail("getLX200Site: latitude refused", false), false;
    if (m_protocol == kProtocolGemini)
        pause(kGeminiSiteTicks);
    const Reply lonReply = ask(":Gg#", 5, ReplyEnd::terminator(kEnd));
    if (!lonReply.ok)
        return fail("getLX200Site: transaction error", false), false;
    if (lonReply.count > LX200Reply::kLongestReply)
        return fail("getLX200Site: transcount > 64", false), false;
    const std::optional<double> longitude = LX200Reply::parseLongitude(lonReply.bytes);
    if (!longitude)
        return fail("getLX200Site: longitude refused", false), false;

    m_context.debug([&] {
        const QChar degree(0xB0);
        return QString("LX200 site read. lat= %1%2, lon= %3%2")
            .arg(*latitude, 0, 'f', 3)
            .arg(degree)
            .arg(*longitude, 0, 'f', 3);
    });
    QString siteName = "Scope";
    switch (m_protocol) {
    case kProtocolLX200: siteName = "LX200"; break;
    case kProtocolLX200GPS: siteName = "LX200 GPS"; break;
    case kProtocolAstroPhysics: siteName = "AstroPhysics"; break;
    case kProtocolGemini: siteName = "Gemini"; break;
    default: break;
    }
    emit m_context.events.siteRead(*latitude, *longitude, siteName);
    return true;
}
