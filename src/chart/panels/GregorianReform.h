#pragma once

#include <QDateTime>

// Dates before the first day of the Gregorian calendar, 1582-10-15 04:00 UT,
// are shown in the Julian calendar and cannot be picked from a calendar.
inline bool isBeforeGregorianReform(const QDateTime& moment)
{
    static const QDateTime reform(QDate(1582, 10, 15), QTime(4, 0), Qt::UTC);
    return moment < reform;
}
