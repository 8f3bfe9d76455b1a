#include "solarsystem/planets/DeltaT.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Published TT - UT1 at the start of the year: the Astronomical Almanac's table
// (1620), the US Naval Observatory's historic series (1700, 1800) and its
// measured series (1900 on). The old rules were tens of seconds off after 2004
// (87.9 s at 2016.0, 101.3 s in 2025).
TEST(DeltaT, FollowsThePublishedValues)
{
    const struct {
        double year, seconds, tolerance;
    } cases[] = {
        {1620.0, 124.0, 1.0},   {1700.0, 21.0, 1.0},    {1800.0, 12.6, 1.0},
        {1900.0, -2.70, 0.5},   {1950.0, 29.15, 0.5},   {1980.0, 50.54, 0.5},
        {2000.0, 63.83, 0.5},   {2010.0, 66.07, 0.5},   {2016.0, 68.10, 0.5},
        {2020.0, 69.36, 0.5},   {2025.0, 69.14, 0.5},   {2025.5, 69.14, 0.5},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(DeltaT::seconds(c.year), c.seconds, c.tolerance) << c.year;
    EXPECT_NEAR(DeltaT::millennia(2000.0), 63.8285 / (86400.0 * 365250.0), 1e-15);
}

// From the long-term parabola through the polynomials, the measured values and
// the prediction after them: the curve bends but never jumps. A jump shows as a
// second difference far from the curve's own bending at this step.
TEST(DeltaT, ContinuousFromMinus500To2150)
{
    constexpr double step = 0.01;
    double before = DeltaT::seconds(-500.0 - step);
    double here = DeltaT::seconds(-500.0);
    for (int i = 1; i <= 265000; ++i) {
        const double year = -500.0 + i * step;
        const double after = DeltaT::seconds(year);
        ASSERT_LT(std::abs(after - 2.0 * here + before), 0.1) << year;
        before = here;
        here = after;
    }
    // The prediction leaves the last measured value gently and ends on the parabola.
    EXPECT_LT(std::abs(DeltaT::seconds(2027.0) - DeltaT::seconds(2026.0)), 2.0);
    EXPECT_GT(DeltaT::seconds(2100.0), DeltaT::seconds(2050.0));
    EXPECT_LT(DeltaT::seconds(2100.0), 229.0);
}

}  // namespace
