#include "solarsystem/planets/PlanetPhysics.h"

#include "model/Angles.h"
#include "model/records/BodyNumber.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double PlanetPhysics::phaseCosine(const EclipticPlace& helio, double earthRadius, double earthLongitude,
                                  double delta)
{
    const double k = (helio.radius
                      - earthRadius * std::cos(helio.latitude) * std::cos(helio.longitude - earthLongitude))
                     / delta;
    return std::clamp(k, -1.0, 1.0);
}

double PlanetPhysics::signedIlluminatedPercent(double phaseCosine, double longitude, double earthLongitude)
{
    const double percent = (phaseCosine + 1.0) * 0.5 * 100.0;
    const double sun = Angles::wrapTwoPi(earthLongitude + std::numbers::pi);
    const double l = longitude < sun ? longitude + Angles::kTwoPi : longitude;
    return l - sun > std::numbers::pi ? -percent : percent;
}

double PlanetPhysics::magnitude(int body, double radius, double delta, double i, double ringB)
{
    const double distance = 5.0 * std::log10(radius * delta);
    switch (body) {
    case BodyNumber::kMercury:
        return -0.42 + distance + 0.038 * i - 0.000273 * i * i + 0.000002 * i * i * i;
    case BodyNumber::kVenus:
        return -4.40 + distance + 0.0009 * i + 0.000239 * i * i - 0.00000065 * i * i * i;
    case BodyNumber::kMars:
        return -1.52 + distance + 0.016 * i;
    case BodyNumber::kJupiter:
        return -9.40 + distance + 0.005 * i;
    case BodyNumber::kSaturn:
        return -8.88 + distance + 0.044 * i - 2.60 * std::sin(std::abs(ringB)) + 1.25 * ringB * ringB;
    case BodyNumber::kUranus:
        return -7.19 + distance;
    case BodyNumber::kNeptune:
        return -6.87 + distance;
    default:
        return -1.00 + distance;
    }
}
