#include "solarsystem/smallbodies/SiteParallax.h"

#include <cmath>
#include <numbers>

SiteParallax::SiteParallax(double latitude, double siderealTime, double heightMetres)
    : m_site(::Topocentric::site(latitude, heightMetres))
    , m_sinSidereal(std::sin(siderealTime))
    , m_cosSidereal(std::cos(siderealTime))
{
}

SiteParallax::Topocentric SiteParallax::apply(const OrbitPlace::Geocentric& place) const
{
    // Sines and cosines of the right ascension, declination and hour angle
    // straight from the rectangular place.
    const auto& [x, y, z] = place.rectangular;
    const double equatorial = std::sqrt(x * x + y * y);
    const double cosRa = x / equatorial;
    const double sinRa = y / equatorial;
    const double sinDec = z / place.distance;
    const double cosDec = equatorial / place.distance;
    const double sinHour = m_sinSidereal * cosRa - m_cosSidereal * sinRa;
    const double cosHour = m_cosSidereal * cosRa + m_sinSidereal * sinRa;

    const double sp = std::sin(kSolarParallax / place.distance);
    Topocentric result;
    result.rightAscension = place.rightAscension - m_site.rhoCosPhi * sp * sinHour / cosDec;
    if (result.rightAscension < 0.0)
        result.rightAscension += 2.0 * std::numbers::pi;
    result.declination =
        place.declination - sp * (m_site.rhoSinPhi * cosDec - m_site.rhoCosPhi * cosHour * sinDec);
    return result;
}
