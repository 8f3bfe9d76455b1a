#include "FindFixture.h"

#include "model/ObjectIndex.h"
#include "model/settings/links/PhotoHorizonAdjustments.h"

namespace {

class FindObjectsTest : public FindFixture {
protected:
    void SetUp() override
    {
        FindFixture::SetUp();
        sky.addDeepSky("Andromeda Galaxy", "NGC 224", "M31");
        sky.addDeepSky(" ", "IC 434", "");
        sky.addDeepSky("Crab Nebula", "NGC 1952", "M1");
        sky.addDeepSky("North America", "NGC 7000", "").state = kStateFiltered;
        sky.addDeepSky("Low Filtered", "NGC 891", "", -10.0).state = kStateFiltered;
        sky.addStar("Sirius", "Alp CMa", "151881");
        sky.addStar("Deneb", "Alp Cyg", "49941", 45.0);
        sky.addNamed(sky.cometTable, "C/2023 A3 (Tsuchinshan-ATLAS)");
        sky.addNamed(sky.cometTable, "P/2010 A2 (LINEAR)");
        sky.addNamed(sky.minorPlanetTable, "Ceres");
        for (int k = 0; k < 11; ++k)
            FakeSky::place(sky.planetTable[std::size_t(k)], 30.0 * k, 10.0).index = k;
        conLocn orion{};
        FakeSky::place(orion, 85.0, 5.0);
        orion.name = "Orion";
        sky.labels.push_back(orion);
    }
};

TEST_F(FindObjectsTest, PanelEntriesAreNormalisedAndFoundByDesignation)
{
    const struct {
        const char* typed;
        const char* findName;
        const char* result;
        int index;
    } cases[] = {
        {"ngc224", "NGC 224", "Andromeda Galaxy has been found.", kDeepSkyIndexBase + 0},
        {"ngc 224", "NGC 224", "Andromeda Galaxy has been found.", kDeepSkyIndexBase + 0},
        {"  ic434 ", "IC 434", "IC 434 has been found.", kDeepSkyIndexBase + 1},
        {"m1", "M1", "Crab Nebula has been found.", kDeepSkyIndexBase + 2},
        {"alp cyg", "Alp Cyg", "Deneb has been found.", kStarIndexBase + 1},
        {"ceres", "Ceres", "Ceres has been found.", kMinorPlanetIndexBase + 0},
        {"moon", "MOON", "Moon has been found.", kPlanetIndexBase + 9},
    };
    for (const auto& c : cases) {
        finder->findObjectName(c.typed);
        EXPECT_EQ(prefs.findName(), c.findName) << c.typed;
        EXPECT_EQ(result(), c.result) << c.typed;
        EXPECT_EQ(prefs.findIndex(), c.index) << c.typed;
        EXPECT_TRUE(finder->panelState().isTrackEnabled) << c.typed;
    }
}

TEST_F(FindObjectsTest, PartialPassListsCandidatesOrSelectsTheOnlyOne)
{
    // Two letters match only a Messier designation of the same length.
    finder->findObjectName("m1");
    EXPECT_EQ(finder->panelState().pulldownItems, QStringList{"M1"});
    EXPECT_EQ(prefs.findIndex(), kDeepSkyIndexBase + 2);

    finder->findObjectName("alp");
    const FindPanelState& list = finder->panelState();
    EXPECT_EQ(list.pulldownItems,
              (QStringList{"List of matching objects", "Alp CMa", "Alp Cyg"}));
    EXPECT_TRUE(list.isPulldownEnabled);
    EXPECT_EQ(list.resultText, "Select object from list");
    EXPECT_EQ(prefs.findIndex(), kNoObjectIndex);

    finder->findPulldownAction("Alp CMa");
    EXPECT_EQ(prefs.findIndex(), kStarIndexBase + 0);
    EXPECT_EQ(result(), "Sirius has been found.");

    // A constellation is centred on but not selected.
    finder->findObjectName("orion");
    EXPECT_EQ(result(), "Orion has been found.");
    EXPECT_EQ(prefs.findIndex(), kNoObjectIndex);
    EXPECT_TRUE(finder->isCoords());
    EXPECT_FALSE(finder->panelState().isTrackEnabled);
    EXPECT_NEAR(finder->dec(), 5.0 * Angles::kDegree, 1e-12);
}

TEST_F(FindObjectsTest, NamesHoldingCatalogueLettersAndExactNames)
{
    sky.addStar("Spica", "Alp Vir", "157923");
    sky.addDeepSky("Sunflower Galaxy", "NGC 5055", "M63");
    sky.addDeepSky("Sirius Cloud", "NGC 9999", "");
    for (const char* name : {"Pictor", "Reticulum", "Microscopium"}) {
        conLocn label{};
        FakeSky::place(label, 70.0, 5.0);
        label.name = name;
        sky.labels.push_back(label);
    }
    const struct {
        const char* typed;
        const char* result;
        int index;
    } cases[] = {
        {"spica", "Spica has been found.", kStarIndexBase + 2},
        {"pictor", "Pictor has been found.", kNoObjectIndex},
        {"reticulum", "Reticulum has been found.", kNoObjectIndex},
        {"microscopium", "Microscopium has been found.", kNoObjectIndex},
        {"m 31", "Andromeda Galaxy has been found.", kDeepSkyIndexBase + 0},
        {"M  63", "Sunflower Galaxy has been found.", kDeepSkyIndexBase + 5},
        {"sun", "Sun has been found.", kPlanetIndexBase + 0},
        {"sirius", "Sirius has been found.", kStarIndexBase + 0},
    };
    for (const auto& c : cases) {
        finder->findObjectName(c.typed);
        EXPECT_EQ(result(), c.result) << c.typed;
        EXPECT_EQ(prefs.findIndex(), c.index) << c.typed;
    }
}

TEST_F(FindObjectsTest, TypedPositionsAndTheirFormats)
{
    finder->findObjectName("12:30.0:-00:30.0");
    EXPECT_EQ(prefs.findIndex(), kTypedPositionIndex);
    EXPECT_NEAR(finder->ra(), 187.5 * Angles::kDegree, 1e-12);
    EXPECT_NEAR(finder->dec(), -0.5 * Angles::kDegree, 1e-12);
    EXPECT_EQ(result(), "12:30.0:-00:30.0 has been found.");
    finder->findObjectName("12:30.0:00:30.0");
    EXPECT_NEAR(finder->dec(), 0.5 * Angles::kDegree, 1e-12);

    for (const char* bad : {"05:35", "12:30:ab:10", "25:00:10:00", "10:00:91:00"}) {
        finder->findObjectName(bad);
        EXPECT_EQ(result(), "RA/Dec must be formatted as hh:mm.m:+dd:mm.m.") << bad;
        EXPECT_EQ(prefs.findIndex(), kNoObjectIndex) << bad;
    }
    // Three parts after J are a name; with nowhere to ask it is not found.
    finder->findObjectName("J:05:35");
    EXPECT_EQ(result(), "J:05:35 can not be found.");
    EXPECT_EQ(finder->panelState().pulldownTitle, "Not found");

    // J2000 forms: ra/dec keep the typed place, Track gets it moved to now
    // (24 years of 365 days; 3.075 s and 20.04" a year at RA 0, Dec 0).
    now = QDateTime(QDate(2000, 1, 1).addDays(24 * 365), QTime(0, 0), Qt::UTC);
    for (const char* typed : {"J:0:0:0:0", "j:0:0:0:0:0:0"}) {
        finder->findObjectName(typed);
        EXPECT_EQ(finder->ra(), 0.0) << typed;
        EXPECT_NEAR(finder->trackRA() / Angles::kDegree, 3.075 * 24.0 * 15.0 / 3600.0, 1e-5);
        EXPECT_NEAR(finder->trackDec() / Angles::kDegree, 20.04 * 24.0 / 3600.0, 1e-5);
    }
}

TEST_F(FindObjectsTest, HiddenAndFilteredObjects)
{
    finder->findObjectName("ngc7000");
    EXPECT_EQ(result(), "North America is filtered out but has been found.");
    EXPECT_EQ(prefs.findIndex(), kDeepSkyIndexBase + 3);
    EXPECT_TRUE(finder->panelState().isCenterEnabled);
    EXPECT_EQ(sky.passes, 1);
    EXPECT_EQ(finder->findVoiceName("NGC 7000"), findResultFiltered);
    EXPECT_EQ(prefs.findIndex(), kNoObjectIndex);

    finder->findObjectName("ngc891");
    EXPECT_EQ(result(), "Low Filtered is below the horizon.");
    EXPECT_EQ(prefs.findIndex(), kNoObjectIndex);
    EXPECT_EQ(finder->findVoiceName("ngc891"), findResultBelowHorizon);
    prefs.setIsBelow();
    EXPECT_EQ(finder->findVoiceName("ngc891"), findResultFiltered);
}

TEST_F(FindObjectsTest, WindowLessResultCodes)
{
    const struct {
        const char* name;
        FindResultCode code;
        int index;
    } cases[] = {
        {"Linear", findResultAmbiguous, kNoObjectIndex},
        {"", findResultNotFound, kNoObjectIndex},
        {" ", findResultNotFound, kNoObjectIndex},
        {"Sun", findResultNotFound, kNoObjectIndex},
        {"mars", findResultFound, kPlanetIndexBase + 3},
        {"NGC224", findResultFound, kDeepSkyIndexBase + 0},
        {"m31", findResultFound, kDeepSkyIndexBase + 0},
        {"tsu", findResultFound, kCometIndexBase + 0},
        {"ts", findResultNotFound, kNoObjectIndex},
        {"linear)", findResultFound, kCometIndexBase + 1},
        {"sirius", findResultFound, kStarIndexBase + 0},
        {"12:30:0:0", findResultFound, kTypedPositionIndex},
        {"J:05:35", findResultNotFound, kNoObjectIndex},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(finder->findVoiceName(c.name), c.code) << c.name;
        EXPECT_EQ(prefs.findIndex(), c.index) << c.name;
    }
}

TEST_F(FindObjectsTest, HorizonProfileHidesObjectsBehindIt)
{
    struct Adjustments final : PhotoHorizonAdjustments {
        void setPhotoDirAdj(quint16, float) override {}
        void setPhotoElevAdj(quint16, float) override {}
        void setPhotoBrightAdj(quint16, float) override {}
        void setPhotoDegreeAdj(quint16, quint16) override {}
        std::array<float, 5> photoDirAdjArray() const override { return {}; }
        std::array<float, 5> photoElevAdjArray() const override { return elevation; }
        std::array<float, 5> photoBrightAdjArray() const override { return {}; }
        std::array<quint16, 5> photoDegreeAdjArray() const override { return {}; }
        void setTextureID(quint32, int) override {}
        std::array<float, 5> elevation{};
    } adjustments;

    // A wall 35 degrees high all round hides Sirius (30) but not Deneb (45).
    QPainterPath wall;
    wall.addRect(QRectF(0.0, -0.5, Angles::kTwoPi, 0.5 + 35.0 * Angles::kDegree));
    sky.horizon = wall;
    EXPECT_EQ(finder->findVoiceName("Sirius"), findResultFound);
    prefs.setIsCustomHorizon(true);
    EXPECT_EQ(finder->findVoiceName("Sirius"), findResultBelowHorizon);
    EXPECT_EQ(finder->findVoiceName("Deneb"), findResultFound);
    finder->findObjectName("sirius");
    EXPECT_EQ(result(), "Sirius is below the horizon.");

    // The photographic horizon's elevation adjustment of the current site
    // lifts the object's altitude before the test.
    prefs.setIsCustomHorizon(false);
    prefs.setIsPhotoHorizon(true);
    finder->setPhotoHorizon(&adjustments);
    adjustments.elevation[0] = 10.0f;
    EXPECT_EQ(finder->findVoiceName("Sirius"), findResultFound);
    EXPECT_EQ(finder->findVoiceName("12:30:20:0"), findResultBelowHorizon);
}

TEST_F(FindObjectsTest, ClearLinearAndNeoInThePanel)
{
    finder->findObjectName("linear");
    EXPECT_EQ(result(), "Many comets are named Linear. Please enter comet ID.");

    sky.neo = "Ceres";
    finder->findObjectName("neo");
    EXPECT_EQ(prefs.findIndex(), kMinorPlanetIndexBase + 0);

    sky.createSimStar(10.0, 20.0, "X", " ", 0, 0, 1.0f);
    finder->findObjectName("Clear");
    EXPECT_EQ(sky.simStar(), nullptr);
    EXPECT_EQ(prefs.findIndex(), kNoObjectIndex);
}

}  // namespace
