#include "model/projection/ViewScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

const QRectF kView(0, 0, 1000, 800);  // centre (500, 400), half diagonal 640.312

// 1000 x 800 at 120 degrees: radius 1051.863, xLimit 0.13560; at 200 degrees
// (all-sky): t = 640.312 / 380 = 1.68503, reduced to 0.68503, xLimit -0.35161.
TEST(ViewScale, ScaleExamples)
{
    const auto ordinary = ViewScale::compute(kView, 120.0);
    const auto allSky = ViewScale::compute(kView, 200.0);
    ASSERT_TRUE(ordinary && allSky);
    EXPECT_NEAR(ordinary->radius, 1051.863, 5e-4);
    EXPECT_NEAR(ordinary->xLimit, 0.13560, 5e-6);
    EXPECT_DOUBLE_EQ(allSky->radius, 380.0);
    EXPECT_NEAR(allSky->xLimit, -0.35161, 5e-6);
    // The centre is the origin plus half the size: (600, 500) here.
    EXPECT_DOUBLE_EQ(ViewScale::compute(QRectF(100, 100, 1000, 800), 200.0)->radius, 480.0);
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

// A low all-sky view (the centre 20 points or less above the bottom) has no
// scale instead of a radius <= 0 and a reduction loop that never ends.
TEST(ViewScale, ViewsWithoutAUsableScale)
{
    EXPECT_FALSE(ViewScale::compute(QRectF(0, 0, 1000, 40), 200.0));
    EXPECT_FALSE(ViewScale::compute(QRectF(0, 0, 1000, 10), 200.0));
    EXPECT_FALSE(ViewScale::compute(QRectF(), 120.0));
    EXPECT_FALSE(ViewScale::compute(QRectF(), 200.0));
    EXPECT_TRUE(ViewScale::compute(QRectF(0, 0, 1000, 40), 120.0));
    // radius 0.001 makes t about 500,000: reduced to the fraction in one step.
    const auto tiny = ViewScale::compute(QRectF(0, 0, 1000, 40.002), 200.0);
    ASSERT_TRUE(tiny);
    EXPECT_NEAR(tiny->radius, 0.001, 1e-5);
    EXPECT_TRUE(std::isfinite(tiny->xLimit) && std::abs(tiny->xLimit) <= 1.0);
}

}  // namespace
