#include "PrefFixture.h"

#include <QTimeZone>

#include <functional>

namespace {

using P = PrefControl;
using Written = QMap<QString, QVariant>;

class PrefAccessorsTest : public PrefFixture {};

TEST_F(PrefAccessorsTest, SwitchesStoreAtOnceAndComeBackAtTheNextLaunch)
{
    PrefControl& prefs = launch();
    EXPECT_EQ(writtenBy([&] { prefs.setShowGalaxy(false); }), (Written{{"ShowGalaxyPref", "NO"}}));
    EXPECT_EQ(writtenBy([&] { prefs.setIsRA_Dec(); }), (Written{{"RA_DecPref", "YES"}}));
    prefs.setIsMeadeAC(true);
    prefs.setIsDirectionPanel();
    const PrefControl& next = launch();
    EXPECT_FALSE(next.showGalaxy());
    EXPECT_TRUE(next.isRA_Dec() && next.isMeadeAC() && next.isDirectionPanel());
}

TEST_F(PrefAccessorsTest, SettersStoreTheirKeysInTheirForm)
{
    PrefControl& prefs = launch();
    const std::pair<std::function<void()>, Written> cases[] = {
        {[&] { prefs.setStarMagLimit(6.55); }, {{"StarMagLimitPref", "6.55"}}},
        {[&] { prefs.setDeepSkyMagLimit(-1.0); }, {{"DeepSkyMagLimitPref", "-1"}}},
        {[&] { prefs.setCustomFilterIndex(4); }, {{"CustomFilterIndexPref", "4"}}},
        {[&] { prefs.setInfoPanelValues(12, 0); }, {{"InfoPanel1Pref", "12"}}},
        {[&] { prefs.setInfoPanelValues(3, 5); }, {{"InfoPanel6Pref", "3"}}},
        {[&] { prefs.saveSVPosnPrefs("5:35:17.3:-5:23:28.0"); }, {{"SVSavePosnPref", "5:35:17.3:-5:23:28.0"}}},
        {[&] { prefs.saveAllSkyPosn(3, false, true); },
         {{"AllSkyPosnDatePref", "3"}, {"AllSkyUTCDatePref", "NO"}, {"AllSkySecDatePref", "YES"}}},
        {[&] { prefs.setStartupTime(QDateTime(QDate(2024, 8, 12), QTime(23, 30), QTimeZone::utc())); },
         {{"StartupTimePref", "2024-08-12T23:30:00Z"}}},
        {[&] { fakes.photo.degree = {0, 0, 0, 0, 0x1234}; prefs.setPhotoDegreeAdjHorizon(); },
         {{"PhotoDegreeAdjPref", QByteArray::fromHex("0000 0000 0000 0000 3412")}}},
    };
    fakes.log.calls.clear();
    for (const auto& [set, written] : cases) {
        SCOPED_TRACE(written.firstKey().toStdString());
        EXPECT_EQ(writtenBy(set), written);
    }
    EXPECT_EQ(prefs.infoPanelValues(5), 3);
    EXPECT_EQ(writtenBy([&] { prefs.setIsExtConnect(true); }), (Written{{"ExtConnectPref", "YES"}}));
    prefs.setIsExtConnect(false);
    EXPECT_EQ(fakes.log.calls, (QStringList{"companion.createManager", "companion.releaseManager"}));
}

TEST_F(PrefAccessorsTest, DoubleLimitComesBackInSinglePrecision)
{
    launch().setStarMagLimit(6.55);
    const PrefControl& next = launch();
    EXPECT_NE(next.starMagLimit(), 6.55);
    EXPECT_NEAR(next.starMagLimit(), 6.5500001907, 1e-10);
}

TEST_F(PrefAccessorsTest, MythArrayIsStoredWhenAsked)
{
    PrefControl& prefs = launch();
    prefs.mythArray()[5] = "YES";
    EXPECT_EQ(writtenBy([&] { prefs.setMythArray(); }).keys(), QStringList{"MythArrayPref"});
    EXPECT_EQ(launch().mythArray()[5], QStringLiteral("YES"));
}

TEST_F(PrefAccessorsTest, HoldersAndSlotsOutOfRangeStoreNothing)
{
    PrefControl& prefs = launch();
    fakes.log.calls.clear();
    const auto written = writtenBy([&] {
        prefs.setAltitude(30.0); prefs.setAzimuth(90.0); prefs.setViewAngle(60.0);
        prefs.setStartupDirection(270.0f); prefs.setLatitude(52.0); prefs.setLongitude(13.4);
        prefs.setCurrentScope(2); prefs.setCurrentEyepiece(9); prefs.setCurrentDSLR(1);
        prefs.setIsScopeRetainPolling(true); prefs.setIsScopeAltAz(true); prefs.setIsFlipOutline(true);
        prefs.setIsMarkCenter(true); prefs.setIsCreateTour(true); prefs.setIsMythColor(false);
        prefs.setIsInfoPanel(false); prefs.setGRSLong(157.0f); prefs.setSkyViewRect(QRectF(0, 0, 800, 600));
        prefs.setFindIndex(500010); prefs.setFindPoint(QPointF(12.5, -3.0)); prefs.setSiteNamesArray({"Home"});
        prefs.setIsNightVision(); prefs.setIsRunSetTime(); prefs.setIsDebug(); prefs.setCurrentSite(7);
        prefs.setInfoPanelValues(9, 6); prefs.setInfoPanelValues(9, -1);
    });
    EXPECT_TRUE(written.isEmpty());
    EXPECT_EQ(fakes.log.calls, (QStringList{"sliders.altitude 30", "sliders.azimuth 90", "sliders.viewAngle 60",
                                            "photo.setTextureID 0 0"}));  // a new site drops the horizon texture
    EXPECT_EQ(prefs.infoPanelValues(6), 0);
    EXPECT_EQ(prefs.infoPanelValues(-1), 0);
    EXPECT_EQ(prefs.siteNamesArray(), (QStringList{"Home", "Undefined", "Undefined", "Undefined", "Undefined"}));
}

TEST_F(PrefAccessorsTest, RealTimeClockFlagAndItsStoredPreferenceAreSeparate)
{
    PrefControl& prefs = launch();
    fakes.log.calls.clear();
    EXPECT_TRUE(writtenBy([&] { prefs.setIsRunRealTime(true, false); }).isEmpty());
    EXPECT_TRUE(prefs.isRunRealTime());
    EXPECT_EQ(fakes.log.calls, QStringList{"clock.setRunRealTime"});

    prefs.setIsRunRealTime(false, true);
    EXPECT_TRUE(prefs.isRunRealTime());
    EXPECT_EQ(stored("RunRealTimePref"), QStringLiteral("NO"));

    fakes.log.calls.clear();
    prefs.setIsRunRealTime(false, false);
    EXPECT_FALSE(prefs.isRunRealTime());
    EXPECT_TRUE(fakes.log.calls.isEmpty());
}

}  // namespace
