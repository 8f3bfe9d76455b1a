#pragma once

#include <QDateTime>
#include <QTimeZone>

// The one time zone every date computation and date text of the program uses.
// Qt cannot change the process's default zone, so the program keeps its own;
// it starts as the system's zone and follows the current site.
namespace AppTimeZone {

QTimeZone zone();
void setZone(const QTimeZone& zone);

// The current moment in the program's zone.
QDateTime now();

// The date and clock time `moment` shows in the program's zone, carried as a
// UTC value so a date field set to UTC shows it unchanged.
QDateTime wallClock(const QDateTime& moment);
// The moment a date field's date and clock time stand for in the program's zone.
QDateTime fromWallClock(const QDateTime& wall);

// The same date and clock time as `moment` shows in `from`, in `to`; the
// offset is `to`'s on that date, daylight saving included, not today's.
QDateTime sameWallClock(const QDateTime& moment, const QTimeZone& from, const QTimeZone& to);

}  // namespace AppTimeZone
