#include "find/TypedPosition.h"

#include "model/Angles.h"

#include <QStringList>
#include <QTimeZone>

#include <cmath>

namespace TypedPosition {

namespace {

using Angles::kDegToRad;
using Angles::kRadToDeg;

constexpr double kSecondsPerYear = 31536000.0;
constexpr double kRightAngle = 90.0;

bool isSexagesimal(double value) { return value >= 0.0 && value < 60.0; }

bool readParts(const QStringList& parts, qsizetype first, double* values)
{
    for (qsizetype i = first; i < parts.size(); ++i) {
        bool ok = false;
        values[i - first] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(values[i - first]))
            return false;
    }
    return true;
}

}  // namespace

Result parse(const QString& text)
{
    const QStringList parts = text.split(u':');
    const bool isJ = parts.first().trimmed().compare(u"J", Qt::CaseInsensitive) == 0;
    const qsizetype count = parts.size() - (isJ ? 1 : 0);
    if (count != 4 && count != 6)
        return {isJ ? Outcome::Name : Outcome::BadFormat, {}};

    const qsizetype first = isJ ? 1 : 0;
    double v[6] = {};
    if (!readParts(parts, first, v))
        return {Outcome::BadFormat, {}};
    const bool withSeconds = count == 6;
    const int d = withSeconds ? 3 : 2;
    // Minutes and seconds stay below 60 and only the degrees carry a sign:
    // "0:600:0:0" is no way of writing 10 h.
    if (v[0] < 0.0)
        return {Outcome::BadFormat, {}};
    for (int i = 1; i < count; ++i) {
        if (i != d && !isSexagesimal(v[i]))
            return {Outcome::BadFormat, {}};
    }
    const double hours = v[0] + v[1] / 60.0 + (withSeconds ? v[2] / 3600.0 : 0.0);
    const double degrees = v[d];
    const double arc = v[d + 1] / 60.0 + (withSeconds ? v[d + 2] / 3600.0 : 0.0);
    const bool south =
        degrees < 0.0 || (degrees == 0.0 && parts[first + d].trimmed().startsWith(u'-'));
    const double raDeg = hours * 15.0;
    const double decDeg = south ? degrees - arc : degrees + arc;
    if (!(raDeg >= 0.0 && raDeg < 360.0) || !(std::fabs(decDeg) <= kRightAngle))
        return {Outcome::BadFormat, {}};

    const Form form = isJ ? Form::J2000 : withSeconds ? Form::SixPart : Form::FourPart;
    return {Outcome::Position, {form, raDeg * kDegToRad, decDeg * kDegToRad}};
}

QString format(float raDegrees, float decDegrees)
{
    // Whole thousandths of a minute, so that rounding never writes 60 minutes
    // (which parse refuses) and 24 h comes back as 0 h.
    constexpr qint64 kMilliPerUnit = 60000;
    constexpr qint64 kDayMilli = 24 * kMilliPerUnit;
    const auto sexagesimal = [](qint64 milli) {
        return QStringLiteral("%1:%2.%3")
            .arg(milli / kMilliPerUnit)
            .arg(milli % kMilliPerUnit / 1000)
            .arg(milli % 1000, 3, 10, QLatin1Char('0'));
    };
    const float raHours = raDegrees / 15.0f;
    const qint64 ra = std::llround(double(raHours) * kMilliPerUnit) % kDayMilli;
    const qint64 dec = std::llround(std::fabs(double(decDegrees)) * kMilliPerUnit);
    // A declination that rounds to zero is not south.
    const bool south = decDegrees < 0.0f && dec > 0;
    return sexagesimal(ra) + u':' + (south ? QStringLiteral("-") : QString()) + sexagesimal(dec);
}

double yearsSinceJ2000(const QDateTime& now)
{
    const QDateTime epoch(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
    return double(epoch.secsTo(now)) / kSecondsPerYear;
}

RaDec annualRates(double ra, double dec, double years)
{
    const float a = float(ra);
    const float d = float(dec);
    const float t = float(years);
    float raDeg = float(ra * kRadToDeg)
        + (3.075f + 1.336f * std::sin(a) * std::tan(d)) * t * 15.0f / 3600.0f;
    float decDeg = float(dec * kRadToDeg) + 20.04f * std::cos(a) * t / 3600.0f;
    if (!std::isfinite(raDeg) || !std::isfinite(decDeg))
        return {ra, dec};
    if (decDeg > kRightAngle || decDeg < -kRightAngle) {
        decDeg = (decDeg > 0.0f ? 180.0f : -180.0f) - decDeg;
        raDeg += 180.0f;
    }
    return {Angles::wrap360(raDeg) * kDegToRad, double(decDeg) * kDegToRad};
}

}  // namespace TypedPosition
