#include "solarsystem/planets/SunSky.h"

#include "model/Angles.h"

#include <algorithm>
#include <cmath>

double SunSky::altitude(double ra, double dec, double lst, double latitude)
{
    const double H = lst * Angles::kDegree - ra;
    const double phi = latitude * Angles::kDegree;
    return std::asin(std::cos(H) * std::cos(dec) * std::cos(phi) + std::sin(dec) * std::sin(phi));
}

double SunSky::azimuth(double ra, double dec, double lst, double latitude)
{
    const double H = lst * Angles::kDegree - ra;
    const double phi = latitude * Angles::kDegree;
    const double fromSouth = std::atan2(std::sin(H), std::cos(H) * std::sin(phi) - std::tan(dec) * std::cos(phi));
    return Angles::wrapTwoPi(fromSouth + std::numbers::pi);
}

double SunSky::twilightLevel(double altitude)
{
    return std::clamp(altitude / Angles::kDegree + 18.0, -0.5, 17.5);
}
