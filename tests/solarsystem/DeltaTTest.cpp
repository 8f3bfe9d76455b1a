#include "solarsystem/planets/DeltaT.h"

#include <gtest/gtest.h>

namespace {

// Observed Delta-T (historical tables): 1600 about 120 s, 1700 about 9 s,
// 1900.0 -2.7 s, 2000.0 63.8 s, 2001.0 64.1 s.
TEST(DeltaT, FollowsTheObservedValuesFrom1600To2004)
{
    EXPECT_NEAR(DeltaT::seconds(1600.0), 120.0, 1.0);
    EXPECT_NEAR(DeltaT::seconds(1700.0), 9.0, 1.0);
    EXPECT_NEAR(DeltaT::seconds(1900.0), -2.7, 0.5);
    EXPECT_NEAR(DeltaT::seconds(2000.0), 63.8, 0.5);
    EXPECT_NEAR(DeltaT::seconds(2001.0), 64.1, 0.5);
}

TEST(DeltaT, IsContinuousAcross2000And2001)
{
    EXPECT_LT(std::abs(DeltaT::seconds(2001.0) - DeltaT::seconds(2000.9999)), 2.0);
    EXPECT_LT(std::abs(DeltaT::seconds(2000.0) - DeltaT::seconds(1999.9999)), 2.0);
}

TEST(DeltaT, KeepsTheLongTermRulesOutside1600To2004)
{
    EXPECT_DOUBLE_EQ(DeltaT::seconds(2005.0), 69.0);
    EXPECT_DOUBLE_EQ(DeltaT::seconds(2015.0), 80.0);
    // 2016 goes back to the long-term parabola, corrected toward 2100.
    EXPECT_NEAR(DeltaT::seconds(2016.0), 102.0 + 102.0 * 0.16 + 25.3 * 0.0256 + 0.37 * (2016.0 - 2100.0), 1e-9);
    EXPECT_NEAR(DeltaT::seconds(2150.0), 102.0 + 102.0 * 1.5 + 25.3 * 2.25, 1e-9);
    EXPECT_NEAR(DeltaT::seconds(1000.0), 102.0 + 102.0 * -10.0 + 25.3 * 100.0, 1e-9);
    EXPECT_NEAR(DeltaT::seconds(500.0), 2177.0 + 497.0 * -15.0 + 44.1 * 225.0, 1e-9);
}

TEST(DeltaT, InJulianMillennia)
{
    EXPECT_NEAR(DeltaT::millennia(2000.0), 63.86 / (86400.0 * 365250.0), 1e-15);
}

}  // namespace
