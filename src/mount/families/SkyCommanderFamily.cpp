#include "mount/families/SkyCommanderFamily.h"

#include "model/Angles.h"
#include "mount/DebugWriter.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeStatus.h"
#include "mount/families/SkyPosition.h"

#include <cmath>

namespace {

constexpr qsizetype kPollReply = 15;
constexpr float kSecondsPerYear = 3.1536e7f;
constexpr double kThousandthsPerDay = 24000.0;

// Hours as the three-decimal field carries them: a target a hair short of
// 24 h goes out as 00.000, never as 24.000.
double sentHours(float hours)
{
    const double thousandths = std::round(double(hours) * 1000.0);
    return (thousandths >= kThousandthsPerDay ? thousandths - kThousandthsPerDay : thousandths) / 1000.0;
}

}  // namespace

SkyCommanderFamily::SkyCommanderFamily(int protocol, const MountContext& context, FamilyInputs inputs)
    : m_context(context), m_protocol(protocol), m_inputs(std::move(inputs)), m_exchange(context.serial, context.betweenExchanges)
{
}

bool SkyCommanderFamily::connect()
{
    m_context.debug("start Sky Commander connect sequence");
    return readPosition();
}

bool SkyCommanderFamily::readPosition()
{
    const MountExchange::Reply reply = m_exchange.ask("\r", kPollReply, ReplyEnd::length(kPollReply));
    if (!reply.ok) {
        m_context.debug("getSkyComRA: transaction error");
        return false;
    }
    const QByteArray raText = reply.bytes.mid(1, 6);
    const QByteArray decText = reply.bytes.mid(8, 7);
    m_context.debug(
        QString("getSkyComRA: %1 %2").arg(QString::fromLatin1(raText), QString::fromLatin1(decText)));
    bool raOk = false;
    bool decOk = false;
    const double ra = raText.trimmed().toDouble(&raOk) * 15.0 * Angles::kDegToRad;
    const double dec = decText.trimmed().toDouble(&decOk) * Angles::kDegToRad;
    if (!raOk || !decOk || !isOnSky(ra, dec))
        return false;
    m_context.status.scopeRA = ra;
    m_context.status.scopeDec = dec;
    return true;
}

SkyCommanderFamily::J2000 SkyCommanderFamily::toJ2000(double ra, double dec, float years)
{
    const float alpha = float(ra);
    const float delta = float(dec);
    float decDegrees = float(dec * Angles::kRadToDeg) + (-20.04f * std::cos(alpha)) * years / 3600.0f;
    float raDegrees = float(ra * Angles::kRadToDeg)
        - 15.0f * (3.075f + 1.336f * std::sin(alpha) * std::tan(delta)) * years / 3600.0f;
    // Past a pole the direction comes back down on the far side.
    if (decDegrees > 90.0f || decDegrees < -90.0f) {
        decDegrees = (decDegrees > 0.0f ? 180.0f : -180.0f) - decDegrees;
        raDegrees += 180.0f;
    }
    raDegrees = std::fmod(raDegrees, 360.0f);
    if (raDegrees < 0.0f)
        raDegrees += 360.0f;
    return {raDegrees / 15.0f, decDegrees};
}

QByteArray SkyCommanderFamily::skyCommanderGoto(const J2000& target)
{
    return commandText("L99 %06.3f %+07.3f", sentHours(target.hours), double(target.degrees));
}

QByteArray SkyCommanderFamily::servoCatGoto(const J2000& target)
{
    return commandText("g%06.3f %+07.3f", sentHours(target.hours), double(target.degrees));
}

bool SkyCommanderFamily::gotoPosition(double ra, double dec)
{
    const QDateTime epoch(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
    const float years = float(epoch.secsTo(m_inputs.now())) / kSecondsPerYear;
    const J2000 target = toJ2000(ra, dec, years);
    if (m_protocol == kProtocolServoCat) {
        QByteArray out = servoCatGoto(target);
        char checksum = 0;
        for (const char c : out.mid(1))
            checksum ^= c;
        m_context.debug("gotoServoCatRA: " + QString::fromLatin1(out));
        m_context.debug(QString("gotoServoCatRA checksum: %1").arg(quint8(checksum), 0, 16));
        const bool ok = m_exchange.send(out + checksum);
        if (!ok)
            m_context.debug("gotoServoCatRA: transaction error");
        return ok;
    }
    const QByteArray out = skyCommanderGoto(target) + '\r';
    m_context.debug("gotoSkyComRA: " + QString::fromLatin1(out));
    // One byte: `A` accepted, anything else refused.
    const MountExchange::Reply reply = m_exchange.ask(out, 1, ReplyEnd::length(1));
    if (!reply.ok)
        m_context.debug("gotoSkyComRA: transaction error");
    return reply.ok && reply.bytes.startsWith('A');
}
