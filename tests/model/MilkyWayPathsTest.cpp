#include "model/projection/MilkyWayPaths.h"

#include "ProjectionFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace ProjectionFixture;

// 346 distinct points, all in view facing south.
std::vector<MWCoord> inView()
{
    std::vector<MWCoord> coords(MilkyWayTable::kNumPoints, MWCoord{});
    for (int i = 0; i < MilkyWayTable::kNumPoints; ++i)
        setDirection(coords[std::size_t(i)], 150.0 + i * 60.0 / 346.0, 10.0 + i % 7);
    return coords;
}

// The element types as letters: M move, L line.
std::string shape(const QPainterPath& path)
{
    std::string s;
    for (int i = 0; i < path.elementCount(); ++i)
        s += path.elementAt(i).type == QPainterPath::MoveToElement ? 'M' : 'L';
    return s;
}

TEST(MilkyWayPaths, OutlinesThroughTheProjectedPoints)
{
    std::vector<MWCoord> coords = inView();
    MilkyWayPaths paths;
    paths.project(coords, poleFrame(), true);
    // Outline 13, points 159..180: skip point 168, and 177 always.
    EXPECT_EQ(shape(paths.mwPath(13)), "MLLLLLLLL" "MLLLLLLLL" "MLLL");
    const QPainterPath& o0 = paths.mwPath(0);
    for (int i = 0; i < o0.elementCount(); ++i) {
        EXPECT_FLOAT_EQ(float(o0.elementAt(i).x), coords[std::size_t(i)].screenX) << i;
        EXPECT_FLOAT_EQ(float(o0.elementAt(i).y), coords[std::size_t(i)].screenY) << i;
    }
    for (int k = 0; k < MilkyWayTable::kNumPaths; ++k)
        EXPECT_TRUE(paths.pathIsVisible(k)) << k;
}

TEST(MilkyWayPaths, HiddenPointsKeepTheirPlaceInTheOutline)
{
    std::vector<MWCoord> coords = inView();
    // Outline 9 (130..133): all but 131 below the overlay cut; outline 10 (134..138): all.
    for (int i : {130, 132, 133, 134, 135, 136, 137, 138})
        setDirection(coords[std::size_t(i)], 180.0 + i - 130, -30.0);
    MilkyWayPaths paths;
    paths.project(coords, poleFrame(), true);
    EXPECT_EQ(coords[130].visible, 0);
    EXPECT_EQ(coords[131].visible, 1);
    // A hidden point still gets its chart point (below the centre here).
    EXPECT_LT(coords[130].screenY, 400.0f);
    EXPECT_TRUE(paths.pathIsVisible(9));
    EXPECT_EQ(shape(paths.mwPath(9)), "MLML");  // 132 is its skip point
    EXPECT_FALSE(paths.pathIsVisible(10));
    EXPECT_TRUE(paths.mwPath(10).isEmpty());
}

TEST(MilkyWayPaths, OverlayCutStoredVectorsAndOnlyTheBuiltInTable)
{
    std::vector<MWCoord> coords = inView();
    setDirection(coords[0], 180.0, -10.0);
    setDirection(coords[1], 180.0, -13.0);
    MilkyWayPaths paths;
    const ProjectionFrame frame = poleFrame();
    paths.project(coords, frame, true);
    EXPECT_EQ(coords[0].visible, 1);
    EXPECT_EQ(coords[1].visible, 0);
    // Without a time change the stored horizon vectors are used.
    setDirection(coords[0], 0.0, 50.0);
    paths.project(coords, frame, false);
    EXPECT_EQ(coords[0].visible, 1);
    // A table of any other size is left alone.
    std::vector<MWCoord> other(10, MWCoord{});
    MilkyWayPaths none;
    none.project(other, frame, true);
    EXPECT_EQ(other[0].visible, 0);
    EXPECT_FALSE(none.pathIsVisible(0));
}

}  // namespace
