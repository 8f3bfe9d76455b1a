#include "find/TransitTimes.h"

#include "model/Angles.h"
#include "model/SkyDateModel.h"

#include <QDateTime>

#include <cmath>

namespace {

// Local clock hours of the moment jd.
double localHours(double jd, const QTimeZone& zone)
{
    const QDateTime moment = SkyDateModel::momentOf(jd).toTimeZone(zone);
    return moment.time().msecsSinceStartOfDay() / 3.6e6;
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
    if (!std::isfinite(ra) || !std::isfinite(dec))
        return {};
    const PlaceEvents::SkyPlace fixed{ra * Angles::kDegree, dec * Angles::kDegree};
    return calculateTransit([fixed](double) { return fixed; }, site, date, zone);
}

TransitTimes TransitTimes::calculateTransit(const PlaceEvents::PlaceAt& moving, const Site& site, QDate date,
                                            const QTimeZone& zone)
{
    TransitTimes result;
    if (!date.isValid() || !zone.isValid() || !moving || !std::isfinite(site.latitude) ||
        !std::isfinite(site.longitude))
        return result;
    // The three searches start at the same moment and come back to each
    // other's: a planet's place is a planetary pass, worked out once each.
    const PlaceEvents::PlaceAt place = PlaceEvents::remembered(moving);
    // Each event is the first of the local date, however long daylight-saving makes it.
    const double from = SkyDateModel::julianDayOf(QDateTime(date, QTime(0, 0), zone));
    const double to = SkyDateModel::julianDayOf(QDateTime(date.addDays(1), QTime(0, 0), zone));
    if (const std::optional<double> transit = PlaceEvents::transit(place, site, from, to))
        result.transit = clockTime(localHours(*transit, zone), false);
    const std::optional<double> rise = PlaceEvents::crossing(place, site, from, to, 0.0, true);
    const std::optional<double> set = PlaceEvents::crossing(place, site, from, to, 0.0, false);
    if (rise) {
        result.riseTimeHour = float(localHours(*rise, zone));
        result.rise = clockTime(result.riseTimeHour, false);
    }
    if (set) {
        result.setTimeHour = float(localHours(*set, zone));
        result.set = clockTime(result.setTimeHour, true);
    }
    return result;
}

QString TransitTimes::text(const std::optional<QTime>& time, const QLocale& locale)
{
    return time ? locale.toString(*time, QLocale::ShortFormat) : QStringLiteral(" ");
}
