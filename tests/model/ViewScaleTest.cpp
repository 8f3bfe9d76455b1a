#include "model/projection/ViewScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

const QRectF kView(0, 0, 1000, 800);  // centre (500, 400), half diagonal 640.312

TEST(ViewScale, OrdinaryChartAt120Degrees)
{
    const auto scale = ViewScale::compute(kView, 120.0);
    ASSERT_TRUE(scale);
    EXPECT_NEAR(scale->radius, 1051.863, 5e-4);
    EXPECT_NEAR(scale->xLimit, 0.13560, 5e-6);
}

TEST(ViewScale, AllSkyChartAt200Degrees)
{
    // t = 640.312 / 380 = 1.68503, reduced to 0.68503.
    const auto scale = ViewScale::compute(kView, 200.0);
    ASSERT_TRUE(scale);
    EXPECT_DOUBLE_EQ(scale->radius, 380.0);
    EXPECT_NEAR(scale->xLimit, -0.35161, 5e-6);
}

TEST(ViewScale, The183DegreeBoundary)
{
    // 183 is still ordinary (h = 91.5 degrees); 183.1 is all-sky.
    const auto at183 = ViewScale::compute(kView, 183.0);
    const auto at1831 = ViewScale::compute(kView, 183.1);
    ASSERT_TRUE(at183 && at1831);
    const double h = 91.5 * std::numbers::pi / 180.0;
    EXPECT_NEAR(at183->radius, (2.0 - std::tan(h / 2.0)) * 640.3124237 / std::sin(h), 1e-6);
    EXPECT_DOUBLE_EQ(at1831->radius, 380.0);
    EXPECT_LT(at1831->xLimit, 0.0);
}

TEST(ViewScale, TheOriginMovesTheCentre)
{
    // The centre is the origin plus half the size: (600, 500) here.
    const auto scale = ViewScale::compute(QRectF(100, 100, 1000, 800), 200.0);
    ASSERT_TRUE(scale);
    EXPECT_DOUBLE_EQ(scale->radius, 480.0);
}

TEST(ViewScale, ViewsWithoutAUsableScale)
{
    // A low all-sky view: the centre 20 points or less above the bottom.
    EXPECT_FALSE(ViewScale::compute(QRectF(0, 0, 1000, 40), 200.0));
    EXPECT_FALSE(ViewScale::compute(QRectF(0, 0, 1000, 10), 200.0));
    EXPECT_FALSE(ViewScale::compute(QRectF(), 120.0));
    EXPECT_FALSE(ViewScale::compute(QRectF(), 200.0));
    // The same low view is fine as an ordinary chart.
    EXPECT_TRUE(ViewScale::compute(QRectF(0, 0, 1000, 40), 120.0));
}

TEST(ViewScale, TinyAllSkyRadiusReducesAtOnce)
{
    // radius 0.001 makes t about 500,000: reduced to the fraction in one step.
    const auto scale = ViewScale::compute(QRectF(0, 0, 1000, 40.002), 200.0);
    ASSERT_TRUE(scale);
    EXPECT_NEAR(scale->radius, 0.001, 1e-5);
    EXPECT_TRUE(std::isfinite(scale->xLimit));
    EXPECT_LE(std::abs(scale->xLimit), 1.0);
}

}  // namespace
