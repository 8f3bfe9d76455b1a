#include "model/projection/ProjectionSources.h"

#include "model/ObjectIndex.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"

#include "PrefFixture.h"
#include "ProjectionFixture.h"

#include <gtest/gtest.h>

namespace {

class ProjectionSourcesTest : public PrefFixture {
protected:
    void TearDown() override { AppTimeZone::setZone(QTimeZone::systemTimeZone()); }
};

TEST_F(ProjectionSourcesTest, TheModelProjectsForItsLinks)
{
    PrefControl& prefs = launch();
    SkyDateModel skyDate(prefs);
    prefs.setSkyViewRect(QRectF(0, 0, 1000, 800));
    prefs.setViewAngle(120.0);
    skyDate.calculateDate(QDateTime(QDate(2030, 1, 1), QTime(0, 0), QTimeZone::utc()), 0.0);
    StarDatabaseModel model;
    ProjectionFixture::RecordingPlanets planets;
    model.setPlanetPositions(&planets);

    model.calculateStarPositions(true);  // not linked yet: nothing to project for
    EXPECT_TRUE(planets.calls.isEmpty());
    EXPECT_DOUBLE_EQ(model.radius(), 0.0);

    model.setLinks(prefs, skyDate);
    model.calculateStarPositions(true);
    EXPECT_EQ(planets.calls.size(), 1);
    EXPECT_NEAR(model.radius(), 1051.863, 5e-4);
    EXPECT_EQ(model.precessionMatrix(),
              PrecessionMatrix::forJulianDay(skyDate.julianDay()).p);
}

TEST(ProjectionSelection, EachBandSelectsInItsOwnCatalogueOnly)
{
    struct Case {
        int findIndex;
        std::optional<std::uint32_t> star, deepSky, comet, minorPlanet;
    };
    // The bands' edges are ObjectIndex's; here each band's catalogue.
    const Case cases[] = {
        {99999, 99999u, {}, {}, {}}, {100000, {}, {}, {}, {}}, {200007, {}, 7u, {}, {}},
        {300002, {}, {}, 2u, {}},    {600010, {}, {}, {}, {}}, {899999, {}, {}, {}, 99999u},
        {kSimStarIndex, {}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        const ProjectionSelection s = ProjectionSources::selection(c.findIndex);
        EXPECT_EQ(s.star, c.star) << c.findIndex;
        EXPECT_EQ(s.deepSky, c.deepSky) << c.findIndex;
        EXPECT_EQ(s.comet, c.comet) << c.findIndex;
        EXPECT_EQ(s.minorPlanet, c.minorPlanet) << c.findIndex;
    }
}

}  // namespace
