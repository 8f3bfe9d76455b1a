#include "solarsystem/planets/PlanetaryPositions.h"

#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"

#include "model/PrefFixture.h"
#include "solarsystem/SkyReference.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

using namespace SkyReference;

// The model's planet records filled through the settings and the sky date of
// the 2024 April 8 eclipse, 18h UT.
class PlanetaryPositionsTest : public PrefFixture {
protected:
    void SetUp() override
    {
        PrefFixture::SetUp();
        PrefControl& prefs = launch();
        prefs.setLatitude(38.921389);
        prefs.setIsMetric(true);
        skyDate = std::make_unique<SkyDateModel>(prefs);
        skyDate->calculateDate(QDateTime(QDate(2024, 4, 8), QTime(18, 0), QTimeZone::utc()), 0.0);
        for (int i = 0; i < 11; ++i)
            model.planets()[std::size_t(i)].index = i;
    }
    void TearDown() override { AppTimeZone::setZone(QTimeZone::systemTimeZone()); }

    StarDatabaseModel model;
    std::unique_ptr<SkyDateModel> skyDate;
    ScopedAlertRecorder recorder;
};

TEST_F(PlanetaryPositionsTest, RunsThePassAndTheMoonForTheSkyDateAndSite)
{
    std::vector<int> placed;
    PlanetaryPositions positions(model, *fakes.prefs, *skyDate,
                                 [&placed](int entry, double, double) { placed.push_back(entry); });
    positions.calculatePlanetPositions(0.0, -1, -1, false);

    // The same pass and Moon step run by hand on records of their own.
    PassRecords expected;
    PlanetaryPass pass;
    PlanetaryPassRequest request;
    request.julianDay = skyDate->julianDay();
    request.latitude = 38.921389;
    request.primeMeridian = skyDate->primeMeridian();
    ASSERT_TRUE(expected.run(pass, request));
    const PlanetHandOver& h = pass.state().handOver;
    const MoonStep::Result moon = MoonStep::calculateMoon(
        {h.pT, h.pNutLong, h.pCO, h.pSO, h.pLe, request.primeMeridian, 38.921389, true}, expected.planets[9],
        expected.planets[10]);
    for (std::size_t k = 0; k < 11; ++k)
        EXPECT_EQ(std::memcmp(&model.planets()[k], &expected.planets[k], sizeof(planet)), 0) << "entry " << k;
    EXPECT_EQ(positions.moon().moonPhase, moon.moonPhase);
    ASSERT_FALSE(placed.empty());
    EXPECT_EQ(placed.back(), 9);  // every body, then the Moon
    EXPECT_EQ(recorder.beeps, 0);
    // The eclipse Moon stood near perigee, about 360,000 km away.
    EXPECT_NEAR(model.planets()[9].geoDistance, 360.0f, 1.0f);
}

// Neither a shortened pass nor a refused one writes a record.
TEST_F(PlanetaryPositionsTest, AShortenedPassLeavesTheMoonAloneAndAnOffsetOutOfRangeBeeps)
{
    PlanetaryPositions positions(model, *fakes.prefs, *skyDate);
    positions.calculatePlanetPositions(10.0, -1, -1, false);
    EXPECT_EQ(recorder.beeps, 0);
    positions.calculatePlanetPositions(3650000.5, -1, -1, false);
    EXPECT_EQ(recorder.beeps, 1);
    EXPECT_EQ(double(model.planets()[0].vecX), 0.0);
    EXPECT_EQ(model.planets()[9].geoDistance, 0.0f);
}

}  // namespace
