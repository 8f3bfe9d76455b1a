#include "solarsystem/moons/SaturnSatellitePositions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Over eight years: every satellite stays within its apoapsis (semi-major axis
// in Saturn radii times 1 + e, with 1 % to spare), and near conjunction one
// nearer to the Earth than Saturn (z < 0) moves west (x growing), prograde.
TEST(SaturnSatellitePositions, StayInTheirOrbitsAndMoveProgradeFromTheEarth)
{
    constexpr double a[] = {3.06879, 3.94118, 4.880998, 6.24871, 8.725924, 20.216193, 24.50601, 58.935028};
    constexpr double e[] = {0.0191, 0.0049, 0.0, 0.0022, 0.0013, 0.0292, 0.13, 0.031};
    SaturnSatellitePositions::Input input{2451439.5, 1e9, 0.8, -0.04};
    for (double day = 0.0; day < 3000.0; day += 1.173) {
        input.julianDay = 2451439.5 + day;
        input.geocentricLongitude = 0.8 + day * 0.0006;  // Saturn's own slow motion
        const auto now = SaturnSatellitePositions::positions(input);
        input.julianDay += 0.01;
        const auto later = SaturnSatellitePositions::positions(input);
        for (std::size_t k = 0; k < now.size(); ++k) {
            const auto& s = now[k];
            EXPECT_LE(std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z), a[k] * (1.0 + e[k]) * 1.01) << k << " " << day;
            if (std::fabs(s.x) < 0.5 * a[k]) {
                EXPECT_EQ(later[k].x > s.x, s.z < 0.0) << "satellite " << k << " day " << day;
            }
        }
    }
}

}  // namespace
