#include "find/TransitTimes.h"

#include "model/Angles.h"

#include <QDateTime>

#include <cmath>

namespace {

// Mean solar hours per sidereal hour.
constexpr double kSolarPerSidereal = 0.9972695663;
constexpr double kHoursPerDay = 24.0;
constexpr double kUnixEpochJulianDay = 2440587.5;
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;

double wrapDay(double hours)
{
    hours = std::fmod(hours, kHoursPerDay);
    return hours < 0.0 ? hours + kHoursPerDay : hours;
}

// Greenwich mean sidereal time at 0 h UT, hours 0 to 24.
double gmst0(const QDateTime& utMidnight)
{
    const double jd = double(utMidnight.toSecsSinceEpoch()) / 86400.0 + kUnixEpochJulianDay;
    const double T = (jd - kJ2000) / kDaysPerCentury;
    return wrapDay(6.697374558 + 2400.051336 * T + 2.5862e-5 * T * T);
}

// The local clock hours of the moment `siderealHours` (0 to 24) of sidereal
// time after `start`.
double localHours(const QDateTime& start, double siderealHours, const QTimeZone& zone)
{
    const double solar = siderealHours * kSolarPerSidereal;
    const QTime clock =
        start.addMSecs(qint64(std::llround(solar * 3.6e6))).toTimeZone(zone).time();
    return clock.msecsSinceStartOfDay() / 3.6e6;
}

// Whole minutes rounded, or cut when `cut`; 60 carries into the hour.
QTime clockTime(double hours, bool cut)
{
    int h = int(hours);
    const double fraction = (hours - h) * 60.0;
    int m = int(cut ? fraction : fraction + 0.5);
    if (m >= 60) {
        m -= 60;
        h = (h + 1) % 24;
    }
    return QTime(h % 24, m);
}

}  // namespace

TransitTimes TransitTimes::calculateTransit(double ra, double dec, const Site& site, QDate date,
                                            const QTimeZone& zone)
{
    TransitTimes result;
    if (!date.isValid() || !zone.isValid() || !std::isfinite(ra) || !std::isfinite(dec))
        return result;
    // Each event is the first after local midnight, so the times belong to
    // the local date whatever the zone's offset on that day.
    const QDateTime start = QDateTime(date, QTime(0, 0), zone).toUTC();
    const QDateTime utMidnight(start.date(), QTime(0, 0), QTimeZone::utc());
    const double sinceUtMidnight = utMidnight.msecsTo(start) / 3.6e6;
    const double siderealAtStart = wrapDay(gmst0(utMidnight) + sinceUtMidnight / kSolarPerSidereal);
    const double alpha = Angles::wrap360(ra) / 15.0;
    const double L = site.longitude / 15.0;
    // Hour angle 0 comes this many sidereal hours after the start.
    const double transitWait = wrapDay(alpha - L - siderealAtStart);
    result.transit = clockTime(localHours(start, transitWait, zone), false);

    const double phi = site.latitude * Angles::kDegree;
    const double delta = dec * Angles::kDegree;
    const double cosH = -std::tan(phi) * std::tan(delta);
    if (!(std::abs(cosH) <= 1.0))
        return result;
    const double H = std::acos(cosH) / Angles::kPi * 12.0;
    const double rise = localHours(start, wrapDay(transitWait - H), zone);
    const double set = localHours(start, wrapDay(transitWait + H), zone);
    result.rise = clockTime(rise, false);
    result.set = clockTime(set, true);
    result.riseTimeHour = float(rise);
    result.setTimeHour = float(set);
    return result;
}

QString TransitTimes::text(const std::optional<QTime>& time, const QLocale& locale)
{
    return time ? locale.toString(*time, QLocale::ShortFormat) : QStringLiteral(" ");
}
