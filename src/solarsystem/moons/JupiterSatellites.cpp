#include "solarsystem/moons/JupiterSatellites.h"

#include "solarsystem/DistanceUnits.h"
#include "solarsystem/moons/GalileanSatellites.h"
#include "solarsystem/moons/JupiterCentralMeridian.h"

#include <cmath>

void JupiterSatellites::calculateJupiterSatellites(const JupiterSatelliteInput& input)
{
    const std::optional<double> kilometres =
        dayCache_.distanceToCompute(input.julianDay, input.geoDistance, input.isMetric);
    if (!kilometres)
        return;
    const double distance = *kilometres;

    om2_ = JupiterCentralMeridian::systemII(input.julianDay);

    const GalileanSatellites::Positions positions = GalileanSatellites::positions(
        {input.julianDay, distance / DistanceUnits::kMillionKmPerAu, input.jL, input.jB, input.jsL, input.jsB});
    for (std::size_t k = 0; k < 4; ++k) {
        const GalileanSatellites::Satellite& seen = positions.fromEarth[k];
        satX_[k] = seen.x;
        satY_[k] = seen.y;
        satVis_[k] = seen.z < 0.0;
        const GalileanSatellites::Satellite& shadow = positions.fromSun[k];
        shadowX_[k] = shadow.x;
        shadowY_[k] = shadow.y;
        shadowVis_[k] = shadow.z < 0.0;
    }
}
