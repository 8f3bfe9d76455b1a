#include "model/projection/ProjectionPass.h"

#include "model/projection/GridProjection.h"
#include "model/catalogue/GridTables.h"
#include "model/catalogue/HorizonTables.h"
#include "model/catalogue/MilkyWayTable.h"
#include "platform/AppTimeZone.h"

#include "ProjectionFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <span>
#include <vector>

namespace {

using namespace ProjectionFixture;

// Gives the records fresh directions from `azimuth` in steps of `step` degrees
// at `altitude`, then hands each to `set`.
template <class Record, class Set>
void spread(std::span<Record> records, double azimuth, double step, double altitude, Set set)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i] = Record{};
        setDirection(records[i], azimuth + step * double(i), altitude);
        set(records[i]);
    }
}

// A small sky with a few records of every kind around the south point.
class PassTest : public ::testing::Test {
protected:
    PassTest()
    {
        const auto none = [](auto&) {};
        for (int i = 0; i < 40; ++i)
            stars.push_back(makeStar(150.0 + i * 1.5, -10.0 + i, float(i % 9)));
        labels.resize(89);
        spread<conLocn>(labels, 100.0, 2.0, 20.0, none);
        boundaries.resize(30);
        spread<boundaryLocn>(boundaries, 160.0, 1.0, 5.0, none);
        spread<planet>(planets, 120.0, 10.0, 15.0, none);
        spread<planetPath>(paths, 170.0, 1.0, 25.0, none);
        deepSkyObjects.resize(20);
        spread<deepSky>(deepSkyObjects, 165.0, 1.0, 12.0, [](deepSky& d) { d.mag = 8.0f; });
        raGrid.assign(GridTables::kRAGridPoints, RALocn{});
        for (std::size_t i = 0; i < raGrid.size(); ++i)
            setDirection(raGrid[i], double(i % 360), double(i % 90));
        for (std::size_t i = 0; i < GridTables::kAltAzGridPoints; ++i)
            altAzGrid.push_back(HorizonTables::makePoint(double(i % 360), double(i % 80)));
        mwCoords = MilkyWayTable::createCoords();
        meteors.resize(10);
        spread<meteor>(meteors, 180.0, 0.0, 40.0, [](meteor& m) {
            m.month = 8;
            m.day = 12;
        });
        smallBodies.cometTable.resize(5);
        spread<comet>(smallBodies.cometTable, 175.0, 0.0, 8.0, [](comet& c) { c.mag = 9.0f; });
        smallBodies.minorPlanetTable.resize(5);
        spread<minorPlanet>(smallBodies.minorPlanetTable, 185.0, 0.0, 8.0, [](minorPlanet& m) {
            m.mag = 9.0f;
            m.source = kMPSourceUnnumbered;
        });

        catalogues.stars = stars;
        catalogues.conLocns = labels;
        catalogues.boundaries = boundaries;
        catalogues.planets = planets;
        catalogues.planetPaths = paths;
        catalogues.hasPlanetPath = true;
        catalogues.deepSkyData = deepSkyObjects;
        catalogues.raGrid = raGrid;
        catalogues.altAzGrid = altAzGrid;
        catalogues.mwCoords = mwCoords;
        catalogues.meteors = meteors;
        services.planets = &planetPass;
        services.smallBodies = &smallBodies;

        in = poleInputs();
        in.isConstellations = in.isBoundaries = in.isPath = true;
        in.showComet = true;
        in.cometMagLimit = 12.0;
        in.deepSkySwitches.deepSkyMagLimit = 12.0;
        in.deepSkySwitches.showOther = true;
        in.deepSkySwitches.showGalaxy = true;
        in.isRA_Dec = in.isAlt_Az = in.isMilkyWay = in.isMeteor = true;
        in.skyDate = QDateTime(QDate(2024, 8, 12), QTime(12, 0), QTimeZone::utc());
    }

    void run(bool force) { pass.calculateStarPositions(in, catalogues, services, force); }

    // Every horizon vector of every catalogue, as raw bytes.
    QByteArray horizonVectors() const
    {
        QByteArray bytes;
        const auto add = [&bytes](const auto& records) {
            for (const auto& r : records) {
                const double h[3] = {r.horX, r.horY, r.horZ};
                bytes.append(reinterpret_cast<const char*>(h), sizeof h);
            }
        };
        add(stars), add(labels), add(boundaries), add(planets), add(paths), add(deepSkyObjects);
        add(raGrid), add(mwCoords), add(meteors), add(smallBodies.cometTable);
        add(smallBodies.minorPlanetTable);
        return bytes;
    }

    std::vector<star> stars;
    std::vector<conLocn> labels;
    std::vector<boundaryLocn> boundaries;
    std::array<planet, 11> planets{};
    std::array<planetPath, 40> paths{};
    std::vector<deepSky> deepSkyObjects;
    std::vector<RALocn> raGrid;
    std::vector<AltAzLocn> altAzGrid;
    std::vector<MWCoord> mwCoords;
    std::vector<meteor> meteors;
    RecordingPlanets planetPass;
    FakeSmallBodies smallBodies;
    ProjectionPass::Catalogues catalogues;
    ProjectionPass::Services services;
    ProjectionInputs in;
    ProjectionPass pass;
};

TEST_F(PassTest, FirstPassComputesTheScaleAndEverything)
{
    in.viewAngle = 0.0;  // the default angle
    run(true);
    EXPECT_EQ(pass.skyRect(), QRectF(0, 0, 1000, 800));
    EXPECT_DOUBLE_EQ(pass.viewAngle(), 120.0);
    EXPECT_NEAR(pass.radius(), 1051.863, 5e-4);
    EXPECT_NEAR(pass.xLimit(), 0.13560, 5e-6);
    EXPECT_TRUE(pass.isTimeChange());
    EXPECT_EQ(planetPass.calls, QStringList{"0 -1 -1 0"});
    EXPECT_EQ(smallBodies.calls, QStringList{"3 0 -1 -1"});
    EXPECT_EQ(stars[20].state, kStateOnScreen);  // az 180, alt 10, mag 2
    EXPECT_EQ(planets[6].state, kStateOnScreen);
    EXPECT_EQ(smallBodies.cometTable[0].state, kStateOnScreen);
    EXPECT_EQ(smallBodies.minorPlanetTable[0].state, kStateOnScreen);
    EXPECT_EQ(deepSkyObjects[0].state, kStateOnScreen);
    EXPECT_EQ(labels[40].visible, 1);
    EXPECT_EQ(meteors[0].visible, 1);
    EXPECT_TRUE(pass.milkyWay().pathIsVisible(0) || pass.milkyWay().pathIsVisible(20));
    EXPECT_TRUE(pass.ground().isHorizon());
    EXPECT_EQ(pass.ground().horizonPt(), QPointF(500, 400));
}

TEST_F(PassTest, APanOrZoomKeepsEveryHorizonVectorAndCallsNoSolarSystemPass)
{
    run(true);
    const QByteArray before = horizonVectors();
    const float starX = stars[20].screenX;
    in.azimuth = 190.0;
    run(false);
    in.altitude = 12.0;
    in.viewAngle = 60.0;
    run(false);
    EXPECT_FALSE(pass.isTimeChange());
    EXPECT_EQ(planetPass.calls.size(), 1);
    EXPECT_EQ(smallBodies.calls.size(), 1);
    EXPECT_EQ(horizonVectors(), before);
    EXPECT_NE(stars[20].screenX, starX);
}

// The list of the stars on screen follows each pass, and only for the table
// the pass projected.
TEST_F(PassTest, TheStarsOnScreenAreListedForTheProjectedTableOnly)
{
    EXPECT_FALSE(pass.starsOnScreen(stars).has_value());
    for (const double azimuth : {180.0, 200.0}) {
        in.azimuth = azimuth;
        run(false);
        std::vector<std::uint32_t> shown;
        for (std::uint32_t i = 0; i < stars.size(); ++i)
            if (stars[i].state == kStateOnScreen)
                shown.push_back(i);
        ASSERT_TRUE(pass.starsOnScreen(stars).has_value());
        const std::span<const std::uint32_t> listed = *pass.starsOnScreen(stars);
        EXPECT_EQ(std::vector<std::uint32_t>(listed.begin(), listed.end()), shown) << azimuth;
        EXPECT_FALSE(shown.empty());
    }
    const std::vector<star> copy = stars;
    EXPECT_FALSE(pass.starsOnScreen(copy).has_value());
    EXPECT_FALSE(pass.starsOnScreen(std::span<const star>(stars).first(3)).has_value());
}

// A forced pass, a new sidereal time or a new latitude recompute every vector.
TEST_F(PassTest, TheSkyMovesWhenForcedOrWithSiderealTimeOrLatitude)
{
    run(true);
    stars[0].horZ = 5.0;
    raGrid[0].horZ = 5.0;
    run(true);
    EXPECT_TRUE(pass.isTimeChange());
    EXPECT_LT(double(stars[0].horZ), 1.0);
    EXPECT_LT(double(raGrid[0].horZ), 1.0);
    run(false);
    EXPECT_FALSE(pass.isTimeChange());
    in.primeMeridian = 1.0;
    run(false);
    EXPECT_TRUE(pass.isTimeChange());
    in.latitude = 89.0;
    run(false);
    EXPECT_TRUE(pass.isTimeChange());
    EXPECT_EQ(planetPass.calls.size(), 4);
    EXPECT_EQ(smallBodies.calls.size(), 4);
    // The star moved with the sky: 1 degree of sidereal time is 1 of azimuth.
    EXPECT_NEAR(std::atan2(stars[20].horY, stars[20].horX) / kDegToRad, 1.0, 0.02);
}

TEST_F(PassTest, TheSelectionIsShownAtAnyMagnitude)
{
    in.starMagLimit = 1.0;
    in.showComet = false;
    in.deepSkySwitches.deepSkyMagLimit = 1.0;
    in.selection.star = 20u;
    in.selection.deepSky = 3u;
    in.selection.comet = 1u;
    run(true);
    EXPECT_EQ(stars[20].state, kStateOnScreen);
    EXPECT_EQ(stars[21].state, kStateFiltered);
    EXPECT_EQ(smallBodies.cometTable[1].state, kStateOnScreen);
    EXPECT_EQ(smallBodies.cometTable[0].state, kStateFiltered);
    EXPECT_EQ(deepSkyObjects[3].state, kStateOnScreen);
    EXPECT_EQ(deepSkyObjects[4].state, kStateFiltered);
}

TEST_F(PassTest, ALargeMinorPlanetTableIsLeftToTheSmallBodyPass)
{
    smallBodies.minorPlanetTable.assign(SmallBodyPositions::kParallelThreshold, minorPlanet{});
    for (minorPlanet& m : smallBodies.minorPlanetTable)
        m.state = 42;
    run(true);
    run(false);
    // Called on every pass, not only when the sky moved, with the pass's projection.
    EXPECT_EQ(smallBodies.calls.size(), 2);
    EXPECT_EQ(smallBodies.minorPlanetTable.front().state, 42);
    EXPECT_EQ(smallBodies.minorPlanetTable.back().state, 42);
    EXPECT_DOUBLE_EQ(pass.minorPlanetProjector().frame().radius(), pass.radius());
    EXPECT_FALSE(pass.minorPlanetProjector().isTimeChange());
}

TEST_F(PassTest, ALowAllSkyViewKeepsTheScale)
{
    run(true);
    in.skyViewRect = QRectF(0, 0, 1000, 30);
    in.viewAngle = 200.0;
    run(false);
    EXPECT_EQ(pass.skyRect(), QRectF(0, 0, 1000, 800));
    EXPECT_DOUBLE_EQ(pass.viewAngle(), 120.0);
    EXPECT_NEAR(pass.radius(), 1051.863, 5e-4);
    run(true);
    EXPECT_NEAR(pass.radius(), 1051.863, 5e-4);
}

TEST_F(PassTest, TheAllSkyChartIsCentredOnTheZenithWithoutCustomGround)
{
    std::vector<AltAzLocn> custom(12, HorizonTables::makePoint(180.0, 5.0));
    catalogues.customHorizon = custom;
    in.isCustomHorizon = true;
    in.viewAngle = 200.0;
    in.altitude = 10.0;
    stars[0] = makeStar(0.0, 90.0, 1.0f);
    run(true);
    EXPECT_DOUBLE_EQ(pass.radius(), 380.0);
    EXPECT_FLOAT_EQ(stars[0].screenX, 500.0f);
    EXPECT_FLOAT_EQ(stars[0].screenY, 400.0f);
    EXPECT_EQ(custom[0].visible, 0);
    EXPECT_EQ(pass.ground().horizonPath().fillRule(), Qt::OddEvenFill);
    EXPECT_EQ(pass.ground().horizonPt(), QPointF(500, 20));
}

TEST_F(PassTest, TheFlatGroundIsRebuiltOnlyWhenTheViewChanged)
{
    std::vector<AltAzLocn> custom;
    for (double az = 100.0; az <= 260.0; az += 10.0)
        custom.push_back(HorizonTables::makePoint(az, 5.0));
    catalogues.customHorizon = custom;
    in.isCustomHorizon = true;
    run(true);
    const QPainterPath customPath = pass.ground().horizonPath();
    EXPECT_EQ(QPointF(customPath.elementAt(0)), QPointF(0, 0));
    // Turned off, with only the azimuth changed: the old ground stays.
    in.isCustomHorizon = false;
    in.azimuth = 185.0;
    run(false);
    EXPECT_EQ(pass.ground().horizonPath(), customPath);
    // A new altitude rebuilds the flat ground.
    in.altitude = 5.0;
    run(false);
    EXPECT_EQ(pass.ground().horizonPath().elementCount(), 53);
}

TEST_F(PassTest, SwitchedOffLayersAreLeftAlone)
{
    in.isConstellations = in.isMyth = in.isBoundaries = in.isPath = false;
    in.isMilkyWay = in.isMeteor = false;
    for (conLocn& l : labels)
        l.visible = 7;
    boundaries[0].visible = mwCoords[0].visible = meteors[0].visible = 7;
    paths[0].state = 7;
    run(true);
    EXPECT_EQ(labels[0].visible, 7);
    EXPECT_EQ(boundaries[0].visible, 7);
    EXPECT_EQ(paths[0].state, 7);
    EXPECT_EQ(mwCoords[0].visible, 7);
    EXPECT_EQ(meteors[0].visible, 7);
    // The myth figures need the labels too.
    in.isMyth = true;
    run(false);
    EXPECT_NE(labels[0].visible, 7);
}

// Hidden grids are projected only when the sky moved or for the equator and
// meridian lines; the compass marks are skipped while below is on, except all-sky.
TEST_F(PassTest, GridsAndMarks)
{
    in.isRA_Dec = in.isAlt_Az = false;
    run(true);
    raGrid[0].visible = altAzGrid[0].visible = 7;
    in.azimuth = 190.0;
    run(false);
    EXPECT_EQ(raGrid[0].visible, 7);
    EXPECT_EQ(altAzGrid[0].visible, 7);
    in.isEquator = in.isMeridian = true;
    run(false);
    EXPECT_NE(raGrid[0].visible, 7);
    EXPECT_NE(altAzGrid[0].visible, 7);

    AltAzLocn& mark = altAzGrid[GridProjection::kAltAzGridLines];
    in.isBelow = true;
    mark.visible = 7;
    run(true);
    EXPECT_EQ(mark.visible, 7);
    in.viewAngle = 200.0;
    run(false);
    EXPECT_NE(mark.visible, 7);
}

TEST_F(PassTest, MeteorsUseTheSkyDateInTheProgramsTimeZone)
{
    const QTimeZone saved = AppTimeZone::zone();
    // 23:30 UT on 10 August is already the 11th two hours east.
    in.skyDate = QDateTime(QDate(2024, 8, 10), QTime(23, 30), QTimeZone::utc());
    AppTimeZone::setZone(QTimeZone::utc());
    run(true);
    EXPECT_EQ(meteors[0].visible, 0);
    AppTimeZone::setZone(QTimeZone(2 * 3600));
    run(false);
    EXPECT_EQ(meteors[0].visible, 1);
    AppTimeZone::setZone(saved);
}

}  // namespace
