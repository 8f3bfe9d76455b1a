#include "solarsystem/smallbodies/CalendarJulianDay.h"

#include <cmath>

double calendarJulianDay(int year, int month, double day)
{
    const bool gregorian = year > 1582 || (year == 1582 && month > 10)
        || (year == 1582 && month == 10 && std::trunc(day) >= 15.0);
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const int a = year / 100;
    const int b = gregorian ? 2 - a + a / 4 : 0;
    return std::trunc(365.25 * (year + 4716)) + std::trunc(30.6001 * (month + 1)) + b + day - 1524.5;
}
