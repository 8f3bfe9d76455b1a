#include "solarsystem/moons/MoonStep.h"

#include "model/Angles.h"
#include "solarsystem/DistanceUnits.h"
#include "solarsystem/moons/MoonPhase.h"
#include "solarsystem/moons/MoonPosition.h"
#include "solarsystem/moons/Topocentric.h"

#include <cmath>

namespace MoonStep {

namespace {

void setUnitVector(planet& record, const Topocentric::Place& place)
{
    const double cosDec = std::cos(place.declination);
    record.vecX = cosDec * std::cos(place.rightAscension);
    record.vecY = cosDec * std::sin(place.rightAscension);
    record.vecZ = std::sin(place.declination);
}

}  // namespace

Result calculateMoon(const Input& input, planet& moon, planet& shadowPoint)
{
    using Angles::kDegToRad;

    const MoonPosition::Geocentric geo =
        MoonPosition::geocentric(input.T, input.nutationLongitude, input.cosObliquity, input.sinObliquity);
    const double latitude = input.latitude * kDegToRad;
    const double siderealTime = input.primeMeridian * kDegToRad;
    const Topocentric::Site site = Topocentric::site(latitude, kSiteHeightMetres);
    const double sinParallax = std::sin(geo.parallax);

    const double shadowRa = shadowPoint.ra;
    const double shadowDec = shadowPoint.dec;
    setUnitVector(shadowPoint, Topocentric::place(shadowRa, shadowDec, sinParallax, siderealTime, site));

    const Topocentric::Place topo =
        Topocentric::place(geo.rightAscension, geo.declination, sinParallax, siderealTime, site);
    setUnitVector(moon, topo);
    moon.ra = float(topo.rightAscension);
    moon.dec = float(topo.declination);
    double distance = geo.distanceKm * 0.001;
    if (!input.isMetric)
        distance *= DistanceUnits::kMilesPerKilometre;
    moon.geoDistance = float(distance);

    const MoonPhase::Phase phase = MoonPhase::phase(geo.longitude, geo.latitude, input.earthLongitude);
    moon.mag = float(1000.0 * phase.illuminatedFraction);

    Result result{};
    result.moonHP = geo.parallax;
    result.moonAD = geo.apparentDiameter;
    result.moonPhase = phase.percent;
    result.moonAge = phase.age;
    result.moonTermA =
        Topocentric::parallacticAngle(siderealTime - topo.rightAscension, topo.declination, latitude);
    return result;
}

}  // namespace MoonStep
