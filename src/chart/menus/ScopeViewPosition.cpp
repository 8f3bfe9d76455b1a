#include "chart/menus/ScopeViewPosition.h"

#include "model/Angles.h"

#include <QStringList>

#include <cmath>

namespace ScopeViewPosition {

namespace {

constexpr double kHoursToRadians = 0.26179938779914946;
// Seconds of declination from here on are written as the next minute.
constexpr double kDecSecondsCarry = 59.95;

std::optional<double> number(const QString& field)
{
    bool ok = false;
    const double value = field.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool isSexagesimal(double value) { return value >= 0.0 && value < 60.0; }

}  // namespace

QString format(double raDegrees, double decDegrees)
{
    double wrapped = std::fmod(raDegrees, 360.0);
    if (wrapped < 0.0)
        wrapped += 360.0;
    const double ra = wrapped / 15.0;
    int h = int(ra);
    const double raMinutes = (ra - h) * 60.0;
    int m = int(raMinutes);
    int s = int((raMinutes - m) * 60.0 + 0.5);
    if (s >= 60) {
        s = 0;
        ++m;
    }
    if (m > 59) {
        m = 0;
        ++h;
    }
    if (h >= 24)
        h = 0;

    const double a = std::fabs(decDegrees);
    int d = int(a);
    const double decMinutes = (a - d) * 60.0;
    int mm = int(decMinutes);
    double ss = (decMinutes - mm) * 60.0;
    if (ss >= kDecSecondsCarry) {
        ss = 0.0;
        ++mm;
    }
    if (mm > 59) {
        mm = 0;
        ++d;
    }
    const QString raText = QString::asprintf("%d:%d:%d", h, m, s);
    if (decDegrees < 0.0 && d == 0)
        return raText + QString::asprintf(":-0:%d:%.1f", mm, ss);
    if (decDegrees < 0.0)
        return raText + QString::asprintf(":-%d:%d:%.1f", d, mm, ss);
    return raText + QString::asprintf(":+%d:%d:%.1f", d, mm, ss);
}

std::optional<Radians> parse(const QString& text)
{
    const QStringList parts = text.split(u':');
    if (parts.size() != 6)
        return std::nullopt;
    double values[6];
    for (int i = 0; i < 6; ++i) {
        const std::optional<double> value = number(parts[i]);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    const auto [h, m, sec, d, decMinutes, decSeconds] = values;
    if (h < 0.0 || h >= 24.0 || !isSexagesimal(m) || !isSexagesimal(sec) || std::fabs(d) > 90.0 ||
        !isSexagesimal(decMinutes) || !isSexagesimal(decSeconds))
        return std::nullopt;
    const bool south = d < 0.0 || (d == 0.0 && parts[3].trimmed().startsWith(u'-'));
    const double magnitude = std::fabs(d) + decMinutes / 60.0 + decSeconds / 3600.0;
    // Fractional hours pass the field checks, so the total is checked too.
    const double hours = h + m / 60.0 + sec / 3600.0;
    if (magnitude > 90.0 || hours >= 24.0)
        return std::nullopt;
    return Radians{hours * kHoursToRadians, (south ? -magnitude : magnitude) * Angles::kDegToRad};
}

}  // namespace ScopeViewPosition
