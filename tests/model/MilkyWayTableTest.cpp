#include "model/catalogue/MilkyWayTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// The points an outline's path moves to, when point i's chart point is (i, 0).
std::vector<int> movesOf(int k)
{
    std::vector<MWCoord> coords = MilkyWayTable::createCoords();
    for (std::size_t i = 0; i < coords.size(); ++i)
        coords[i].screenX = float(i);
    const QPainterPath path = MilkyWayTable::outlinePath(k, coords);
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

TEST(MilkyWayTable, PenLiftsAtTheSkipLineAndAfterPoints176And292)
{
    EXPECT_EQ(movesOf(0), (std::vector<int>{0, 9}));
    EXPECT_EQ(movesOf(13), (std::vector<int>{159, 168, 177}));
    EXPECT_EQ(movesOf(25), (std::vector<int>{286, 293, 302}));
    EXPECT_EQ(movesOf(14), (std::vector<int>{181}));
    EXPECT_EQ(movesOf(21), (std::vector<int>{253}));  // ignores skipping
    EXPECT_EQ(movesOf(27), (std::vector<int>{324, 326}));
}

TEST(MilkyWayTable, OnlyTheMagellanicCloudsAreClosed)
{
    std::vector<MWCoord> coords = MilkyWayTable::createCoords();
    for (std::size_t i = 0; i < coords.size(); ++i)
        coords[i].screenX = float(i);
    for (int k = 0; k < MilkyWayTable::kNumPaths; ++k) {
        const QPainterPath path = MilkyWayTable::outlinePath(k, coords);
        const MilkyWayTable::Outline& outline = MilkyWayTable::kOutlines[std::size_t(k)];
        const bool closed = k == 28 || k == 29;
        EXPECT_EQ(MilkyWayTable::isClosed(k), closed);
        // A closed path ends with a line back to its first point.
        ASSERT_EQ(path.elementCount(), outline.last - outline.first + 1 + (closed ? 1 : 0)) << k;
        EXPECT_EQ(int(path.elementAt(path.elementCount() - 1).x),
                  closed ? outline.first : outline.last) << k;
    }
}

TEST(MilkyWayTable, PointsBecomeJ2000UnitVectors)
{
    const std::vector<MWCoord> coords = MilkyWayTable::createCoords();
    ASSERT_EQ(coords.size(), 346u);
    const double ra = 75.0 * M_PI / 180.0, dec = -65.5 * M_PI / 180.0;  // point 330, the LMC
    EXPECT_NEAR(coords[330].vecX, std::cos(dec) * std::cos(ra), 1e-12);
    EXPECT_NEAR(coords[330].vecY, std::cos(dec) * std::sin(ra), 1e-12);
    EXPECT_NEAR(coords[330].vecZ, std::sin(dec), 1e-12);
}
