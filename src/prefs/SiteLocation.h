#pragma once

#include "model/Sexagesimal.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTimeZone>

// How the Setup tab shows a location and names its time zone.
namespace SiteLocation {

// The title of the time-zone pop-up's first item and of an empty site's zone.
inline constexpr char kUnknownZone[] = "Unknown";

// |degrees| split for the fields, to the nearest second: half a second is
// added before truncating, so 0.9999999 shows 01 00 00.
Sexagesimal fields(double degrees);
// Degrees from the three fields.
double degrees(int whole, int minutes, int seconds);

// "Unknown", then `abbreviations`, then the 53 fixed-offset zone names from
// 12 hours west to 14 hours east in half-hour steps (none past +14:00).
QStringList popupTitles(const QStringList& abbreviations);

// The zone a pop-up title stands for: an abbreviation, else a zone name.
QTimeZone lookupZone(const QString& title);

// The title to select for `offsetSeconds` east of GMT at `at`: the first
// abbreviation with that offset, else the first title from position
// abbreviations.size() on whose zone has it, else "Unknown".
QString matchingTitle(const QStringList& abbreviations, const QStringList& titles, int offsetSeconds,
                      const QDateTime& at);

}  // namespace SiteLocation
