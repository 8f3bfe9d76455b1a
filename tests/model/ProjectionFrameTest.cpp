#include "model/projection/ProjectionFrame.h"

#include "model/catalogue/HorizonTables.h"
#include "model/UnitVector.h"
#include "model/projection/ViewScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

HorizonVector fixedPoint(double azimuthDeg, double altitudeDeg)
{
    const AltAzLocn p = HorizonTables::makePoint(azimuthDeg, altitudeDeg);
    return {p.horX, p.horY, p.horZ};
}

// A 1000 x 800 chart at 120 degrees looking toward `azimuthDeg`, `altitudeDeg` up.
ProjectionFrame chart(double azimuthDeg, double altitudeDeg, bool isBelow = false)
{
    ProjectionFrame::View view;
    view.skyRect = QRectF(0, 0, 1000, 800);
    const ViewScale scale = *ViewScale::compute(view.skyRect, 120.0);
    view.radius = scale.radius;
    view.xLimit = scale.xLimit;
    view.altitude = altitudeDeg * kDeg;
    view.azimuth = azimuthDeg * kDeg;
    view.isBelow = isBelow;
    return ProjectionFrame(view);
}

// Venus from Washington (latitude 38 55' 17" N), 1987 April 10 19:21 UT:
// local sidereal time 128.7368875 - 77.0655556 degrees; alpha 23h09m16.641s,
// delta -6 43' 11.61". Azimuth 68.0337 degrees westward from the south,
// altitude 15.1249 degrees (to the example's rounding).
TEST(HorizonFrame, MeeusExample13b)
{
    ProjectionFrame::View view;
    view.primeMeridian = (128.7368875 - 77.0655556) * kDeg;
    view.latitude = (38.0 + 55.0 / 60.0 + 17.0 / 3600.0) * kDeg;
    const UnitVector v = UnitVector::fromRADec(347.3193375 * kDeg, -6.7198917 * kDeg);
    const HorizonVector h = ProjectionFrame(view).fromDate(v.x, v.y, v.z);
    EXPECT_NEAR(std::atan2(h.y, h.x) / kDeg, 68.0337, 2e-4);
    EXPECT_NEAR(-std::asin(h.z) / kDeg, 15.1249, 2e-4);
}

// Facing south at the horizon: west is to the right, up is up, and a
// direction at angle t from the centre lands radius * tan(t / 2) from it.
TEST(Projection, AngleFromTheCentreMapsToRadiusTimesTanHalf)
{
    const ProjectionFrame frame = chart(180.0, 0.0);
    const double r = frame.radius();
    struct Case {
        double az, alt, dx, dy;
    };
    const Case cases[] = {
        {180.0, 0.0, 0.0, 0.0},
        {270.0, 0.0, r, 0.0},
        {90.0, 0.0, -r, 0.0},
        {180.0, 60.0, 0.0, r * std::tan(30.0 * kDeg)},
        {180.0, -30.0, 0.0, -r * std::tan(15.0 * kDeg)},
        {220.0, 0.0, r * std::tan(20.0 * kDeg), 0.0},
    };
    for (const Case& c : cases) {
        const HorizonVector h = fixedPoint(c.az, c.alt);
        const FloatPoint p = frame.chartPoint(h, frame.depth(h));
        EXPECT_NEAR(p.x - 500.0, c.dx, 1e-3) << c.az << " " << c.alt;
        EXPECT_NEAR(p.y - 400.0, c.dy, 1e-3) << c.az << " " << c.alt;
    }
    const ProjectionFrame tilted = chart(135.0, 25.0);
    EXPECT_NEAR(tilted.depth(fixedPoint(135.0, 25.0)), 1.0, 1e-15);
    EXPECT_FALSE(frame.anyChartPoint({-1.0, 0.0, 0.0}));  // straight behind
    EXPECT_TRUE(frame.anyChartPoint(fixedPoint(10.0, 0.0)));
}

TEST(Visibility, HorizonCutAndViewTest)
{
    const ProjectionFrame frame = chart(180.0, 0.0);
    FloatPoint p{-1.0f, -1.0f};
    // Exactly on the horizon counts as above it.
    EXPECT_EQ(frame.place({1.0, 0.0, 0.0}, frame.cut(), p), kStateOnScreen);
    EXPECT_EQ(frame.place(fixedPoint(180.0, -1.0), frame.cut(), p), kStateBelowHorizon);
    // xLimit 0.1356: 80 degrees from the centre is inside, 83 outside.
    EXPECT_EQ(frame.place(fixedPoint(260.0, 0.0), frame.cut(), p), kStateOnScreen);
    FloatPoint untouched{7.0f, 8.0f};
    EXPECT_EQ(frame.place(fixedPoint(263.0, 0.0), frame.cut(), untouched), kStateOffView);
    EXPECT_FLOAT_EQ(untouched.x, 7.0f);
    EXPECT_FLOAT_EQ(untouched.y, 8.0f);
    // The overlay cut reaches asin 0.2 (11.5 degrees) below the horizon.
    EXPECT_TRUE(frame.isShown(fixedPoint(180.0, -11.0), frame.overlayCut(), p));
    EXPECT_FALSE(frame.isShown(fixedPoint(180.0, -12.0), frame.overlayCut(), p));
    // While below is on nothing is cut.
    const ProjectionFrame below = chart(180.0, -60.0, true);
    EXPECT_DOUBLE_EQ(below.cut(), 1.0);
    EXPECT_EQ(below.place(fixedPoint(180.0, -89.0), below.cut(), p), kStateOnScreen);
}

}  // namespace
