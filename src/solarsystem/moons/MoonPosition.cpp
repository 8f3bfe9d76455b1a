#include "solarsystem/moons/MoonPosition.h"

#include "model/Angles.h"
#include "solarsystem/moons/MoonTables.h"

#include <cmath>
#include <cstdlib>

namespace MoonPosition {

namespace {

using Angles::kDegToRad;

constexpr double kMeanDistanceKm = 385000.56;
constexpr double kEarthRadiusKm = 6378.14;
constexpr double kMoonDiameterKm = 3475.856172677;

// A fundamental argument given in degrees, in radians 0..2 pi.
double argument(double degrees)
{
    return Angles::wrapTwoPi(degrees * kDegToRad);
}

// Terms with the Sun's anomaly M shrink with the eccentricity of the Earth's orbit.
double eccentricityFactor(int m, double e)
{
    switch (std::abs(m)) {
    case 0:
        return 1.0;
    case 1:
        return e;
    default:
        return e * e;
    }
}

}  // namespace

Geocentric geocentric(double T, double nutationLongitude, double cosObliquity, double sinObliquity)
{
    const double T2 = T * T;
    const double T3 = T2 * T;
    const double T4 = T3 * T;
    const double Lp = argument(218.3164477 + 481267.88123421 * T - 0.0015786 * T2 + T3 / 538841.0
                               - T4 / 65194000.0);
    const double D = argument(297.8501921 + 445267.1114034 * T - 0.0018819 * T2 + T3 / 545868.0
                              - T4 / 113065000.0);
    const double M = argument(357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000.0);
    const double Mp = argument(134.9633964 + 477198.8675055 * T + 0.0087414 * T2 + T3 / 69699.0
                               - T4 / 14712000.0);
    const double F = argument(93.272095 + 483202.0175233 * T - 0.0036539 * T2 - T3 / 3526000.0
                              + T4 / 863310000.0);
    const double A1 = argument(119.75 + 131.849 * T);
    const double A2 = argument(53.09 + 479264.29 * T);
    const double A3 = argument(313.45 + 481266.484 * T);
    const double E = 1.0 - 0.002516 * T - 0.0000074 * T2;

    double sumL = 0.0;
    double sumR = 0.0;
    for (const MoonTables::LongitudeDistanceTerm& term : MoonTables::longitudeDistance()) {
        const double arg = term.d * D + term.m * M + term.mPrime * Mp + term.f * F;
        const double e = eccentricityFactor(term.m, E);
        if (term.longitude != 0)
            sumL += term.longitude * e * std::sin(arg);
        if (term.distance != 0)
            sumR += term.distance * e * std::cos(arg);
    }
    double sumB = 0.0;
    for (const MoonTables::LatitudeTerm& term : MoonTables::latitude()) {
        const double arg = term.d * D + term.m * M + term.mPrime * Mp + term.f * F;
        sumB += term.latitude * eccentricityFactor(term.m, E) * std::sin(arg);
    }
    // Venus, Jupiter and the Earth's flattening.
    sumL += 3958.0 * std::sin(A1) + 1962.0 * std::sin(Lp - F) + 318.0 * std::sin(A2);
    sumB += -2235.0 * std::sin(Lp) + 382.0 * std::sin(A3) + 175.0 * std::sin(A1 - F)
            + 175.0 * std::sin(A1 + F) + 127.0 * std::sin(Lp - Mp) - 115.0 * std::sin(Lp + Mp);

    Geocentric place{};
    place.longitude = Angles::wrapTwoPi(Lp + sumL * 1e-6 * kDegToRad + nutationLongitude);
    place.latitude = sumB * 1e-6 * kDegToRad;
    place.distanceKm = kMeanDistanceKm + sumR / 1000.0;
    place.parallax = std::asin(kEarthRadiusKm / place.distanceKm);
    place.apparentDiameter = kMoonDiameterKm / place.distanceKm;

    const double sinL = std::sin(place.longitude);
    place.rightAscension = Angles::wrapTwoPi(
        std::atan2(sinL * cosObliquity - std::tan(place.latitude) * sinObliquity, std::cos(place.longitude)));
    place.declination = std::asin(std::sin(place.latitude) * cosObliquity
                                  + std::cos(place.latitude) * sinObliquity * sinL);
    return place;
}

}  // namespace MoonPosition
