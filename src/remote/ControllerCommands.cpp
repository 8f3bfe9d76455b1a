// The companion's commands and their answers.
#include "remote/Controller.h"

#include "find/TypedPosition.h"

#include "mount/links/SiteHandOver.h"
#include "platform/AlertPanel.h"
#include "remote/CompanionChart.h"
#include "remote/CompanionFinder.h"
#include "remote/CompanionGuider.h"
#include "remote/CompanionMount.h"
#include "remote/CompanionSettings.h"
#include "remote/CompanionTelescopeView.h"
#include "remote/MessageValues.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr double kRadToDeg = 57.2957795130823;
constexpr double kDegToRad = 0.0174532925199433;
// Beyond any time zone on Earth; the site keeps its own.
constexpr float kMaxTimeZoneHours = 24.0f;
constexpr double kLeaveTimeZone = -999.0;
const QString kCoordinatesOutOfRange = QStringLiteral("Lumarik coordinates out of range, sky not moved.");
const QString kGotoOutOfRange = QStringLiteral("Lumarik goto RA/Dec request out of range.");
const QString kSiteOutOfRange = QStringLiteral("Lumarik site out of range.");

// Nothing when any of the message's `keys` holds a number that is not finite.
template <size_t N>
std::optional<std::array<float, N>> floats(const QVariantMap& message, const std::array<QString, N>& keys,
                                           double scale = 1.0)
{
    std::array<float, N> values{};
    for (size_t i = 0; i < N; ++i) {
        const std::optional<double> value = MessageValues::number(message, keys[i]);
        if (!value)
            return std::nullopt;
        // Beyond float's range a conversion is undefined; the largest float is out of every range.
        const double most = double(std::numeric_limits<float>::max());
        values[i] = float(std::clamp(*value * scale, -most, most));
    }
    return values;
}

QByteArray historyData(const CompanionGuider::History& history)
{
    QByteArray data(int(history.size() * sizeof(float)), Qt::Uninitialized);
    for (size_t i = 0; i < history.size(); ++i)
        qToLittleEndian<float>(history[i], data.data() + i * sizeof(float));
    return data;
}

// At most 63 characters, without control characters.
QString boundedSiteName(const QString& name)
{
    QString bounded;
    for (const QChar c : name) {
        if (bounded.size() == Controller::kSiteNameLength)
            break;
        if (c.category() != QChar::Other_Control && c.category() != QChar::Other_Format)
            bounded.append(c);
    }
    // A cut must not leave half a surrogate pair.
    if (!bounded.isEmpty() && bounded.back().isHighSurrogate())
        bounded.chop(1);
    return bounded;
}

}  // namespace

void Controller::connectionManagerHasReceivedCommand(const QVariantMap& message)
{
    if (!m_connectionEstablished || !m_links.settings.isExtConnect())
        return;
    if (!MessageValues::isText(message, MessageValues::kCommand)) {
        debug(QStringLiteral("Lumarik command nil."));
        return;
    }
    const QString command = MessageValues::text(message, MessageValues::kCommand);
    if (command == QLatin1String("requestStatus"))
        return requestStatusCommand();
    if (command == QLatin1String("sendCoordinates"))
        return sendCoordinates(message);
    if (command == QLatin1String("requestCoordinates"))
        return requestCoordinates();
    if (!m_links.mount.isConnected() && !m_links.settings.isDebug())
        return;
    if (command == QLatin1String("sendTelescopeGoto"))
        return sendTelescopeGoto(message);
    if (command == QLatin1String("sendTelescopeSlew"))
        return sendTelescopeSlew(message);
    if (command == QLatin1String("sendSlewRate"))
        return sendSlewRate(message);
    if (command == QLatin1String("sendSite"))
        return sendSite(message);
    if (command == QLatin1String("requestAutoguidingDataBunch"))
        return requestAutoguidingDataBunch();
    if (command == QLatin1String("requestAutoguidingData"))
        return requestAutoguidingData();
    if (command == QLatin1String("requestAutoguidingScale"))
        return requestAutoguidingScale();
    if (command == QLatin1String("clearAutoguidingData"))
        return clearAutoguidingData();
    if (command == QLatin1String("sendAutoguidingStatus"))
        return sendAutoguidingStatus(message);
    debug(QString::asprintf("Lumarik command failed: %s.", qUtf8Printable(command)));
}

void Controller::sendCoordinates(const QVariantMap& message)
{
    const auto values = floats<3>(
        message, {QStringLiteral("azimuth"), QStringLiteral("altitude"), QStringLiteral("fov")}, kRadToDeg);
    if (!values) {
        debug(kCoordinatesOutOfRange);
        return;
    }
    const auto [azimuth, altitude, field] = *values;
    debug(QString::asprintf("Lumarik coordinates received. Az= %f°, Alt= %f°, fov= %f°.", double(azimuth),
                            double(altitude), double(field)));
    if (!(azimuth >= 0.0f && azimuth <= 360.0f && altitude >= 0.0f && altitude <= 90.0f && field >= 5.0f
          && field <= 180.0f)) {
        debug(kCoordinatesOutOfRange);
        return;
    }
    CompanionChart& chart = m_links.chart;
    chart.setViewAngle(field);
    chart.setAltitude(altitude);
    chart.setAzimuth(azimuth);
    chart.updateSkyView();
}

void Controller::requestCoordinates()
{
    const CompanionChart& chart = m_links.chart;
    const float azimuth = float(chart.azimuth() * kDegToRad);
    const float altitude = float(chart.altitude() * kDegToRad);
    const float field = float(chart.viewAngle() * kDegToRad);
    sendCommand({{MessageValues::kCommand, QStringLiteral("coordinatesAnswer")},
                 {QStringLiteral("azimuth"), azimuth},
                 {QStringLiteral("altitude"), altitude},
                 {QStringLiteral("fov"), field}});
    debug(QString::asprintf("Coordinates sent to Lumarik. Az= %f°, Alt= %f°, fov= %f°.", azimuth * kRadToDeg,
                            altitude * kRadToDeg, field * kRadToDeg));
}

void Controller::sendTelescopeGoto(const QVariantMap& message)
{
    const auto values = floats<3>(
        message, {QStringLiteral("rightAscension"), QStringLiteral("declination"), QStringLiteral("power")});
    if (!values) {
        debug(kGotoOutOfRange);
        return;
    }
    const auto [ra, dec, power] = *values;
    const QString name = MessageValues::text(message, QStringLiteral("objectName"));

    FindResultCode result = m_links.finder.findVoiceName(name);
    const bool foundByName = result == findResultFound;
    if (result == findResultNotFound) {
        const float degreesRA = float(ra * kRadToDeg);
        const float degreesDec = float(dec * kRadToDeg);
        if (degreesRA < 0.0f || degreesRA > 360.0f || degreesDec < -90.0f || degreesDec > 90.0f) {
            debug(kGotoOutOfRange);
            return;
        }
        result = m_links.finder.findVoiceName(TypedPosition::format(degreesRA, degreesDec));
    }
    if (result == findResultFound) {
        m_links.finder.findTrackAction();
        m_isSlewOn = true;
        if (m_view && power >= kMinPower && power <= kMaxPower)
            m_view->setSVPower(power);
        m_slewTimer.start();
        debug(foundByName ? QString::asprintf("Lumarik goto obj request: obj= %s", qUtf8Printable(name))
                          : QString::asprintf("Lumarik goto RA/Dec request: obj= %s, ra= %f rad, dec= %f rad.",
                                              qUtf8Printable(name), double(ra), double(dec)));
        return;
    }
    if (result == findResultBelowHorizon)
        AlertPanel::postAlert(QStringLiteral("Lumarik scope object is below the horizon."), QStringLiteral(" "));
    else if (result == findResultFiltered)
        AlertPanel::postAlert(QStringLiteral("Lumarik scope object is filtered out."), QStringLiteral(" "));
    debug(QString::asprintf("Lumarik goto request failed: reason: %d, obj= %s, ra= %f rad, dec= %f rad.",
                            int(result), qUtf8Printable(name), double(ra), double(dec)));
}

void Controller::sendTelescopeSlew(const QVariantMap& message)
{
    const qint64 direction = MessageValues::integer(message, QStringLiteral("direction"));
    CompanionMount& mount = m_links.mount;
    switch (direction) {
    case 0: m_isCompanionSlewing = mount.genericSlew(CompanionMount::North) || m_isCompanionSlewing; break;
    case 1: m_isCompanionSlewing = mount.genericSlew(CompanionMount::South) || m_isCompanionSlewing; break;
    case 2: m_isCompanionSlewing = mount.genericSlew(CompanionMount::West) || m_isCompanionSlewing; break;
    case 3: m_isCompanionSlewing = mount.genericSlew(CompanionMount::East) || m_isCompanionSlewing; break;
    default:
        m_isCompanionSlewing = false;
        mount.genericSlewStop(CompanionMount::All);
        break;
    }
    debug(QString::asprintf("Lumarik slew command: %d.", int(direction)));
}

void Controller::sendSlewRate(const QVariantMap& message)
{
    const int rate = int(quint16(MessageValues::integer(message, QStringLiteral("rate")) & 0xFFFF));
    m_links.mount.setGenericSlewRate(rate);
    debug(QString::asprintf("Lumarik slew rate: %d.", rate));
}

void Controller::sendSite(const QVariantMap& message)
{
    const auto values = floats<3>(
        message, {QStringLiteral("latitude"), QStringLiteral("longitude"), QStringLiteral("timezone")});
    if (!values) {
        debug(kSiteOutOfRange);
        return;
    }
    const auto [latitude, longitude, timeZone] = *values;
    const QString name = boundedSiteName(MessageValues::text(message, QStringLiteral("siteName")));
    debug(QString::asprintf("Lumarik site received. lat= %.3f°, lon= %.3f°, tz= %.3f, name: %s.", double(latitude),
                            double(longitude), double(timeZone), qUtf8Printable(name)));
    if (!(latitude >= -90.0f && latitude <= 90.0f && longitude >= -180.0f && longitude <= 180.0f)) {
        debug(kSiteOutOfRange);
        return;
    }
    const double zone = std::fabs(timeZone) <= kMaxTimeZoneHours ? double(timeZone) : kLeaveTimeZone;
    m_links.site.setLocation(latitude, longitude, zone);
    m_links.settings.setLatitude(latitude);
    m_links.settings.setLongitude(longitude);
    m_links.site.lumarikSiteGoto(name);
}

void Controller::requestAutoguidingDataBunch()
{
    if (!isGuiding())
        return;
    sendCommand({{MessageValues::kCommand, QStringLiteral("autoguidingDataBunchAnswer")},
                 {QStringLiteral("raDataBunch"), historyData(m_guider->errXArray())},
                 {QStringLiteral("deDataBunch"), historyData(m_guider->errYArray())}});
    debug(QStringLiteral("Lumarik requestAutoguidingDataBunch sent."));
}

void Controller::requestAutoguidingData()
{
    if (!isGuiding())
        return;
    requestGuideData();
    debug(QString::asprintf("Lumarik requestAutoguidingData sent ra= %.3f, dec= %.3f.", double(m_guider->errX()),
                            double(m_guider->errY())));
}

void Controller::requestAutoguidingScale()
{
    const float rate = m_guider ? m_guider->guideRate() : 0.0f;
    sendCommand({{MessageValues::kCommand, QStringLiteral("autoguidingScaleAnswer")},
                 {QStringLiteral("refreshRate"), rate},
                 {QStringLiteral("guiding"), isGuiding()}});
    debug(QString::asprintf("Lumarik requestAutoguidingScale sent rate= %.3f.", double(rate)));
}

void Controller::clearAutoguidingData()
{
    if (m_guider)
        m_guider->clearErrArrays();
    debug(QStringLiteral("Lumarik clearAutoguidingData command."));
}

void Controller::sendAutoguidingStatus(const QVariantMap& message)
{
    if (!isGuiding())
        return;
    const bool trend = MessageValues::boolean(message, QStringLiteral("trend"));
    const bool update = MessageValues::boolean(message, QStringLiteral("update"));
    m_guider->setLumarikTrend(trend);
    m_guider->setLumarikTrendUpdate(update);
    debug(QString::asprintf("Lumarik sendAutoguidingStatus trend= %d, update= %d.", int(trend), int(update)));
}
