#include "solarsystem/moons/SaturnSatellitePositions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The semi-major axes of the method (Saturn radii); Hyperion's and Iapetus's vary a little.
constexpr double kSemiMajorAxis[] = {3.06879, 3.94118, 4.880998, 6.24871, 8.725924, 20.216193, 24.50601, 58.935028};
constexpr double kEccentricity[] = {0.0191, 0.0049, 0.0, 0.0022, 0.0013, 0.0292, 0.13, 0.031};

TEST(SaturnSatellitePositions, ProjectedDistanceNeverExceedsTheOrbit)
{
    SaturnSatellitePositions::Input input{2451439.5, 1e9, 0.8, -0.04};
    for (double day = 0.0; day < 3000.0; day += 7.3) {
        input.julianDay = 2451439.5 + day;
        input.geocentricLongitude = 0.8 + day * 0.0006;  // Saturn's own slow motion
        const SaturnSatellitePositions::Satellites satellites = SaturnSatellitePositions::positions(input);
        for (std::size_t k = 0; k < satellites.size(); ++k) {
            const SaturnSatellitePositions::Satellite& s = satellites[k];
            const double apoapsis = kSemiMajorAxis[k] * (1.0 + kEccentricity[k]) * 1.01;
            EXPECT_LE(std::hypot(s.x, s.y), apoapsis) << "satellite " << k << " day " << day;
            EXPECT_LE(std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z), apoapsis) << "satellite " << k;
        }
    }
}

TEST(SaturnSatellitePositions, PerspectiveEnlargesTheNearSide)
{
    SaturnSatellitePositions::Input far{2451439.50074, 1e9, 0.8, -0.04};
    SaturnSatellitePositions::Input near = far;
    near.distanceAu = 8.0;
    const SaturnSatellitePositions::Satellites a = SaturnSatellitePositions::positions(far);
    const SaturnSatellitePositions::Satellites b = SaturnSatellitePositions::positions(near);
    for (std::size_t k = 0; k < a.size(); ++k) {
        const double ratio = b[k].y / a[k].y;
        EXPECT_NEAR(ratio, 8.0 / (8.0 + a[k].z / 2475.0), 1e-9);
        EXPECT_EQ(ratio > 1.0, a[k].z < 0.0);
    }
}

TEST(SaturnSatellitePositions, SatellitesInFrontMoveWestward)
{
    // Prograde orbits: near conjunction a satellite nearer to the Earth than
    // Saturn (z < 0) moves toward the west (x growing), one beyond it toward the east.
    SaturnSatellitePositions::Input input{2451439.5, 1e9, 0.8, -0.04};
    const double step = 0.01;
    for (double day = 0.0; day < 400.0; day += 0.173) {
        input.julianDay = 2451439.5 + day;
        const SaturnSatellitePositions::Satellites now = SaturnSatellitePositions::positions(input);
        input.julianDay += step;
        const SaturnSatellitePositions::Satellites later = SaturnSatellitePositions::positions(input);
        for (std::size_t k = 0; k < now.size(); ++k) {
            if (std::fabs(now[k].x) > 0.5 * kSemiMajorAxis[k])
                continue;
            EXPECT_EQ(later[k].x > now[k].x, now[k].z < 0.0) << "satellite " << k << " day " << day;
        }
    }
}

}  // namespace
