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

QPointF chart(const AltAzLocn& p)
{
    return QPointF(p.screenPt.x, p.screenPt.y);
}

// A move, then lines through `points`.
void expectElements(const QPainterPath& path, const std::vector<QPointF>& points)
{
    ASSERT_EQ(path.elementCount(), int(points.size()));
    for (int i = 0; i < path.elementCount(); ++i) {
        EXPECT_EQ(path.elementAt(i).type, i == 0 ? QPainterPath::MoveToElement
                                                 : QPainterPath::LineToElement) << i;
        EXPECT_NEAR(at(path, i).x(), points[std::size_t(i)].x(), 1e-3) << i;
        EXPECT_NEAR(at(path, i).y(), points[std::size_t(i)].y(), 1e-3) << i;
    }
}

// Facing south: east (az 150) is on the left, west (210) on the right; the
// outline may start anywhere in the table and wraps from its end to its start.
TEST(CustomGround, FromTheLeftmostToTheRightmostVisiblePoint)
{
    const std::vector<std::pair<double, double>> azAlt = {
        {150.0, 5.0}, {170.0, 8.0}, {190.0, 3.0}, {210.0, 6.0}, {10.0, 0.0}};
    for (std::size_t start = 0; start < azAlt.size(); start += 3) {
        std::vector<std::pair<double, double>> turned(azAlt.begin() + long(start), azAlt.end());
        turned.insert(turned.end(), azAlt.begin(), azAlt.begin() + long(start));
        std::vector<AltAzLocn> points = outline(turned);
        const auto p = [&](std::size_t k) { return chart(points[(k + 5 - start) % 5]); };
        GroundArea ground;
        ASSERT_TRUE(ground.buildCustom(points, poleFrame()));
        EXPECT_TRUE(ground.isHorizon());
        EXPECT_EQ(points[(9 - start) % 5].visible, 0);  // az 10, behind
        expectElements(ground.horizonPath(), {{0, 0}, {0, p(0).y()}, p(1), p(2), p(3),
                                              {1000, p(3).y()}, {1000, 0}, {0, 0}});
    }
}

TEST(CustomGround, HeightsAboveAndBelowTheViewAndASingleVisiblePoint)
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
    expectElements(ground.horizonPath(), {{0, 0}, {0, low}, {points[1].screenPt.x, 801.0},
                                          {points[2].screenPt.x, 0.0}, {1000, 0}, {0, 0}});
    points = outline({{180.0, 5.0}, {0.0, 5.0}});
    ASSERT_TRUE(ground.buildCustom(points, poleFrame()));
    expectElements(ground.horizonPath(),
                   {{0, 0}, {0, points[0].screenPt.y}, {1000, 10000}, {1000, 0}, {0, 0}});
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

// Looking at the horizon, the line runs through the centre's height, from the
// half view angle on the left down to -0.96 of it on the right, and closes
// over the top; none when the line lies far below the view.
TEST(DefaultGround, HorizonLineAcrossTheView)
{
    const ProjectionFrame frame = poleFrame();
    GroundArea ground;
    ground.buildDefault(frame, 120.0, QRectF(0, 0, 1000, 800));
    EXPECT_TRUE(ground.isHorizon());
    const QPainterPath path = ground.horizonPath();
    std::vector<QPointF> expected;
    for (int i = 0; i < 50; ++i) {
        const double t = (60.0 - i * 2.4) * kDegToRad;
        expected.emplace_back(500.0 - std::sin(t) / (std::cos(t) + 1.0) * frame.radius(), 400.0);
    }
    expected.insert(expected.end(), {{1000, 0}, {0, 0}, expected.front()});
    expectElements(path, expected);

    // 60 degree view, 80 degrees up: the line's first point is near y = -1245.
    ground.buildDefault(poleFrame(180.0, 80.0, false, 60.0), 60.0, QRectF(0, 0, 1000, 800));
    EXPECT_FALSE(ground.isHorizon());
    EXPECT_EQ(ground.horizonPath(), path);
}

TEST(DefaultGround, AllSkyMasksOutsideTheHorizonCircle)
{
    const QRectF rect(0, 0, 1000, 800);
    GroundArea ground;
    ground.buildDefault(poleFrame(180.0, 0.0, false, 200.0), 200.0, rect);  // radius 380
    const QPainterPath& path = ground.horizonPath();
    EXPECT_EQ(path.fillRule(), Qt::OddEvenFill);
    EXPECT_EQ(path.boundingRect(), rect);
    EXPECT_EQ(at(path, 0), QPointF(880.0, 400.0));
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
    ground.placeHorizonPoint(poleFrame(180.0, 0.0, false, 200.0));
    EXPECT_NEAR(ground.horizonPt().y(), 400.0 - 380.0, 1e-9);
}

}  // namespace
