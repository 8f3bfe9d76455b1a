#include "model/projection/GroundArea.h"

#include "model/catalogue/HorizonTables.h"

#include "ProjectionFixture.h"

#include <QPainterPath>

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

using namespace ProjectionFixture;

std::vector<AltAzLocn> outline(const std::vector<std::pair<double, double>>& azAlt)
{
    std::vector<AltAzLocn> points;
    for (const auto& [az, alt] : azAlt)
        points.push_back(HorizonTables::makePoint(az, alt));
    return points;
}

QPointF at(const QPainterPath& path, int i)
{
    return QPointF(path.elementAt(i).x, path.elementAt(i).y);
}

void expectElements(const QPainterPath& path, const std::vector<QPointF>& points)
{
    ASSERT_EQ(path.elementCount(), int(points.size()));
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::ElementType expected =
            i == 0 ? QPainterPath::MoveToElement : QPainterPath::LineToElement;
        EXPECT_EQ(path.elementAt(i).type, expected) << i;
        EXPECT_NEAR(at(path, i).x(), points[std::size_t(i)].x(), 1e-3) << i;
        EXPECT_NEAR(at(path, i).y(), points[std::size_t(i)].y(), 1e-3) << i;
    }
}

QPointF chart(const AltAzLocn& p)
{
    return QPointF(p.screenPt.x, p.screenPt.y);
}

TEST(CustomGround, FromTheLeftmostToTheRightmostVisiblePoint)
{
    // Facing south: east (az 150) is on the left, west (210) on the right.
    std::vector<AltAzLocn> points =
        outline({{150.0, 5.0}, {170.0, 8.0}, {190.0, 3.0}, {210.0, 6.0}, {10.0, 0.0}});
    GroundArea ground;
    ASSERT_TRUE(ground.buildCustom(points, poleFrame()));
    EXPECT_TRUE(ground.isHorizon());
    EXPECT_EQ(points[4].visible, 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(points[std::size_t(i)].visible, 1) << i;
    const double y3 = points[3].screenPt.y;
    expectElements(ground.horizonPath(),
                   {{0, 0}, {0, points[0].screenPt.y}, chart(points[1]), chart(points[2]),
                    chart(points[3]), {1000, y3}, {1000, 0}, {0, 0}});
}

TEST(CustomGround, WrapsFromTheEndOfTheTableToItsStart)
{
    std::vector<AltAzLocn> points =
        outline({{210.0, 6.0}, {10.0, 0.0}, {150.0, 5.0}, {170.0, 8.0}, {190.0, 3.0}});
    GroundArea ground;
    ASSERT_TRUE(ground.buildCustom(points, poleFrame()));
    expectElements(ground.horizonPath(),
                   {{0, 0}, {0, points[2].screenPt.y}, chart(points[3]), chart(points[4]),
                    chart(points[0]), {1000, points[0].screenPt.y}, {1000, 0}, {0, 0}});
}

TEST(CustomGround, HeightsAboveAndBelowTheView)
{
    // Above the top (y >= 800) a point is held at 801; below the bottom the
    // points after the leftmost are drawn at 0, the leftmost keeps its height.
    // (The path drops the repeated corner (1000, 0).)
    std::vector<AltAzLocn> points = outline({{150.0, -50.0}, {180.0, 60.0}, {210.0, -50.0}});
    GroundArea ground;
    ASSERT_TRUE(ground.buildCustom(points, poleFrame()));
    EXPECT_FLOAT_EQ(points[1].screenPt.y, 801.0f);
    const double low = points[0].screenPt.y;
    EXPECT_LT(low, 0.0);
    expectElements(ground.horizonPath(), {{0, 0},
                                          {0, low},
                                          {points[1].screenPt.x, 801.0},
                                          {points[2].screenPt.x, 0.0},
                                          {1000, 0},
                                          {0, 0}});
}

TEST(CustomGround, OneVisiblePointGivesAFlatTop)
{
    std::vector<AltAzLocn> points = outline({{180.0, 5.0}, {0.0, 5.0}});
    GroundArea ground;
    ASSERT_TRUE(ground.buildCustom(points, poleFrame()));
    expectElements(ground.horizonPath(), {{0, 0},
                                          {0, points[0].screenPt.y},
                                          {1000, 10000},
                                          {1000, 0},
                                          {0, 0}});
}

TEST(CustomGround, NothingWithoutVisiblePointsOnBothSides)
{
    GroundArea ground;
    std::vector<AltAzLocn> behind = outline({{0.0, 5.0}, {20.0, 5.0}, {340.0, 5.0}});
    EXPECT_FALSE(ground.buildCustom(behind, poleFrame()));
    // Visible only left of the chart's left edge (x < 0): no rightmost point.
    std::vector<AltAzLocn> left = outline({{100.0, 5.0}, {0.0, 5.0}});
    EXPECT_FALSE(ground.buildCustom(left, poleFrame()));
    EXPECT_EQ(left[0].visible, 1);
    EXPECT_TRUE(ground.horizonPath().isEmpty());
    EXPECT_FALSE(ground.isHorizon());
}

TEST(DefaultGround, HorizonLineAcrossTheView)
{
    // Looking at the horizon, the line runs through the centre's height,
    // from the half view angle on the left down to -0.96 of it on the right.
    const ProjectionFrame frame = poleFrame();
    GroundArea ground;
    ground.buildDefault(frame, 120.0, QRectF(0, 0, 1000, 800));
    EXPECT_TRUE(ground.isHorizon());
    const QPainterPath& path = ground.horizonPath();
    ASSERT_EQ(path.elementCount(), 53);
    EXPECT_EQ(path.elementAt(0).type, QPainterPath::MoveToElement);
    for (int i = 1; i < 53; ++i)
        EXPECT_EQ(path.elementAt(i).type, QPainterPath::LineToElement) << i;
    const double r = frame.radius();
    for (int i = 0; i < 50; ++i) {
        const double t = (60.0 - i * 2.4) * kDegToRad;
        EXPECT_NEAR(at(path, i).x(), 500.0 - std::sin(t) / (std::cos(t) + 1.0) * r, 1e-6) << i;
        EXPECT_NEAR(at(path, i).y(), 400.0, 1e-9) << i;
    }
    EXPECT_EQ(at(path, 50), QPointF(1000, 0));
    EXPECT_EQ(at(path, 51), QPointF(0, 0));
    EXPECT_EQ(at(path, 52), at(path, 0));  // closed
}

TEST(DefaultGround, NoneWhenTheHorizonIsFarBelow)
{
    GroundArea ground;
    ground.buildDefault(poleFrame(), 120.0, QRectF(0, 0, 1000, 800));
    const QPainterPath before = ground.horizonPath();
    // 60 degree view, 80 degrees up: the line's first point is near y = -1245.
    ground.buildDefault(poleFrame(180.0, 80.0, false, 60.0), 60.0, QRectF(0, 0, 1000, 800));
    EXPECT_FALSE(ground.isHorizon());
    EXPECT_EQ(ground.horizonPath(), before);
}

TEST(DefaultGround, AllSkyMasksOutsideTheHorizonCircle)
{
    const ProjectionFrame frame = poleFrame(180.0, 0.0, false, 200.0);  // radius 380
    const QRectF rect(0, 0, 1000, 800);
    GroundArea ground;
    ground.buildDefault(frame, 200.0, rect);
    const QPainterPath& path = ground.horizonPath();
    EXPECT_EQ(path.fillRule(), Qt::OddEvenFill);
    // The circle (a move and four cubic curves), then the rectangle.
    ASSERT_EQ(path.elementCount(), 18);
    EXPECT_EQ(path.elementAt(0).type, QPainterPath::MoveToElement);
    for (int i = 1; i < 13; ++i) {
        EXPECT_EQ(path.elementAt(i).type, i % 3 == 1 ? QPainterPath::CurveToElement
                                                       : QPainterPath::CurveToDataElement)
            << i;
    }
    EXPECT_EQ(path.elementAt(13).type, QPainterPath::MoveToElement);
    EXPECT_EQ(path.boundingRect(), rect);
    EXPECT_NEAR(at(path, 0).x(), 880.0, 1e-9);
    EXPECT_NEAR(at(path, 0).y(), 400.0, 1e-9);
    EXPECT_FALSE(path.contains(QPointF(500, 400)));
    EXPECT_FALSE(path.contains(QPointF(500, 30)));
    EXPECT_TRUE(path.contains(QPointF(500, 10)));
    EXPECT_TRUE(path.contains(QPointF(5, 5)));
}

TEST(HorizonPoint, UnderTheViewCentre)
{
    GroundArea ground;
    ground.placeHorizonPoint(poleFrame());
    EXPECT_EQ(ground.horizonPt(), QPointF(500, 400));
    const ProjectionFrame up = poleFrame(180.0, 30.0);
    ground.placeHorizonPoint(up);
    EXPECT_NEAR(ground.horizonPt().y(), 400.0 - up.radius() * std::tan(15.0 * kDegToRad), 1e-9);
    const ProjectionFrame allSky = poleFrame(180.0, 0.0, false, 200.0);
    ground.placeHorizonPoint(allSky);
    EXPECT_NEAR(ground.horizonPt().y(), 400.0 - 380.0, 1e-9);
}

}  // namespace
