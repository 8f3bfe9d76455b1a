#include "solarsystem/smallbodies/SiteParallax.h"

#include "platform/VectorClones.h"
#include "model/SinCos.h"

#include <cmath>
#include <numbers>

SiteParallax::SiteParallax(double latitude, double siderealTime, double heightMetres)
    : m_site(::Topocentric::site(latitude, heightMetres))
    , m_sinSidereal(std::sin(siderealTime))
    , m_cosSidereal(std::cos(siderealTime))
{
}

NORVANE_VECTOR_CLONES
SiteParallax::Topocentric SiteParallax::apply(const OrbitPlace::Geocentric& place) const
{
    // Sines and cosines of the right ascension, declination and hour angle
    // straight from the rectangular place.
    const auto& [x, y, z] = place.rectangular;
    const double equatorial = place.equatorial;
    const double perEquatorial = 1.0 / equatorial;
    const double perDistance = 1.0 / place.distance;
    const double cosRa = x * perEquatorial;
    const double sinRa = y * perEquatorial;
    const double sinDec = z * perDistance;
    const double cosDec = equatorial * perDistance;
    const double sinHour = m_sinSidereal * cosRa - m_cosSidereal * sinRa;
    const double cosHour = m_cosSidereal * cosRa + m_sinSidereal * sinRa;

    const double parallax = kSolarParallax * perDistance;
    const double sp = std::abs(parallax) <= SinCos::kSeriesReach ? SinCos::ofStep(parallax).sin : std::sin(parallax);
    const double raShift = -m_site.rhoCosPhi * sp * sinHour / cosDec;
    const double decShift = -sp * (m_site.rhoSinPhi * cosDec - m_site.rhoCosPhi * cosHour * sinDec);
    Topocentric result;
    result.rightAscension = place.rightAscension + raShift;
    if (result.rightAscension < 0.0)
        result.rightAscension += 2.0 * std::numbers::pi;
    result.declination = place.declination + decShift;
    // The geocentric pairs turned by the shifts, which are small but for the
    // right ascension's near a pole.
    const SinCos ra = SinCos{sinRa, cosRa}.movedTo(result.rightAscension, raShift);
    const SinCos dec = SinCos{sinDec, cosDec}.movedTo(result.declination, decShift);
    result.unitVector = {dec.cos * ra.cos, dec.cos * ra.sin, dec.sin};
    return result;
}
