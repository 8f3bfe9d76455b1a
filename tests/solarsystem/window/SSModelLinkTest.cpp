#include "SSFixture.h"

#include "model/StarDatabaseModel.h"
#include "solarsystem/SolarSystemModel.h"
#include "solarsystem/window/SSDrawView.h"
#include "solarsystem/window/SSDrawer.h"
#include "solarsystem/window/SSModelLink.h"
#include "solarsystem/window/SSWindow.h"

#include <QDateTimeEdit>

#include <gtest/gtest.h>

#include <array>
#include <numbers>

namespace {

class SSModelLinkTest : public SSFixture {
protected:
    void SetUp() override
    {
        SSFixture::SetUp();
        model.setLinks(*prefs, *skyDate);
        solarSystem = std::make_unique<SolarSystemModel>(model, *prefs, *skyDate);
        link = std::make_unique<SSModelLink>(*solarSystem);
    }

    // The plot longitudes a plot-only pass leaves for the sky date plus `days`.
    std::array<double, 9> plotLongitudes(double days)
    {
        std::array<planet, 11> planets{};
        std::ranges::copy(model.planets(), planets.begin());
        std::array<planetPath, 40> paths{};
        PlanetaryPass pass;
        PlanetaryPassRequest request;
        request.julianDay = skyDate->julianDay();
        request.dayOffset = days;
        request.plotOnly = true;
        EXPECT_TRUE(pass.run(request, planets, paths));
        return pass.state().plotL;
    }

    StarDatabaseModel model;
    std::unique_ptr<SolarSystemModel> solarSystem;
    std::unique_ptr<SSModelLink> link;
};

TEST_F(SSModelLinkTest, PickedDateRecomputesThePlotLongitudesWithTheShortenedPass)
{
    SSWindow window(*prefs, *skyDate, *link, noImages.path());
    window.ssDrawer().drawView().datePick->setDateTime(skyDate->skyDate().addSecs(36 * 3600));
    EXPECT_DOUBLE_EQ(window.ssDrawer().extraDays(), 1.5);

    const std::array<double, 9> expected = plotLongitudes(1.5);
    for (int k = 0; k < 9; ++k)
        EXPECT_DOUBLE_EQ(link->planetPlotL(k), expected[std::size_t(k)]) << k;
    // The Earth moved on by about a degree and a half of its orbit.
    const double earthStep = link->planetPlotL(2) - plotLongitudes(0.0)[2];
    EXPECT_NEAR(earthStep * 180 / std::numbers::pi, 1.5 * 0.9856, 0.05);

    // An offset the pass refuses leaves the longitudes as they were.
    window.ssDrawer().scrollDate(4.0e6);
    EXPECT_DOUBLE_EQ(link->planetPlotL(2), expected[2]);
}

TEST_F(SSModelLinkTest, RecordIndexesOutsideTheTablesHaveNoNameAndNoOrbit)
{
    for (const int kind : {kSmallBodyComets, kSmallBodyMinorPlanets, 7}) {
        for (const int record : {-1, 0, 99999}) {
            EXPECT_FALSE(link->smallBodyName(kind, record)) << kind << " " << record;
            EXPECT_FALSE(link->smallBodyOrbit(kind, 0.0, record)) << kind << " " << record;
        }
    }
    EXPECT_EQ(link->planetPlotL(-1), 0.0);
    EXPECT_EQ(link->planetPlotL(9), 0.0);
}

}  // namespace
