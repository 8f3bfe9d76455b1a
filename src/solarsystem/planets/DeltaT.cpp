#include "solarsystem/planets/DeltaT.h"

#include <cmath>

namespace {

double espenakMeeus(double y)
{
    if (y < 1700.0) {
        const double t = y - 1600.0;
        return 120.0 - 0.9808 * t - 0.01532 * t * t + t * t * t / 7129.0;
    }
    if (y < 1800.0) {
        const double t = y - 1700.0;
        return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000.0)));
    }
    if (y < 1860.0) {
        const double t = y - 1800.0;
        return 13.72
               + t * (-0.332447
                      + t * (0.0068612
                             + t * (0.0041116
                                    + t * (-0.00037436
                                           + t * (0.0000121272
                                                  + t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900.0) {
        const double t = y - 1860.0;
        return 7.62
               + t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174.0))));
    }
    if (y < 1920.0) {
        const double t = y - 1900.0;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
    }
    if (y < 1941.0) {
        const double t = y - 1920.0;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (y < 1961.0) {
        const double t = y - 1950.0;
        return 29.07 + 0.407 * t - t * t / 233.0 + t * t * t / 2547.0;
    }
    if (y < 1986.0) {
        const double t = y - 1975.0;
        return 45.45 + 1.067 * t - t * t / 260.0 - t * t * t / 718.0;
    }
    const double t = y - 2000.0;
    return 63.86
           + t * (0.3345 + t * (-0.060374 + t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
}

}  // namespace

double DeltaT::seconds(double year)
{
    const double t = (year - 2000.0) / 100.0;
    const double yi = std::trunc(year);
    if (yi >= 1600.0 && yi <= 2004.0)
        return espenakMeeus(year);
    if (yi >= 2005.0 && yi <= 2015.0)
        return 69.0 + 1.1 * (year - 2005.0);
    if (yi <= 947.0)
        return 2177.0 + 497.0 * t + 44.1 * t * t;
    const double longTerm = 102.0 + 102.0 * t + 25.3 * t * t;
    if (yi >= 2016.0 && yi <= 2100.0)
        return longTerm + 0.37 * (year - 2100.0);
    return longTerm;
}
