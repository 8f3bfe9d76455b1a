#include "scopeview/SVReadouts.h"

#include "model/Sexagesimal.h"

#include <cmath>

namespace {

const QChar kDegree(0x00B0);
constexpr int kMinutes = 60;
constexpr double kHoursPerDay = 24.0;
constexpr double kTenthCarry = 59.95;

}  // namespace

namespace SVReadouts {

QString power(double power) { return QString::number(int(power + 0.5)); }

QString fov(double fovDegrees) { return Sexagesimal::fieldText(fovDegrees); }

QString rightAscension(double hours)
{
    hours = std::fmod(hours, kHoursPerDay);
    if (hours < 0.0)
        hours += kHoursPerDay;
    if (!std::isfinite(hours))
        hours = 0.0;
    int h = int(hours);
    const double minutes = (hours - h) * kMinutes;
    int m = int(minutes);
    int s = int((minutes - m) * kMinutes + 0.5);
    if (s >= kMinutes) {
        s = 0;
        ++m;
    }
    if (m > kMinutes - 1) {
        m = 0;
        ++h;
    }
    if (h > 23) {
        h = 0;
        s = 0;
    }
    return QStringLiteral("%1h %2m %3s").arg(h).arg(m).arg(s);
}

QString declination(double degrees)
{
    const double a = std::abs(degrees);
    int d = int(a);
    const double minutes = (a - d) * kMinutes;
    int m = int(minutes);
    double s = (minutes - m) * kMinutes;
    if (s >= kTenthCarry) {
        s = 0.0;
        ++m;
    }
    if (m > kMinutes - 1) {
        m = 0;
        ++d;
    }
    return QStringLiteral("%1%2%3 %4' %5\"")
        .arg(degrees < 0.0 ? QStringLiteral("-") : QString())
        .arg(d)
        .arg(kDegree)
        .arg(m)
        .arg(s, 0, 'f', 1);
}

}  // namespace SVReadouts
