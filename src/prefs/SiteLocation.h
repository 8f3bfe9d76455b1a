#pragma once

#include "model/Sexagesimal.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include <optional>

// How the Setup tab shows a location and names its time zone.
namespace SiteLocation {

// The title of the time-zone pop-up's first item and of an empty site's zone.
inline constexpr char kUnknownZone[] = "Unknown";

// |degrees| split for the fields, to the nearest second: half a second is
// added before truncating, so 0.9999999 shows 01 00 00.
Sexagesimal fields(double degrees);
// Degrees from the three fields' texts (an empty field reads 0), or nothing
// when a field is not a number or out of range: whole degrees to
// `maxDegrees` (90 for a latitude, 180 for a longitude) and no further,
// minutes and seconds 0 to 59.
std::optional<double> degrees(const QString& whole, const QString& minutes, const QString& seconds,
                              int maxDegrees);

// "Unknown", then `abbreviations`, then the 53 fixed-offset zone names from
// 12 hours west to 14 hours east in half-hour steps (none past +14:00).
QStringList popupTitles(const QStringList& abbreviations);

// The title to select for `offsetSeconds` east of GMT at `at`: the first
// abbreviation with that offset, else the first title from position
// abbreviations.size() on whose zone has it, else "Unknown".
QString matchingTitle(const QStringList& abbreviations, const QStringList& titles, int offsetSeconds,
                      const QDateTime& at);

}  // namespace SiteLocation
