#include "model/projection/GridProjection.h"

#include "model/catalogue/GridTables.h"
#include "model/catalogue/HorizonTables.h"

#include "ProjectionFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace ProjectionFixture;

RALocn raPoint(double azimuthDeg, double altitudeDeg)
{
    RALocn p{};
    setDirection(p, azimuthDeg, altitudeDeg);
    return p;
}

// The overlay cut in the ordinary chart; the all-sky view of 200 degrees
// (xLimit -0.35) shows 20 degrees below the horizon (depth -0.34), not 30.
TEST(RAGridProjection, OverlayCutAndTheAllSkyLimit)
{
    std::vector<RALocn> points = {raPoint(180.0, -10.0), raPoint(180.0, -13.0),
                                  raPoint(0.0, 30.0)};
    GridProjection::projectRAGrid(points, poleFrame(), true);
    EXPECT_EQ(points[0].visible, 1);
    EXPECT_EQ(points[1].visible, 0);
    EXPECT_EQ(points[2].visible, 0);
    points = {raPoint(90.0, -20.0), raPoint(90.0, -30.0)};
    GridProjection::projectRAGrid(points, poleFrame(180.0, 0.0, false, 200.0), true);
    EXPECT_EQ(points[0].visible, 1);
    EXPECT_EQ(points[1].visible, 0);
}

TEST(AltAzGridProjection, GridMarksAndTheAllSkyNadir)
{
    std::vector<AltAzLocn> table(GridTables::kAltAzGridPoints,
                                 HorizonTables::makePoint(180.0, -30.0));  // in view, below
    table[0] = HorizonTables::makePoint(0.0, 10.0);  // behind the viewer
    const ProjectionFrame frame = poleFrame();
    GridProjection::projectAltAzGrid(table, frame);
    EXPECT_EQ(table[0].visible, 0);
    EXPECT_EQ(table[3105].visible, 1);  // no horizon cut
    EXPECT_EQ(table[3106].visible, 0);  // the marks are not part of the grid
    GridProjection::projectAltAzMarks(table, frame);
    EXPECT_EQ(table[3106].visible, 1);
    EXPECT_EQ(table[3113].visible, 1);

    std::vector<AltAzLocn> low = {HorizonTables::makePoint(0.0, -60.0),
                                  HorizonTables::makePoint(0.0, -90.0)};
    GridProjection::projectAltAzGrid(low, poleFrame(180.0, 0.0, false, 200.0));
    EXPECT_EQ(low[0].visible, 1);
    EXPECT_EQ(low[1].visible, 0);
}

}  // namespace
