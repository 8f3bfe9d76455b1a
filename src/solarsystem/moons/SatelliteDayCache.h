#pragma once

#include "solarsystem/DistanceUnits.h"

#include <cmath>
#include <optional>

// The once-a-day rule of the satellite computations: they are recomputed only
// when the Julian day changed, and never before a planetary pass has placed
// the planet. A separate "has results" flag lets day 0 itself (J2000.0) be
// computed too.
class SatelliteDayCache {
public:
    // The planet's distance in millions of km when the satellites must be
    // computed now (the day is then taken as computed); none when the
    // results of this day stand, or when the planet has no distance yet.
    // `geoDistance` is as the planet record holds it: km, or miles when not metric.
    std::optional<double> distanceToCompute(double julianDay, double geoDistance, bool isMetric)
    {
        const double distance = isMetric ? geoDistance : geoDistance / DistanceUnits::kMilesPerKilometre;
        if (!(distance > 0.0) || !std::isfinite(distance))
            return std::nullopt;
        const double day = julianDay - 2451545.0;
        if (m_hasResults && day == m_day)
            return std::nullopt;
        m_day = day;
        m_hasResults = true;
        return distance;
    }

private:
    double m_day = 0.0;
    bool m_hasResults = false;
};
