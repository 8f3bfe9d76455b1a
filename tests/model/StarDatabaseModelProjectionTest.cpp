#include "model/StarDatabaseModel.h"

#include "model/projection/PrecessionMatrix.h"

#include "CatalogueFixture.h"
#include "ProjectionFixture.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

using namespace ProjectionFixture;

// The model's own tables go through the pass; its accessors give what the
// pass left.
class ModelProjection : public ::testing::Test {
protected:
    ModelProjection()
    {
        fixture.writeInstallation();
        // A horizon for site 1 all round, 5 degrees up.
        std::vector<std::pair<double, double>> points;
        for (int az = 0; az < 360; az += 10)
            points.emplace_back(az, 5.0);
        fixture.writeBuildFile("Horizon1.txt", CatalogueFixture::horizonText(points, 36));
        model.setupDatabase(fixture.folders());
        model.setPlanetPositions(&planets);
        model.setSmallBodyPositions(&smallBodies);
    }

    CatalogueFixture fixture;
    ScopedAlertRecorder recorder;
    StarDatabaseModel model;
    RecordingPlanets planets;
    FakeSmallBodies smallBodies;
};

TEST_F(ModelProjection, ProjectsTheModelsTables)
{
    ProjectionInputs in = poleInputs();
    in.latitude = 40.0;
    in.julianDay = kJ2000 + 36525.0;
    in.isMilkyWay = true;
    model.calculateStarPositions(in, true);
    EXPECT_EQ(planets.calls.size(), 1);
    EXPECT_EQ(smallBodies.calls.size(), 1);
    int onScreen = 0;
    for (const star& s : model.stars())
        onScreen += s.state == kStateOnScreen;
    EXPECT_GT(onScreen, 0);
    EXPECT_LT(onScreen, int(model.numStars()));
    bool anyOutline = false;
    for (int k = 0; k < 30; ++k)
        anyOutline = anyOutline || model.pathIsVisible(k);
    EXPECT_TRUE(anyOutline);
    EXPECT_EQ(model.horizonPt(), QPointF(500, 400));
}

TEST_F(ModelProjection, TheCurrentSitesHorizonMakesTheGround)
{
    ProjectionInputs in = poleInputs();
    in.isCustomHorizon = true;
    in.currentSite = 1;
    model.calculateStarPositions(in, true);
    ASSERT_TRUE(model.isHorizon());
    // The custom ground starts at the chart's corner; the flat one on its horizon line.
    EXPECT_EQ(QPointF(model.horizonPath().elementAt(0)), QPointF(0, 0));
    EXPECT_EQ(model.horizonArray(1)[18].visible, 1);  // azimuth 180, straight ahead

    in.currentSite = 0;  // no horizon there: the flat ground
    model.calculateStarPositions(in, true);
    EXPECT_EQ(model.horizonPath().elementCount(), 53);
}

TEST_F(ModelProjection, APathIsProjectedOnlyWhileItIsValid)
{
    ProjectionInputs in = poleInputs();
    in.isPath = true;
    for (planetPath& p : model.planetPaths())
        p.state = 7;
    model.calculateStarPositions(in, true);
    EXPECT_EQ(model.planetPaths()[0].state, 7);
    model.setHasPlanetPath(true);
    model.calculateStarPositions(in, false);
    EXPECT_NE(model.planetPaths()[0].state, 7);
}

TEST_F(ModelProjection, BoundariesAreHeldWhileShownAndReadAgainTheSame)
{
    ProjectionInputs in = poleInputs();
    in.isBoundaries = true;
    StarDatabaseModel kept;
    kept.setupDatabase(fixture.folders());
    kept.calculateStarPositions(in, true);

    in.isBoundaries = false;
    model.calculateStarPositions(in, true);
    EXPECT_EQ(model.numBoundary(), 0u);
    in.isBoundaries = true;
    model.calculateStarPositions(in, true);
    ASSERT_EQ(model.numBoundary(), kept.numBoundary());
    for (std::size_t i = 0; i < kept.numBoundary(); ++i) {
        const boundaryLocn& a = model.boundaryLocns()[i];
        const boundaryLocn& b = kept.boundaryLocns()[i];
        ASSERT_EQ(a.visible, b.visible) << i;
        ASSERT_EQ(a.lineId, b.lineId) << i;
        ASSERT_EQ(QPointF(a.screenPt.x, a.screenPt.y), QPointF(b.screenPt.x, b.screenPt.y)) << i;
    }
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(ModelProjection, ABoundaryTableGoneSinceTheStartLeavesTheLayerEmptyAfterOneAlert)
{
    ProjectionInputs in = poleInputs();
    model.calculateStarPositions(in, true);
    ASSERT_TRUE(QFile::remove(fixture.folders().tvkDirectory + "Boundary.tvk"));
    in.isBoundaries = true;
    model.calculateStarPositions(in, true);
    model.calculateStarPositions(in, true);
    EXPECT_EQ(model.numBoundary(), 0u);
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].message, QString("Constellation boundary access error."));

    // A new start reads the table put back.
    fixture.writeInstallation();
    model.setupDatabase(fixture.folders());
    EXPECT_EQ(model.numBoundary(), 1600u);
}

}  // namespace
