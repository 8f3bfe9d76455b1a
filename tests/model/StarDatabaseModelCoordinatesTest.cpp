#include "model/StarDatabaseModel.h"

#include "model/ObjectIndex.h"
#include "model/SkyDateModel.h"
#include "model/records/RecordConstants.h"

#include "CatalogueFixture.h"
#include "PrefFixture.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A model on a small generated installation, linked to a settings object and
// a sky date as the application links them.
class ModelCoordinates : public PrefFixture {
protected:
    void SetUp() override
    {
        PrefFixture::SetUp();
        fixture.writeInstallation();
        model.setupDatabase(fixture.folders());
        PrefControl& p = launch();
        p.setLatitude(40.0);
        p.setLongitude(-75.0);
        p.setSkyViewRect(QRectF(0, 0, 1000, 800));
        p.setViewAngle(90.0);
        p.setAltitude(30.0);
        p.setAzimuth(200.0);
        skyDate = std::make_unique<SkyDateModel>(p);
        skyDate->calculateDate(QDateTime(QDate(2024, 3, 1), QTime(3, 0), Qt::UTC), 0.0);
        model.setLinks(p, *skyDate);
        model.calculateStarPositions(true);
    }

    PrefControl& prefs() { return *fakes.prefs; }

    CatalogueFixture fixture;
    ScopedAlertRecorder recorder;
    StarDatabaseModel model;
    std::unique_ptr<SkyDateModel> skyDate;
};

}  // namespace

TEST_F(ModelCoordinates, HelpersUseTheSiteTheSkyDateAndTheView)
{
    double az = 0.0, alt = 0.0;
    const double lst = skyDate->primeMeridian() * 0.0174532925199433;
    model.CalculateAzFromRA(lst, 0.0, &az, &alt);
    EXPECT_NEAR(az, M_PI, 1e-12);  // on the meridian, south of the zenith
    EXPECT_NEAR(alt, 50.0 * 0.0174532925199433, 1e-12);

    const FloatPoint centre = model.CalculateAzPoint(200.0 * 0.0174532925199433, 30.0 * 0.0174532925199433);
    EXPECT_FLOAT_EQ(centre.x, 500.0f);
    EXPECT_FLOAT_EQ(centre.y, 400.0f);

    model.calculateCursorPosition(centre);
    EXPECT_NEAR(model.mouseAlt(), 30.0, 1e-4);
    EXPECT_NEAR(model.mouseAz(), 200.0, 1e-4);
    double ra = 0.0, dec = 0.0;
    model.CalcRAFromAz(200.0, 30.0, &ra, &dec);
    EXPECT_NEAR(model.mouseRA(), ra * 57.2957795130823, 1e-4);
    EXPECT_NEAR(model.mouseDec(), dec * 57.2957795130823, 1e-4);
}

TEST_F(ModelCoordinates, CentringBringsTheStarOrSimulatedStarToTheMiddle)
{
    int chosen = -1;  // any star out of view
    for (std::uint32_t i = 0; i < model.numStars() && chosen < 0; ++i) {
        if (model.stars()[i].state == kStateOffView)
            chosen = int(i);
    }
    ASSERT_GE(chosen, 0);
    model.createSimStar(120.0, 10.0, "Lookup", "1", 0.0, 0.0, 5.0f);
    for (const int index : {kStarIndexBase + chosen, kSimStarIndex}) {
        prefs().setFindIndex(index);
        model.centerObject();
        model.calculateStarPositions(false);
        const star& s = index == kSimStarIndex ? *model.simStar()
                                               : model.stars()[std::size_t(chosen)];
        EXPECT_EQ(s.state, kStateOnScreen) << index;
        const float x = s.screenX, y = s.screenY;
        EXPECT_NEAR(x, 500.0f, 0.01f) << index;
        EXPECT_NEAR(y, 400.0f, 0.01f) << index;
    }
}

TEST_F(ModelCoordinates, RebuiltStarsAreProjectedAtOnce)
{
    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(2100));
    ASSERT_TRUE(model.rebuildDatabase());
    ASSERT_EQ(model.numStars(), 2100u);
    int onScreen = 0;
    for (const star& s : model.stars()) {
        EXPECT_NEAR(s.horX * s.horX + s.horY * s.horY + s.horZ * s.horZ, 1.0, 1e-9) << s.index;
        onScreen += s.state == kStateOnScreen;
    }
    EXPECT_GT(onScreen, 0);
}

TEST_F(ModelCoordinates, CentringWithoutARecordChangesNothing)
{
    for (const int index : {kNoObjectIndex, kTypedPositionIndex, kSimStarIndex,
                            kStarIndexBase + int(model.numStars()), kPlanetMoonIndexBase,
                            kDeepSkyIndexBase + int(model.numDeepSky()), kCometIndexBase,
                            kMinorPlanetIndexBase + 5}) {
        prefs().setFindIndex(index);
        model.centerObject();
        EXPECT_DOUBLE_EQ(prefs().azimuth(), 200.0) << index;
        EXPECT_DOUBLE_EQ(prefs().altitude(), 30.0) << index;
    }
}
