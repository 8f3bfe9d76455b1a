#include "prefs/SiteLocation.h"

#include "platform/TimeZoneResolver.h"

#include <algorithm>
#include <cmath>

namespace SiteLocation {

Sexagesimal fields(double degrees) { return Sexagesimal::truncated(std::fabs(degrees) + 1.0 / 7200.0); }

double degrees(int whole, int minutes, int seconds) { return whole + minutes / 60.0 + seconds / 3600.0; }

QStringList popupTitles(const QStringList& abbreviations)
{
    QStringList titles{kUnknownZone};
    titles += abbreviations;
    constexpr int kHalfHour = 1800;
    for (int step = -24; step <= 28; ++step)
        titles += QString::fromUtf8(QTimeZone(step * kHalfHour).id());
    return titles;
}

QTimeZone lookupZone(const QString& title)
{
    const QTimeZone zone = TimeZoneResolver::resolve(title);
    if (zone.isValid() || title.isEmpty())
        return zone;
    // Fixed-offset names such as "UTC+05:30" are not in the system's zone list.
    return QTimeZone(title.toUtf8());
}

QString matchingTitle(const QStringList& abbreviations, const QStringList& titles, int offsetSeconds,
                      const QDateTime& at)
{
    const auto matches = [&](const QString& title) {
        const QTimeZone zone = lookupZone(title);
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
