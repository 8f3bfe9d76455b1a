#include "model/projection/SolarSystemProjection.h"

#include "ProjectionFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using namespace ProjectionFixture;

TEST(PlanetProjection, TheSunIsAlwaysShown)
{
    std::array<planet, 11> planets{};
    setDirection(planets[0], 0.0, -40.0);  // the Sun, below and behind
    setDirection(planets[4], 180.0, 20.0);
    setDirection(planets[5], 180.0, -20.0);
    setDirection(planets[6], 10.0, 20.0);
    SolarSystemProjection::projectPlanets(planets, poleFrame(), true);
    EXPECT_EQ(planets[0].state, kStateOnScreen);
    EXPECT_GT(std::abs(planets[0].screenY - 400.0f), 1000.0f);
    EXPECT_EQ(planets[4].state, kStateOnScreen);
    EXPECT_EQ(planets[5].state, kStateBelowHorizon);
    EXPECT_EQ(planets[6].state, kStateOffView);
    // Straight behind it has no chart point and keeps its old one.
    planets[0].horX = -1.0;
    planets[0].horY = planets[0].horZ = 0.0;
    planets[0].screenX = 12.0f;
    SolarSystemProjection::projectPlanets(planets, poleFrame(), false);
    EXPECT_EQ(planets[0].state, kStateOnScreen);
    EXPECT_FLOAT_EQ(planets[0].screenX, 12.0f);
}

TEST(PathProjection, ShownOrNot)
{
    std::array<planetPath, 3> points{};
    setDirection(points[0], 180.0, 10.0);
    setDirection(points[1], 180.0, -10.0);
    setDirection(points[2], 0.0, 10.0);
    SolarSystemProjection::projectPath(points, poleFrame(), true);
    EXPECT_EQ(points[0].state, 1);
    EXPECT_EQ(points[1].state, 0);
    EXPECT_EQ(points[2].state, 0);
}

TEST(CometProjection, FilteredCometsKeepTheirOldVectors)
{
    std::vector<comet> comets(3, comet{});
    for (comet& c : comets) {
        setDirection(c, 180.0, 15.0);
        c.mag = 17.0f;
    }
    comets[0].mag = 10.0f;
    CatalogueFilters::CometFilter filter;
    filter.limit = 16.4;
    filter.showComet = true;
    filter.selected = 2u;
    SolarSystemProjection::projectComets(comets, poleFrame(), true, filter);
    EXPECT_EQ(comets[0].state, kStateOnScreen);
    EXPECT_NEAR(double(comets[0].horZ), -std::sin(15.0 * kDegToRad), 1e-12);
    EXPECT_EQ(comets[1].state, kStateFiltered);
    EXPECT_DOUBLE_EQ(double(comets[1].horZ), 0.0);
    EXPECT_EQ(comets[2].state, kStateOnScreen);
}

}  // namespace
