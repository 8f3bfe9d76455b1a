#include "prefs/SiteLocation.h"

#include "platform/TimeZoneResolver.h"

#include <algorithm>
#include <cmath>

namespace SiteLocation {

Sexagesimal fields(double degrees) { return Sexagesimal::truncated(std::fabs(degrees) + 1.0 / 7200.0); }

std::optional<double> degrees(const QString& whole, const QString& minutes, const QString& seconds,
                              int maxDegrees)
{
    const auto field = [](const QString& text, int most) -> std::optional<int> {
        if (text.trimmed().isEmpty())
            return 0;
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || value < 0 || value > most)
            return std::nullopt;
        return value;
    };
    const auto d = field(whole, maxDegrees);
    const auto m = field(minutes, 59);
    const auto s = field(seconds, 59);
    if (!d || !m || !s)
        return std::nullopt;
    const double value = *d + *m / 60.0 + *s / 3600.0;
    if (value > maxDegrees)
        return std::nullopt;
    return value;
}

QStringList popupTitles(const QStringList& abbreviations)
{
    QStringList titles{kUnknownZone};
    titles += abbreviations;
    constexpr int kHalfHour = 1800;
    for (int step = -24; step <= 28; ++step)
        titles += QString::fromUtf8(QTimeZone(step * kHalfHour).id());
    return titles;
}

QString matchingTitle(const QStringList& abbreviations, const QStringList& titles, int offsetSeconds,
                      const QDateTime& at)
{
    const auto matches = [&](const QString& title) {
        const QTimeZone zone = TimeZoneResolver::resolve(title);
        return zone.isValid() && zone.offsetFromUtc(at) == offsetSeconds;
    };
    const auto first = std::find_if(abbreviations.begin(), abbreviations.end(), matches);
    if (first != abbreviations.end() && titles.contains(*first))
        return *first;
    for (qsizetype i = abbreviations.size(); i < titles.size(); ++i) {
        if (matches(titles[i]))
            return titles[i];
    }
    return kUnknownZone;
}

}  // namespace SiteLocation
