#include "solarsystem/moons/Topocentric.h"

#include "model/Angles.h"

#include <cmath>

namespace Topocentric {

namespace {

// Polar over equatorial radius of the Earth, and the equatorial radius in metres.
constexpr double kAxisRatio = 0.99664719;
constexpr double kEquatorialRadiusMetres = 6378140.0;

}  // namespace

Site site(double latitude, double heightMetres)
{
    // atan2 keeps u finite at the poles, where tan(latitude) has no value.
    const double u = std::atan2(kAxisRatio * std::sin(latitude), std::cos(latitude));
    const double h = heightMetres / kEquatorialRadiusMetres;
    return {std::cos(u) + h * std::cos(latitude), kAxisRatio * std::sin(u) + h * std::sin(latitude)};
}

Place place(double rightAscension, double declination, double sinParallax, double localSiderealTime,
            const Site& site)
{
    const double hourAngle = localSiderealTime - rightAscension;
    const double cosDec = std::cos(declination);
    const double denominator = cosDec - site.rhoCosPhi * sinParallax * std::cos(hourAngle);
    const double deltaRa = std::atan2(-site.rhoCosPhi * sinParallax * std::sin(hourAngle), denominator);
    const double dec = std::atan2((std::sin(declination) - site.rhoSinPhi * sinParallax) * std::cos(deltaRa),
                                  denominator);
    return {Angles::wrapTwoPi(rightAscension + deltaRa), dec};
}

double parallacticAngle(double hourAngle, double declination, double latitude)
{
    return std::atan2(std::sin(hourAngle),
                      std::cos(declination) * std::tan(latitude) - std::sin(declination) * std::cos(hourAngle));
}

}  // namespace Topocentric
