#include "solarsystem/moons/SaturnSatellites.h"

#include "solarsystem/DistanceUnits.h"
#include "solarsystem/moons/EclipticPrecession.h"
#include "solarsystem/moons/SaturnSatellitePositions.h"

#include <cmath>

namespace {

// The equinox of the method's orbital elements, B1950.0.
constexpr double kB1950 = 2433282.4235;

}  // namespace

void SaturnSatellites::calculateSaturnSatellites(const SaturnSatelliteInput& input)
{
    double distance = input.geoDistance;
    if (!input.isMetric)
        distance /= DistanceUnits::kMilesPerKilometre;
    if (!(distance > 0.0) || !std::isfinite(distance))
        return;

    const double d = input.julianDay - 2451545.0;
    if (hasResults_ && d == julianSatSave_)
        return;
    julianSatSave_ = d;
    hasResults_ = true;

    const double distanceAu = distance / DistanceUnits::kMillionKmPerAu;
    const EclipticPrecession::Ecliptic b1950 =
        EclipticPrecession::precess(input.sL, input.sB, input.julianDay, kB1950);
    const SaturnSatellitePositions::Satellites satellites = SaturnSatellitePositions::positions(
        {input.julianDay - DistanceUnits::kLightDaysPerAu * distanceAu, distanceAu, b1950.longitude, b1950.latitude});
    for (std::size_t k = 0; k < satellites.size(); ++k) {
        satX_[k] = satellites[k].x;
        satY_[k] = satellites[k].y;
        satVis_[k] = satellites[k].z < 0.0;
    }
}
