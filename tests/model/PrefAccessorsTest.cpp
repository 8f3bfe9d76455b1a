#include "PrefFixture.h"

#include <QTimeZone>

#include <functional>

namespace {

using P = PrefControl;
using Written = QMap<QString, QVariant>;

class PrefAccessorsTest : public PrefFixture {};

struct SwitchCase {
    void (PrefSwitches::*set)(bool);
    const char* key;
};

struct ToggleCase {
    void (PrefSwitches::*toggle)();
    bool (PrefSwitches::*get)() const;
    const char* key;
};

TEST_F(PrefAccessorsTest, EachSwitchSetterStoresItsKeyAsYesOrNo)
{
    static const SwitchCase cases[] = {
        {&P::setIsStarDouble, "StarDoublePref"}, {&P::setIsStarAdvanced, "StarAdvancedPref"},
        {&P::setIsStarVariable, "StarVariablePref"}, {&P::setIsStarPlanet, "StarPlanetPref"},
        {&P::setIsStarAntiAlias, "StarAntiAliasPref"}, {&P::setIsGeminiAC, "GeminiACPref"},
        {&P::setIsMeadeAC, "MeadeACPref"}, {&P::setIsNexStarAC, "NexStarACPref"},
        {&P::setShowOpenCluster, "ShowOpenClusterPref"}, {&P::setShowGlobularCluster, "ShowGlobularClusterPref"},
        {&P::setShowGalaxy, "ShowGalaxyPref"}, {&P::setShowNebula, "ShowNebulaPref"},
        {&P::setShowComet, "ShowCometPref"}, {&P::setShowMP, "ShowMPPref"}, {&P::setShowNEO, "ShowNEOPref"},
        {&P::setShowDSOName, "ShowDSONamePref"}, {&P::setShowDSOMessier, "ShowDSOMessierPref"},
        {&P::setShowDSONGC, "ShowDSONGCPref"}, {&P::setShowCaldwell, "ShowCaldwellPref"},
        {&P::setShowHerschel, "ShowHerschelPref"}, {&P::setShowHerschelII, "ShowHerschelIIPref"},
        {&P::setShowArp, "ShowArpPref"}, {&P::setShowBest, "ShowBestPref"}, {&P::setShowAdvanced, "ShowAdvancedPref"},
        {&P::setShowMessier, "ShowMessierPref"}, {&P::setShowAll, "ShowAllPref"}, {&P::setShowOther, "ShowOtherPref"},
        {&P::setIsDSSCache, "DSSCachePref"}, {&P::setIsSkyHide, "HideSkyPref"}, {&P::setIsSVHide, "HideSVPref"},
        {&P::setIsScopeHide, "HideScopePref"}, {&P::setIsSSHide, "HideSSPref"},
        {&P::setIsWebcamHide, "HideWebcamPref"}, {&P::setIsFocuserHide, "HideFocuserPref"},
        {&P::setIsDomeHide, "HideDomePref"}, {&P::setIsMetric, "MetricPref"},
        {&P::setIsTransparent, "TransparentPref"}, {&P::setIsAstroTwilight, "TwilightPref"},
        {&P::setIsAstroplanner, "AstroplannerPref"}, {&P::setIsPrecession, "PrecessionPref"},
        {&P::setIsToolTips, "ToolTipsPref"}, {&P::setIsCustomHorizon, "CustomHorizonPref"},
        {&P::setIsPhotoHorizon, "PhotoHorizonPref"}, {&P::setIsRedCursor, "RedCursorPref"},
        {&P::setIsHideCNames, "HideCNamesPref"}, {&P::setIsVersionCheck, "VersionCheckPref"},
    };
    PrefControl& prefs = launch();
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(writtenBy([&] { (prefs.*c.set)(true); }), (Written{{c.key, "YES"}}));
        EXPECT_EQ(writtenBy([&] { (prefs.*c.set)(false); }), (Written{{c.key, "NO"}}));
    }
}

TEST_F(PrefAccessorsTest, EachToggleFlipsAndStoresItsKey)
{
    static const ToggleCase cases[] = {
        {&P::setIsShowToolbar, &P::isShowToolbar, "ShowToolbarPref"},
        {&P::setIsStarNames, &P::isStarNames, "StarNamesPref"},
        {&P::setIsPlanetNames, &P::isPlanetNames, "PlanetNamesPref"},
        {&P::setIsCometNames, &P::isCometNames, "CometNamesPref"},
        {&P::setIsDeepSkyNames, &P::isDeepSkyNames, "DeepSkyNamesPref"},
        {&P::setIsConstellations, &P::isConstellations, "ConstellationsPref"},
        {&P::setIsBoundaries, &P::isBoundaries, "BoundariesPref"}, {&P::setIsRA_Dec, &P::isRA_Dec, "RA_DecPref"},
        {&P::setIsAlt_Az, &P::isAlt_Az, "Alt_AzPref"}, {&P::setIsEcliptic, &P::isEcliptic, "EclipticPref"},
        {&P::setIsEquator, &P::isEquator, "EquatorPref"}, {&P::setIsMilkyWay, &P::isMilkyWay, "MilkyWayPref"},
        {&P::setIsPath, &P::isPath, "PathPref"}, {&P::setIsPhoto, &P::isPhoto, "PhotoPref"},
        {&P::setIsBelow, &P::isBelow, "BelowPref"}, {&P::setIsMist, &P::isMist, "MistPref"},
        {&P::setIsMeteor, &P::isMeteor, "MeteorPref"}, {&P::setIsMyth, &P::isMyth, "MythPref"},
        {&P::setIsMeridian, &P::isMeridian, "MeridianPref"}, {&P::setIsOutlines, &P::isOutlines, "OutlinesPref"},
        {&P::setIsTimePanel, &P::isTimePanel, "TimePanelPref"},
        {&P::setIsDirectionPanel, &P::isDirectionPanel, "DirectionPanelPref"},
    };
    PrefControl& prefs = launch();
    for (const ToggleCase& c : cases) {
        SCOPED_TRACE(c.key);
        const bool start = (prefs.*c.get)();
        for (const bool expected : {!start, start}) {
            (prefs.*c.toggle)();
            EXPECT_EQ((prefs.*c.get)(), expected);
            EXPECT_EQ(stored(c.key), expected ? QStringLiteral("YES") : QStringLiteral("NO"));
        }
    }
}

TEST_F(PrefAccessorsTest, SettersStoreTheirKeysInTheirForm)
{
    PrefControl& prefs = launch();
    const std::pair<std::function<void()>, Written> cases[] = {
        {[&] { prefs.setStarMagLimit(6.55); }, {{"StarMagLimitPref", "6.55"}}},
        {[&] { prefs.setSVStarMagLimit(14.2); }, {{"StarSVMagLimitPref", "14.2"}}},
        {[&] { prefs.setStarBrightVal(0.5); }, {{"StarBrightValPref", "0.5"}}},
        {[&] { prefs.setStarColorVal(0.1); }, {{"StarColorValPref", "0.1"}}},
        {[&] { prefs.setStarShiftVal(-0.25); }, {{"StarShiftValPref", "-0.25"}}},
        {[&] { prefs.setCometMagLimit(11.0); }, {{"CometMagLimitPref", "11"}}},
        {[&] { prefs.setMPMagLimit(18.5); }, {{"MPMagLimitPref", "18.5"}}},
        {[&] { prefs.setDeepSkyMagLimit(-1.0); }, {{"DeepSkyMagLimitPref", "-1"}}},
        {[&] { prefs.setArrowSpeed(20.0f); }, {{"ArrowSpeedPref", "20"}}},
        {[&] { prefs.setPathDays(365.25f); }, {{"PathDaysPref", "365.25"}}},
        {[&] { prefs.setPathPercent(50.0f); }, {{"PathPercentPref", "50"}}},
        {[&] { prefs.setCustomFilterIndex(4); }, {{"CustomFilterIndexPref", "4"}}},
        {[&] { prefs.setCanonExpIndex(21); }, {{"CanonExpIndexPref", "21"}}},
        {[&] { prefs.setInfoPanelValues(12, 0); }, {{"InfoPanel1Pref", "12"}}},
        {[&] { prefs.setInfoPanelValues(3, 5); }, {{"InfoPanel6Pref", "3"}}},
        {[&] { prefs.setVersionStr("1.2.3"); }, {{"VersionPref", "1.2.3"}}},
        {[&] { prefs.saveShortcutPref(QString(42, u'x')); }, {{"ShortcutPref", QString(42, u'x')}}},
        {[&] { prefs.saveSVPosnPrefs("5:35:17.3:-5:23:28.0"); }, {{"SVSavePosnPref", "5:35:17.3:-5:23:28.0"}}},
        {[&] { prefs.setCanonImageFile("/tmp/a.cr2"); }, {{"CanonImageFilePref", "/tmp/a.cr2"}}},
        {[&] { prefs.setCanonMovieFile("/tmp/a.mov"); }, {{"CanonMovieFilePref", "/tmp/a.mov"}}},
        {[&] { prefs.setIsExtConnect(true); }, {{"ExtConnectPref", "YES"}}},
        {[&] { prefs.setIsExtConnect(false); }, {{"ExtConnectPref", "NO"}}},
        {[&] { prefs.saveAllSkyFPS(12.5f); }, {{"AllSkyFPSDatePref", "12.5"}}},
        {[&] { prefs.saveAllSkyCodec(1, 768); }, {{"AllSkyCodecDatePref", "1"}, {"AllSkyQualityDatePref", "768"}}},
        {[&] { prefs.saveAllSkyPosn(3, false, true); },
         {{"AllSkyPosnDatePref", "3"}, {"AllSkyUTCDatePref", "NO"}, {"AllSkySecDatePref", "YES"}}},
        {[&] { prefs.setStartupTime(QDateTime(QDate(2024, 8, 12), QTime(23, 30), QTimeZone::utc())); },
         {{"StartupTimePref", "2024-08-12T23:30:00Z"}}},
        {[&] { fakes.photo.dir = {1.0f, 0.0f, 0.0f, 0.0f, -1.0f}; prefs.setPhotoDirAdjHorizon(); },
         {{"PhotoDirAdjPref", QByteArray::fromHex("0000803f 00000000 00000000 00000000 000080bf")}}},
        {[&] { fakes.photo.degree = {0, 0, 0, 0, 0x1234}; prefs.setPhotoDegreeAdjHorizon(); },
         {{"PhotoDegreeAdjPref", QByteArray::fromHex("0000 0000 0000 0000 3412")}}},
        {[&] { prefs.setPhotoElevAdjHorizon(); }, {{"PhotoElevAdjPref", QByteArray(20, '\0')}}},
        {[&] { prefs.setPhotoBrightAdjHorizon(); }, {{"PhotoBrightAdjPref", QByteArray(20, '\0')}}},
    };
    fakes.log.calls.clear();
    for (const auto& [set, written] : cases) {
        SCOPED_TRACE(written.firstKey().toStdString());
        EXPECT_EQ(writtenBy(set), written);
    }
    EXPECT_EQ(prefs.starMagLimit(), 6.55);
    EXPECT_EQ(prefs.infoPanelValues(5), 3);
    EXPECT_EQ(fakes.log.calls,
              (QStringList{"sliders.arrowSpeed 20", "companion.createManager", "companion.releaseManager"}));
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
