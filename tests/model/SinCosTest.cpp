#include "model/SinCos.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// The quick arctangent of a point must be std::atan2's angle everywhere:
// on the axes, with signed zeros (-0 on the negative x axis is -pi, as the
// right ascension's wrap relies on), and across ratios of many decades.
TEST(SinCos, AngleOfIsAtan2InEveryQuadrant)
{
    const double edges[][2] = {{0.0, 1.0}, {0.0, -1.0}, {-0.0, -1.0}, {1.0, 0.0}, {-1.0, 0.0}, {0.0, 0.0},
                               {1.0, 1.0}, {-1.0, -1.0}, {1.0, -1.0}, {-1.0, 1.0}, {1e-300, -1.0}, {-1e-300, -1.0}};
    for (const auto& [y, x] : edges)
        EXPECT_DOUBLE_EQ(SinCos::angleOf(y, x), std::atan2(y, x)) << y << " " << x;
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 100000; ++i) {
        const double y = unit(random) * std::pow(10.0, 6.0 * unit(random));
        const double x = unit(random) * std::pow(10.0, 6.0 * unit(random));
        ASSERT_NEAR(SinCos::angleOf(y, x), std::atan2(y, x), 1e-15) << y << " " << x;
    }
}

// A step's pair from the series is the library's to the last bits up to
// the series' reach, on both sides of the short series' bound; a step past
// the reach is taken from the library with the new angle.
TEST(SinCos, StepsAreExactUpToTheReach)
{
    for (double step = -SinCos::kSeriesReach; step <= SinCos::kSeriesReach; step += SinCos::kSeriesReach / 997.0) {
        const SinCos pair = SinCos::ofStep(step);
        ASSERT_NEAR(pair.sin, std::sin(step), 1e-16) << step;
        ASSERT_NEAR(pair.cos, std::cos(step), 2e-16) << step;
        const SinCos moved = SinCos::of(2.0).movedTo(2.0 + step, step);
        ASSERT_NEAR(moved.sin, std::sin(2.0 + step), 4e-16) << step;
        ASSERT_NEAR(moved.cos, std::cos(2.0 + step), 4e-16) << step;
    }
    const SinCos far = SinCos::of(2.0).movedTo(3.0, 1.0);
    EXPECT_DOUBLE_EQ(far.sin, std::sin(3.0));
    EXPECT_DOUBLE_EQ(far.cos, std::cos(3.0));
}

}  // namespace
