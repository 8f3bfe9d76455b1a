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
    const std::optional<double> kilometres =
        dayCache_.distanceToCompute(input.julianDay, input.geoDistance, input.isMetric);
    if (!kilometres)
        return;
    const double distance = *kilometres;

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
