#include "model/SkyDateModel.h"

#include "model/FirstRunNotice.h"
#include "model/Sexagesimal.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"
#include "platform/StringTables.h"
#include "platform/TimeZoneResolver.h"

#include <cmath>

namespace {

constexpr double kReferenceJulianDay = 2451910.5;  // 2001-01-01 00:00:00 UTC
constexpr double kCommonEraJulianDay = 1721423.5;
const QDateTime kReferenceDate(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);

QString label(const char* key) { return StringTables::localizedString("Global", key); }

QString dms(const char* format, double value)
{
    const Sexagesimal s = Sexagesimal::truncated(value);
    return QString::asprintf(format, s.whole, s.minutes, s.seconds);
}

}  // namespace

SkyDateModel::SkyDateModel(PrefControl& prefControl, FirstRunNotice* prefWindowControl)
    : m_prefControl(prefControl),
      m_prefWindowControl(prefWindowControl),
      m_clock([] { return QDateTime::currentDateTimeUtc(); }),
      m_locator([] { return SystemLocation::storedLocation(); })
{
}

double SkyDateModel::julianDayOf(const QDateTime& moment)
{
    return double(kReferenceDate.msecsTo(moment)) / 86400000.0 + kReferenceJulianDay;
}

double SkyDateModel::greenwichSiderealHours(double jd)
{
    const double d = jd - 2451545.0;
    const double t = d / 36525.0;
    double theta = d * 360.98564736629 + 280.46061837 + 0.000387933 * t * t
                   - t * t * t / 38710000.0;
    // Far from J2000 the loops below would take millions of steps; an exact 360 must stay.
    if (std::fabs(theta) > 720.0)
        theta = std::fmod(theta, 360.0);
    while (theta < 0.0)
        theta += 360.0;
    while (theta > 360.0)
        theta -= 360.0;
    return theta / 15.0;
}

QTimeZone SkyDateModel::homeSiteZone(const PrefControl& prefs)
{
    const QTimeZone zone = TimeZoneResolver::resolve(prefs.siteTZNamesArray().value(0));
    return zone.isValid() ? zone : QTimeZone::systemTimeZone();
}

void SkyDateModel::setZoneFromHomeSite(bool useSystemZone)
{
    AppTimeZone::setZone(useSystemZone ? QTimeZone::systemTimeZone() : homeSiteZone(m_prefControl));
}

void SkyDateModel::takeStartupMoment()
{
    const QTimeZone zone = AppTimeZone::zone();
    const QTime clock = m_prefControl.startupTime().time();
    const QDate today = m_clock().toTimeZone(zone).date();
    m_skyDate = QDateTime(today, QTime(clock.hour(), clock.minute(), 0), zone);
}

void SkyDateModel::startupDate()
{
    m_isCE = true;
    const bool firstRun = m_prefControl.latitude() == 0.0 && m_prefControl.longitude() == 0.0;
    setZoneFromHomeSite(firstRun);
    takeStartupMoment();
    if (firstRun) {
        if (const auto location = m_locator()) {
            m_prefControl.setLatitude(location->latitude);
            m_prefControl.setLongitude(location->longitude);
            site& home = m_prefControl.sites()[0];
            home.latitude = float(location->latitude);
            home.longitude = float(location->longitude);
        }
        if (m_prefWindowControl)
            m_prefWindowControl->setIsInstall(true);
    }
    calculateDate(std::nullopt, 0.0);
}

void SkyDateModel::resetDateTime()
{
    setZoneFromHomeSite(false);
    takeStartupMoment();
    calculateDate(std::nullopt, 0.0);
}

void SkyDateModel::calculateDate(const std::optional<QDateTime>& date, double seconds)
{
    QDateTime base = date ? *date : m_skyDate;
    if (!base.isValid())
        return;
    if (seconds != 0.0)
        base = base.addMSecs(qint64(std::llround(seconds * 1000.0)));
    m_skyDate = base;

    m_julianDay = julianDayOf(m_skyDate);
    m_gSiderialTime = greenwichSiderealHours(m_julianDay);
    double lst = m_prefControl.longitude() / 15.0 + m_gSiderialTime;
    while (lst < 0.0)
        lst += 24.0;
    while (lst > 24.0)
        lst -= 24.0;
    m_localSiderialTime = lst;
    m_primeMeridian = lst * 15.0;
}

QDateTime SkyDateModel::calculateJulian(double jd)
{
    m_isCE = jd >= kCommonEraJulianDay;
    return momentOf(jd);
}

QDateTime SkyDateModel::momentOf(double jd)
{
    return kReferenceDate.addMSecs(qint64(std::llround((jd - kReferenceJulianDay) * 86400000.0)));
}

QDateTime SkyDateModel::ceChanged()
{
    m_julianDay += m_isCE ? kCommonEraJulianDay : -kCommonEraJulianDay;
    return calculateJulian(m_julianDay);
}

bool SkyDateModel::isDatePM() const
{
    return m_skyDate.toTimeZone(AppTimeZone::zone()).time().hour() > 12;
}

QString SkyDateModel::julianString() const
{
    return label("JDay") + QString::asprintf(": %0.5f", m_julianDay);
}

QString SkyDateModel::lstString() const
{
    return label("LST") + dms(": %d:%.2d:%.2d", m_localSiderialTime);
}

QString SkyDateModel::gSiderialString() const
{
    return label("GST") + dms(": %d:%.2d:%.2d", m_gSiderialTime);
}

QString SkyDateModel::pmString() const
{
    return label("PM") + dms(": %d\u00B0%.2d'%.2d\"", m_primeMeridian);
}

QString SkyDateModel::longitudeString() const
{
    const double longitude = m_prefControl.longitude();
    return label("Long") + dms(longitude < 0.0 ? ": %d\u00B0%.2d'%.2d\" W" : ": %d\u00B0%.2d'%.2d\" E",
                               std::fabs(longitude));
}

QString SkyDateModel::latitudeString() const
{
    const double latitude = m_prefControl.latitude();
    return label("Lat") + dms(latitude < 0.0 ? ": %d\u00B0%.2d'%.2d\" S" : ": %d\u00B0%.2d'%.2d\" N",
                              std::fabs(latitude));
}

QString SkyDateModel::longLatString() const { return longitudeString() + "  " + latitudeString(); }

QString SkyDateModel::GMTString() const
{
    return label("UT") + ": " + m_skyDate.toUTC().toString("MM/dd/yyyy HH:mm:ss");
}

QString SkyDateModel::AltAzAngleString() const
{
    const double angle = m_prefControl.viewAngle();
    return label("Az") + QString::asprintf(": %.0f\u00B0 ", m_prefControl.azimuth()) + label("Alt")
           + QString::asprintf(": %.0f\u00B0 ", m_prefControl.altitude()) + label("Angle")
           + (angle <= 183.0 ? QString::asprintf(": %.0f\u00B0 ", angle) : QString(": 360.0\u00B0"));
}
