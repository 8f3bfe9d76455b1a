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

}  // namespace AppTimeZone
