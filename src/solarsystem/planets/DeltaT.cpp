#include "solarsystem/planets/DeltaT.h"

#include "solarsystem/planets/DeltaTTable.h"

#include <algorithm>
#include <cmath>

namespace {

// Espenak and Meeus, "Five Millennium Canon of Solar Eclipses" (NASA TP-2006-214141),
// after Morrison and Stephenson (2004): the long-term parabola, and the
// polynomials of -500..500, 500..1600 and 1600..1700.
double longTermParabola(double y)
{
    const double u = (y - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u;
}

double beforeYear500(double y)
{
    const double u = y / 100.0;
    return 10583.6
           + u * (-1014.41 + u * (33.78311 + u * (-5.952053 + u * (-0.1798452 + u * (0.022174192 + u * 0.0090316521)))));
}

double beforeYear1600(double y)
{
    const double u = (y - 1000.0) / 100.0;
    return 1574.2
           + u * (-556.01 + u * (71.23472 + u * (0.319781 + u * (-0.8503463 + u * (-0.005050998 + u * 0.0083572073)))));
}

double seventeenthCentury(double y)
{
    const double t = y - 1600.0;
    return 120.0 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129.0;
}

constexpr double kJoinStart = 1600.0;
// The parabola takes over alone from here on, as in Espenak and Meeus's 2050..2150 rule.
constexpr double kPredictionEnd = 2150.0;

double firstMeasuredYear()
{
    return double(DeltaTTable::kFirstYear);
}

double lastMeasuredYear()
{
    return double(DeltaTTable::kFirstYear) + double(DeltaTTable::seconds.size() - 1);
}

// Straight lines between the yearly values.
double measured(double y)
{
    const double x = y - firstMeasuredYear();
    const std::size_t i = std::min(std::size_t(x), DeltaTTable::seconds.size() - 2);
    const double f = x - double(i);
    return DeltaTTable::seconds[i] * (1.0 - f) + DeltaTTable::seconds[i + 1] * f;
}

}  // namespace

double DeltaT::seconds(double year)
{
    const double y = year;
    if (!(y >= -500.0))  // NaN lands here too
        return longTermParabola(y);
    if (y < 500.0)
        return beforeYear500(y);
    if (y < kJoinStart)
        return beforeYear1600(y);
    const double first = firstMeasuredYear();
    if (y < first) {
        // The 1600..1700 polynomial, moved by an amount that runs linearly from
        // where the 500..1600 one ends to where the measured values begin.
        const double s = (y - kJoinStart) / (first - kJoinStart);
        const double atStart = beforeYear1600(kJoinStart) - seventeenthCentury(kJoinStart);
        const double atEnd = DeltaTTable::seconds.front() - seventeenthCentury(first);
        return seventeenthCentury(y) + (1.0 - s) * atStart + s * atEnd;
    }
    const double last = lastMeasuredYear();
    if (y <= last)
        return measured(y);
    if (y >= kPredictionEnd)
        return longTermParabola(y);
    // The parabola, with the difference at the last measured year fading
    // linearly to nothing by kPredictionEnd.
    const double offset = DeltaTTable::seconds.back() - longTermParabola(last);
    return longTermParabola(y) + offset * (kPredictionEnd - y) / (kPredictionEnd - last);
}
