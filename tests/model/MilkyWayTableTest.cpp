#include "model/catalogue/MilkyWayTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Coordinates whose chart point is (index, 0), so a path element names its point.
std::vector<MWCoord> indexedCoords()
{
    std::vector<MWCoord> coords = MilkyWayTable::createCoords();
    for (std::size_t i = 0; i < coords.size(); ++i)
        coords[i].screenX = float(i);
    return coords;
}

// The points an outline's path moves to (starts a piece at).
std::vector<int> movesOf(const QPainterPath& path)
{
    std::vector<int> moves;
    for (int e = 0; e < path.elementCount(); ++e) {
        if (path.elementAt(e).isMoveTo())
            moves.push_back(int(path.elementAt(e).x));
    }
    return moves;
}

}  // namespace

TEST(MilkyWayTable, OutlinesCoverThe346PointsInOrder)
{
    int next = 0;
    for (const MilkyWayTable::Outline& outline : MilkyWayTable::kOutlines) {
        EXPECT_EQ(outline.first, next);
        EXPECT_GE(outline.last, outline.first);
        next = outline.last + 1;
    }
    EXPECT_EQ(next, 346);
}

TEST(MilkyWayTable, SkipLines)
{
    EXPECT_EQ(MilkyWayTable::pathSkipLine(0), 9);
    EXPECT_EQ(MilkyWayTable::pathSkipLine(14), 0);
    EXPECT_EQ(MilkyWayTable::pathSkipLine(27), 326);
    EXPECT_EQ(MilkyWayTable::pathSkipLine(21), 0);
    EXPECT_EQ(MilkyWayTable::pathSkipLine(28), 0);
    EXPECT_EQ(MilkyWayTable::pathSkipLine(29), 0);
}

TEST(MilkyWayTable, PenLiftsAtTheSkipLineAndAfterPoints176And292)
{
    const std::vector<MWCoord> coords = indexedCoords();
    EXPECT_EQ(movesOf(MilkyWayTable::outlinePath(0, coords)), (std::vector<int>{0, 9}));
    EXPECT_EQ(movesOf(MilkyWayTable::outlinePath(13, coords)), (std::vector<int>{159, 168, 177}));
    EXPECT_EQ(movesOf(MilkyWayTable::outlinePath(25, coords)), (std::vector<int>{286, 293, 302}));
    EXPECT_EQ(movesOf(MilkyWayTable::outlinePath(14, coords)), (std::vector<int>{181}));
    EXPECT_EQ(movesOf(MilkyWayTable::outlinePath(21, coords)), (std::vector<int>{253}));
    EXPECT_EQ(movesOf(MilkyWayTable::outlinePath(27, coords)), (std::vector<int>{324, 326}));
}

TEST(MilkyWayTable, OnlyTheMagellanicCloudsAreClosed)
{
    const std::vector<MWCoord> coords = indexedCoords();
    for (int k = 0; k < MilkyWayTable::kNumPaths; ++k) {
        const QPainterPath path = MilkyWayTable::outlinePath(k, coords);
        const MilkyWayTable::Outline& outline = MilkyWayTable::kOutlines[std::size_t(k)];
        const int points = outline.last - outline.first + 1;
        const bool closed = k == 28 || k == 29;
        EXPECT_EQ(MilkyWayTable::isClosed(k), closed);
        // A closed path ends with a line back to its first point.
        ASSERT_EQ(path.elementCount(), points + (closed ? 1 : 0)) << k;
        const QPainterPath::Element last = path.elementAt(path.elementCount() - 1);
        EXPECT_EQ(int(last.x), closed ? outline.first : outline.last) << k;
    }
}

TEST(MilkyWayTable, FixedPointsOfTheTable)
{
    const auto& p = MilkyWayTable::kPoints;
    EXPECT_DOUBLE_EQ(p[0].raHours, 0.00);
    EXPECT_DOUBLE_EQ(p[0].decDeg, 64.0);
    EXPECT_DOUBLE_EQ(p[9].raHours, 1.50);
    EXPECT_DOUBLE_EQ(p[9].decDeg, 55.0);
    EXPECT_DOUBLE_EQ(p[176].raHours, 16.00);
    EXPECT_DOUBLE_EQ(p[176].decDeg, -55.0);
    EXPECT_DOUBLE_EQ(p[177].decDeg, -70.0);
    EXPECT_DOUBLE_EQ(p[292].raHours, 20.20);
    EXPECT_DOUBLE_EQ(p[293].raHours, 19.90);
    EXPECT_DOUBLE_EQ(p[293].decDeg, 45.0);
    EXPECT_DOUBLE_EQ(p[333].raHours, 5.85);
    EXPECT_DOUBLE_EQ(p[342].decDeg, -75.0);
    EXPECT_DOUBLE_EQ(p[345].raHours, 0.80);
}

TEST(MilkyWayTable, PointsAreHeldToTheTablePrecision)
{
    for (const MilkyWayTable::Point& point : MilkyWayTable::kPoints) {
        EXPECT_GE(point.raHours, 0.0);
        EXPECT_LT(point.raHours, 24.0);
        EXPECT_NEAR(point.raHours / 0.05, std::round(point.raHours / 0.05), 1e-9);
        EXPECT_NEAR(point.decDeg * 100.0, std::round(point.decDeg * 100.0), 1e-6);
        EXPECT_LE(std::abs(point.decDeg), 90.0);
    }
}

TEST(MilkyWayTable, CoordinatesAreJ2000UnitVectors)
{
    const std::vector<MWCoord> coords = MilkyWayTable::createCoords();
    ASSERT_EQ(coords.size(), 346u);
    // Point 330: RA 5.00 h, Dec -65.5 (the Large Magellanic Cloud).
    const double ra = 75.0 * M_PI / 180.0, dec = -65.5 * M_PI / 180.0;
    EXPECT_NEAR(coords[330].vecX, std::cos(dec) * std::cos(ra), 1e-12);
    EXPECT_NEAR(coords[330].vecY, std::cos(dec) * std::sin(ra), 1e-12);
    EXPECT_NEAR(coords[330].vecZ, std::sin(dec), 1e-12);
    for (const MWCoord& c : coords) {
        EXPECT_NEAR(c.vecX * c.vecX + c.vecY * c.vecY + c.vecZ * c.vecZ, 1.0, 1e-12);
        EXPECT_EQ(c.visible, 0);
    }
}

TEST(MilkyWayTable, OutlineHugsTheGalacticEquator)
{
    // Every open-outline point lies within 25 degrees of the galactic plane
    // (north galactic pole, J2000: RA 192.85948, Dec 27.12825).
    const double pa = 192.85948 * M_PI / 180.0, pd = 27.12825 * M_PI / 180.0;
    const double pole[3] = {std::cos(pd) * std::cos(pa), std::cos(pd) * std::sin(pa), std::sin(pd)};
    const std::vector<MWCoord> coords = MilkyWayTable::createCoords();
    for (int i = 0; i < 330; ++i) {
        const MWCoord& c = coords[std::size_t(i)];
        const double b =
            std::asin(c.vecX * pole[0] + c.vecY * pole[1] + c.vecZ * pole[2]) * 180.0 / M_PI;
        EXPECT_LT(std::abs(b), 25.0) << i;
    }
}
