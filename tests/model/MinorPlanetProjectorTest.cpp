#include "model/projection/MinorPlanetProjector.h"

#include "ProjectionFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace ProjectionFixture;

minorPlanet record(std::int32_t source, float mag, double altitudeDeg)
{
    minorPlanet m{};
    m.source = source;
    m.mag = mag;
    setDirection(m, 180.0, altitudeDeg);
    return m;
}

CatalogueFilters::MinorPlanetFilter filter()
{
    CatalogueFilters::MinorPlanetFilter f;
    f.limit = 16.4;
    f.showMP = true;
    f.showNEO = true;
    return f;
}

TEST(MinorPlanetProjector, FilterThenPlace)
{
    const MinorPlanetProjector projection(poleFrame(), filter(), true);
    minorPlanet shown = record(kMPSourceBright, 10.0f, 20.0);
    minorPlanet low = record(kMPSourceBright, 10.0f, -20.0);
    minorPlanet faint = record(kMPSourceBright, 18.0f, 20.0);
    EXPECT_TRUE(projection.project(shown, 0, std::nullopt));
    EXPECT_EQ(shown.state, kStateOnScreen);
    EXPECT_FALSE(projection.project(low, 1, std::nullopt));
    EXPECT_EQ(low.state, kStateBelowHorizon);
    EXPECT_FALSE(projection.project(faint, 2, std::nullopt));
    EXPECT_EQ(faint.state, kStateFiltered);
    EXPECT_DOUBLE_EQ(double(faint.horZ), 0.0);  // filtered: the old vector stays
    // The nearest NEO is exempt from the limit.
    minorPlanet neo = record(kMPSourceUnusual, 18.0f, 20.0);
    EXPECT_TRUE(projection.project(neo, 3, 3u));
    // Without a time change the stored vector (here the nadir) counts.
    const MinorPlanetProjector panned(poleFrame(), filter(), false);
    shown.horX = shown.horY = 0.0;
    shown.horZ = 1.0;
    EXPECT_FALSE(panned.project(shown, 0, std::nullopt));
    EXPECT_EQ(shown.state, kStateBelowHorizon);
}

}  // namespace
