#include "chart/panels/ReadoutText.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr QChar kDegree(0x00B0);
// Carried into the readouts so that 12.9999 degrees shows as 13 00'.
constexpr double kRaCarry = 0.000139;
constexpr double kAngleCarry = 0.000138;
// The Gregorian calendar starts on this day (Julian day, whole).
constexpr double kGregorianStart = 2299161.0;
constexpr double kLargestDay = 1.0e7;
constexpr double kMsPerDay = 86400000.0;

const std::array<const char*, ReadoutText::CodeCount> kLabels = {"",   "View", "C:RA", "C:Alt", "UT",
                                                                  "GST", "LST", "JD",   "Locn"};
const std::array<const char*, 12> kMonths = {"Jan ", "Feb ", "Mar ", "Apr ", "May ", "Jun ",
                                             "Jul ", "Aug ", "Sep ", "Oct ", "Nov ", "Dec "};

// "Dec: 5° 07'", "Dec: -0° 30'" for a signed angle in degrees.
QString signedAngle(const char* name, double degrees)
{
    const double a = std::abs(degrees) + kAngleCarry;
    const int whole = int(a);
    const int minutes = int((a - whole) * 60.0);
    const QString sign = degrees < 0.0 ? QStringLiteral("-") : QString();
    return QStringLiteral("%1: %2%3%4 %5'")
        .arg(QLatin1String(name), sign)
        .arg(whole)
        .arg(kDegree)
        .arg(minutes, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString ReadoutText::label(int code)
{
    return code >= 0 && code < CodeCount ? QString::fromLatin1(kLabels[std::size_t(code)]) : QString();
}

QString ReadoutText::calcMouseRA(double raDegrees, double decDegrees)
{
    double h = raDegrees / 15.0 + kRaCarry;
    if (h >= 24.0)
        h -= 24.0;
    const int hours = int(h);
    const int minutes = int((h - hours) * 60.0);
    return QStringLiteral("C_RA: %1h %2m  ").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')) +
           signedAngle("Dec", decDegrees);
}

QString ReadoutText::calcMouseAlt(double azDegrees, double altDegrees)
{
    double a = azDegrees + kAngleCarry;
    if (a >= 360.0)
        a -= 360.0;
    const int whole = int(a);
    const int minutes = int((a - whole) * 60.0);
    return QStringLiteral("C_Az: %1%2 %3'  ").arg(whole).arg(kDegree).arg(minutes, 2, 10, QLatin1Char('0')) +
           signedAngle("Alt", altDegrees);
}

QString ReadoutText::calculateDateFromJD(double jd)
{
    if (!std::isfinite(jd) || std::abs(jd) > kLargestDay)
        return {};
    // Whole parts by floor, so that days before the epoch (negative Julian
    // days) fall on the right date and time.
    const double J = jd + 0.5;
    const double Z = std::floor(J);
    const double F = J - Z;
    double A = Z;
    if (Z >= kGregorianStart) {
        const double alpha = std::floor((Z - 1867216.25) / 36524.25);
        A = Z + 1.0 + alpha - std::floor(alpha / 4.0);
    }
    const double b = A + 1524.0;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);
    const double dayWithFraction = b - d - std::floor(30.6001 * e) + F;

    // The time of day to the millisecond first, so that rounding in the
    // day number cannot take a second off; then cut to whole seconds.
    int day = int(std::floor(dayWithFraction));
    const auto ms = std::int64_t(std::llround((dayWithFraction - day) * kMsPerDay));
    int hours = int(ms / 3600000);
    const int minutes = int(ms / 60000 % 60);
    const int seconds = int(ms / 1000 % 60);
    if (hours == 24) {
        hours = 0;
        ++day;
    }
    const int month = int(e < 14.0 ? e - 1.0 : e - 13.0);
    const int year = int(c) - 4716 + (month <= 2 ? 1 : 0);
    QString text = QString::fromLatin1(kMonths[std::size_t(month - 1)]) +
                   QStringLiteral("%1, %2 %3:%4:%5")
                       .arg(day)
                       .arg(std::abs(year))
                       .arg(hours)
                       .arg(minutes, 2, 10, QLatin1Char('0'))
                       .arg(seconds, 2, 10, QLatin1Char('0'));
    if (year <= 0)
        text += QStringLiteral(" B.C.E.");
    return text;
}
