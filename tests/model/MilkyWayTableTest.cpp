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

TEST(MilkyWayTable, FixedPointsAndTheirJ2000Vectors)
{
    constexpr double kFree = NAN;  // a coordinate the table leaves to the generator
    struct Fixed {
        int i;
        double raHours, decDeg;
    };
    for (const Fixed& f : {Fixed{0, 0.00, 64.0}, {9, 1.50, 55.0}, {176, 16.00, -55.0},
                           {177, kFree, -70.0}, {292, 20.20, kFree}, {293, 19.90, 45.0},
                           {330, 5.00, -65.5}, {333, 5.85, kFree}, {342, kFree, -75.0},
                           {345, 0.80, kFree}}) {
        const MilkyWayTable::Point& p = MilkyWayTable::kPoints[std::size_t(f.i)];
        if (!std::isnan(f.raHours)) {
            EXPECT_DOUBLE_EQ(p.raHours, f.raHours) << f.i;
        }
        if (!std::isnan(f.decDeg)) {
            EXPECT_DOUBLE_EQ(p.decDeg, f.decDeg) << f.i;
        }
    }
    const std::vector<MWCoord> coords = MilkyWayTable::createCoords();
    ASSERT_EQ(coords.size(), 346u);
    const double ra = 75.0 * M_PI / 180.0, dec = -65.5 * M_PI / 180.0;  // the LMC
    EXPECT_NEAR(coords[330].vecX, std::cos(dec) * std::cos(ra), 1e-12);
    EXPECT_NEAR(coords[330].vecY, std::cos(dec) * std::sin(ra), 1e-12);
    EXPECT_NEAR(coords[330].vecZ, std::sin(dec), 1e-12);
}

// The generated points keep the table's precision (0.05 h, 0.01 degree), and
// every open-outline point lies within 25 degrees of the galactic plane
// (north galactic pole, J2000: RA 192.85948, Dec 27.12825).
TEST(MilkyWayTable, GeneratedPointsHugTheGalacticEquator)
{
    for (const MilkyWayTable::Point& point : MilkyWayTable::kPoints) {
        EXPECT_TRUE(point.raHours >= 0.0 && point.raHours < 24.0 && std::abs(point.decDeg) <= 90.0);
        EXPECT_NEAR(point.raHours / 0.05, std::round(point.raHours / 0.05), 1e-9);
        EXPECT_NEAR(point.decDeg * 100.0, std::round(point.decDeg * 100.0), 1e-6);
    }
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
