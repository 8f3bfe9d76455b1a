#include "PrefFixture.h"

#include <QTimeZone>

#include <functional>

namespace {

class PrefAccessorsTest : public PrefFixture {
protected:
    QString stored(const char* key) { return storedValues().value(QString::fromLatin1(key)).toString(); }
};

struct SwitchCase {
    void (PrefSwitches::*set)(bool);
    bool (PrefSwitches::*get)() const;
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
        {&PrefControl::setIsStarDouble, &PrefControl::isStarDouble, "StarDoublePref"},
        {&PrefControl::setIsStarAdvanced, &PrefControl::isStarAdvanced, "StarAdvancedPref"},
        {&PrefControl::setIsStarVariable, &PrefControl::isStarVariable, "StarVariablePref"},
        {&PrefControl::setIsStarPlanet, &PrefControl::isStarPlanet, "StarPlanetPref"},
        {&PrefControl::setIsStarAntiAlias, &PrefControl::isStarAntiAlias, "StarAntiAliasPref"},
        {&PrefControl::setIsGeminiAC, &PrefControl::isGeminiAC, "GeminiACPref"},
        {&PrefControl::setIsMeadeAC, &PrefControl::isMeadeAC, "MeadeACPref"},
        {&PrefControl::setIsNexStarAC, &PrefControl::isNexStarAC, "NexStarACPref"},
        {&PrefControl::setShowOpenCluster, &PrefControl::showOpenCluster, "ShowOpenClusterPref"},
        {&PrefControl::setShowGlobularCluster, &PrefControl::showGlobularCluster, "ShowGlobularClusterPref"},
        {&PrefControl::setShowGalaxy, &PrefControl::showGalaxy, "ShowGalaxyPref"},
        {&PrefControl::setShowNebula, &PrefControl::showNebula, "ShowNebulaPref"},
        {&PrefControl::setShowComet, &PrefControl::showComet, "ShowCometPref"},
        {&PrefControl::setShowMP, &PrefControl::showMP, "ShowMPPref"},
        {&PrefControl::setShowNEO, &PrefControl::showNEO, "ShowNEOPref"},
        {&PrefControl::setShowDSOName, &PrefControl::showDSOName, "ShowDSONamePref"},
        {&PrefControl::setShowDSOMessier, &PrefControl::showDSOMessier, "ShowDSOMessierPref"},
        {&PrefControl::setShowDSONGC, &PrefControl::showDSONGC, "ShowDSONGCPref"},
        {&PrefControl::setShowCaldwell, &PrefControl::showCaldwell, "ShowCaldwellPref"},
        {&PrefControl::setShowHerschel, &PrefControl::showHerschel, "ShowHerschelPref"},
        {&PrefControl::setShowHerschelII, &PrefControl::showHerschelII, "ShowHerschelIIPref"},
        {&PrefControl::setShowArp, &PrefControl::showArp, "ShowArpPref"},
        {&PrefControl::setShowBest, &PrefControl::showBest, "ShowBestPref"},
        {&PrefControl::setShowAdvanced, &PrefControl::showAdvanced, "ShowAdvancedPref"},
        {&PrefControl::setShowMessier, &PrefControl::showMessier, "ShowMessierPref"},
        {&PrefControl::setShowAll, &PrefControl::showAll, "ShowAllPref"},
        {&PrefControl::setShowOther, &PrefControl::showOther, "ShowOtherPref"},
        {&PrefControl::setIsDSSCache, &PrefControl::isDSSCache, "DSSCachePref"},
        {&PrefControl::setIsSkyHide, &PrefControl::isSkyHide, "HideSkyPref"},
        {&PrefControl::setIsSVHide, &PrefControl::isSVHide, "HideSVPref"},
        {&PrefControl::setIsScopeHide, &PrefControl::isScopeHide, "HideScopePref"},
        {&PrefControl::setIsSSHide, &PrefControl::isSSHide, "HideSSPref"},
        {&PrefControl::setIsWebcamHide, &PrefControl::isWebcamHide, "HideWebcamPref"},
        {&PrefControl::setIsFocuserHide, &PrefControl::isFocuserHide, "HideFocuserPref"},
        {&PrefControl::setIsDomeHide, &PrefControl::isDomeHide, "HideDomePref"},
        {&PrefControl::setIsMetric, &PrefControl::isMetric, "MetricPref"},
        {&PrefControl::setIsTransparent, &PrefControl::isTransparent, "TransparentPref"},
        {&PrefControl::setIsAstroTwilight, &PrefControl::isAstroTwilight, "TwilightPref"},
        {&PrefControl::setIsAstroplanner, &PrefControl::isAstroplanner, "AstroplannerPref"},
        {&PrefControl::setIsPrecession, &PrefControl::isPrecession, "PrecessionPref"},
        {&PrefControl::setIsToolTips, &PrefControl::isToolTips, "ToolTipsPref"},
        {&PrefControl::setIsCustomHorizon, &PrefControl::isCustomHorizon, "CustomHorizonPref"},
        {&PrefControl::setIsPhotoHorizon, &PrefControl::isPhotoHorizon, "PhotoHorizonPref"},
        {&PrefControl::setIsRedCursor, &PrefControl::isRedCursor, "RedCursorPref"},
        {&PrefControl::setIsHideCNames, &PrefControl::isHideCNames, "HideCNamesPref"},
        {&PrefControl::setIsVersionCheck, &PrefControl::isVersionCheck, "VersionCheckPref"},
    };
    PrefControl& prefs = launch();
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.key);
        const bool flipped = !(prefs.*c.get)();
        const auto before = storedValues();
        (prefs.*c.set)(flipped);
        EXPECT_EQ((prefs.*c.get)(), flipped);
        EXPECT_EQ(changedKeys(before, storedValues()), QStringList{c.key});
        EXPECT_EQ(stored(c.key), flipped ? QStringLiteral("YES") : QStringLiteral("NO"));
    }
}

TEST_F(PrefAccessorsTest, EachToggleFlipsAndStoresItsKey)
{
    static const ToggleCase cases[] = {
        {&PrefControl::setIsShowToolbar, &PrefControl::isShowToolbar, "ShowToolbarPref"},
        {&PrefControl::setIsStarNames, &PrefControl::isStarNames, "StarNamesPref"},
        {&PrefControl::setIsPlanetNames, &PrefControl::isPlanetNames, "PlanetNamesPref"},
        {&PrefControl::setIsCometNames, &PrefControl::isCometNames, "CometNamesPref"},
        {&PrefControl::setIsDeepSkyNames, &PrefControl::isDeepSkyNames, "DeepSkyNamesPref"},
        {&PrefControl::setIsConstellations, &PrefControl::isConstellations, "ConstellationsPref"},
        {&PrefControl::setIsBoundaries, &PrefControl::isBoundaries, "BoundariesPref"},
        {&PrefControl::setIsRA_Dec, &PrefControl::isRA_Dec, "RA_DecPref"},
        {&PrefControl::setIsAlt_Az, &PrefControl::isAlt_Az, "Alt_AzPref"},
        {&PrefControl::setIsEcliptic, &PrefControl::isEcliptic, "EclipticPref"},
        {&PrefControl::setIsEquator, &PrefControl::isEquator, "EquatorPref"},
        {&PrefControl::setIsMilkyWay, &PrefControl::isMilkyWay, "MilkyWayPref"},
        {&PrefControl::setIsPath, &PrefControl::isPath, "PathPref"},
        {&PrefControl::setIsPhoto, &PrefControl::isPhoto, "PhotoPref"},
        {&PrefControl::setIsBelow, &PrefControl::isBelow, "BelowPref"},
        {&PrefControl::setIsMist, &PrefControl::isMist, "MistPref"},
        {&PrefControl::setIsMeteor, &PrefControl::isMeteor, "MeteorPref"},
        {&PrefControl::setIsMyth, &PrefControl::isMyth, "MythPref"},
        {&PrefControl::setIsMeridian, &PrefControl::isMeridian, "MeridianPref"},
        {&PrefControl::setIsOutlines, &PrefControl::isOutlines, "OutlinesPref"},
        {&PrefControl::setIsTimePanel, &PrefControl::isTimePanel, "TimePanelPref"},
        {&PrefControl::setIsDirectionPanel, &PrefControl::isDirectionPanel, "DirectionPanelPref"},
    };
    PrefControl& prefs = launch();
    for (const ToggleCase& c : cases) {
        SCOPED_TRACE(c.key);
        const bool start = (prefs.*c.get)();
        (prefs.*c.toggle)();
        EXPECT_EQ((prefs.*c.get)(), !start);
        EXPECT_EQ(stored(c.key), start ? QStringLiteral("NO") : QStringLiteral("YES"));
        (prefs.*c.toggle)();
        EXPECT_EQ((prefs.*c.get)(), start);
        EXPECT_EQ(stored(c.key), start ? QStringLiteral("YES") : QStringLiteral("NO"));
    }
}

TEST_F(PrefAccessorsTest, NumberSettersStoreTheirKeyInItsForm)
{
    PrefControl& prefs = launch();
    struct Case {
        std::function<void()> set;
        const char* key;
        const char* text;
    };
    const Case cases[] = {
        {[&] { prefs.setStarMagLimit(6.55); }, "StarMagLimitPref", "6.55"},
        {[&] { prefs.setSVStarMagLimit(14.2); }, "StarSVMagLimitPref", "14.2"},
        {[&] { prefs.setStarBrightVal(0.5); }, "StarBrightValPref", "0.5"},
        {[&] { prefs.setStarColorVal(0.1); }, "StarColorValPref", "0.1"},
        {[&] { prefs.setStarShiftVal(-0.25); }, "StarShiftValPref", "-0.25"},
        {[&] { prefs.setCometMagLimit(11.0); }, "CometMagLimitPref", "11"},
        {[&] { prefs.setMPMagLimit(18.5); }, "MPMagLimitPref", "18.5"},
        {[&] { prefs.setDeepSkyMagLimit(-1.0); }, "DeepSkyMagLimitPref", "-1"},
        {[&] { prefs.setArrowSpeed(20.0f); }, "ArrowSpeedPref", "20"},
        {[&] { prefs.setPathDays(365.25f); }, "PathDaysPref", "365.25"},
        {[&] { prefs.setPathPercent(50.0f); }, "PathPercentPref", "50"},
        {[&] { prefs.setCustomFilterIndex(4); }, "CustomFilterIndexPref", "4"},
        {[&] { prefs.setCanonExpIndex(21); }, "CanonExpIndexPref", "21"},
        {[&] { prefs.setInfoPanelValues(12, 0); }, "InfoPanel1Pref", "12"},
        {[&] { prefs.setInfoPanelValues(3, 5); }, "InfoPanel6Pref", "3"},
        {[&] { prefs.setVersionStr("1.2.3"); }, "VersionPref", "1.2.3"},
        {[&] { prefs.saveShortcutPref(QString(42, u'x')); }, "ShortcutPref", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
        {[&] { prefs.saveSVPosnPrefs("5:35:17.3:-5:23:28.0"); }, "SVSavePosnPref", "5:35:17.3:-5:23:28.0"},
        {[&] { prefs.setCanonImageFile("/tmp/a.cr2"); }, "CanonImageFilePref", "/tmp/a.cr2"},
        {[&] { prefs.setCanonMovieFile("/tmp/a.mov"); }, "CanonMovieFilePref", "/tmp/a.mov"},
        {[&] { prefs.setIsExtConnect(true); }, "ExtConnectPref", "YES"},
        {[&] { prefs.saveAllSkyFPS(12.5f); }, "AllSkyFPSDatePref", "12.5"},
        {[&] { prefs.setStartupTime(QDateTime(QDate(2024, 8, 12), QTime(23, 30), QTimeZone::utc())); },
         "StartupTimePref", "2024-08-12T23:30:00Z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const auto before = storedValues();
        c.set();
        EXPECT_EQ(changedKeys(before, storedValues()), QStringList{c.key});
        EXPECT_EQ(stored(c.key), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(prefs.starMagLimit(), 6.55);
    EXPECT_EQ(prefs.infoPanelValues(5), 3);
}

TEST_F(PrefAccessorsTest, DoubleLimitComesBackInSinglePrecision)
{
    launch().setStarMagLimit(6.55);
    const PrefControl& next = launch();
    EXPECT_NE(next.starMagLimit(), 6.55);
    EXPECT_NEAR(next.starMagLimit(), 6.5500001907, 1e-10);
}

TEST_F(PrefAccessorsTest, StoreOnlyOperationsWriteTheirKeys)
{
    PrefControl& prefs = launch();
    auto before = storedValues();
    prefs.saveAllSkyCodec(1, 768);
    EXPECT_EQ(changedKeys(before, storedValues()), (QStringList{"AllSkyCodecDatePref", "AllSkyQualityDatePref"}));
    EXPECT_EQ(stored("AllSkyQualityDatePref"), QStringLiteral("768"));
    before = storedValues();
    prefs.saveAllSkyPosn(3, false, true);
    EXPECT_EQ(changedKeys(before, storedValues()),
              (QStringList{"AllSkyPosnDatePref", "AllSkySecDatePref", "AllSkyUTCDatePref"}));
    EXPECT_EQ(stored("AllSkyUTCDatePref"), QStringLiteral("NO"));
    before = storedValues();
    prefs.mythArray()[5] = "YES";
    prefs.setMythArray();
    EXPECT_EQ(changedKeys(before, storedValues()), QStringList{"MythArrayPref"});
    EXPECT_EQ(launch().mythArray()[5], QStringLiteral("YES"));
}

TEST_F(PrefAccessorsTest, PhotoHorizonAdjustmentsAreStoredAsTheirBlocks)
{
    PrefControl& prefs = launch();
    fakes.photo.dir = {1.0f, 0.0f, 0.0f, 0.0f, -1.0f};
    fakes.photo.degree = {0, 0, 0, 0, 0x1234};
    prefs.setPhotoDirAdjHorizon();
    prefs.setPhotoElevAdjHorizon();
    prefs.setPhotoBrightAdjHorizon();
    prefs.setPhotoDegreeAdjHorizon();
    const auto values = storedValues();
    EXPECT_EQ(values.value("PhotoDirAdjPref").toByteArray(),
              QByteArray::fromHex("0000803f 00000000 00000000 00000000 000080bf"));
    EXPECT_EQ(values.value("PhotoElevAdjPref").toByteArray(), QByteArray(20, '\0'));
    EXPECT_EQ(values.value("PhotoBrightAdjPref").toByteArray().size(), 20);
    EXPECT_EQ(values.value("PhotoDegreeAdjPref").toByteArray(), QByteArray::fromHex("0000 0000 0000 0000 3412"));
}

TEST_F(PrefAccessorsTest, HoldersStoreNothing)
{
    PrefControl& prefs = launch();
    fakes.log.calls.clear();
    const auto before = storedValues();
    prefs.setAltitude(30.0);
    prefs.setAzimuth(90.0);
    prefs.setViewAngle(60.0);
    prefs.setStartupDirection(270.0f);
    prefs.setLatitude(52.0);
    prefs.setLongitude(13.4);
    prefs.setCurrentScope(2);
    prefs.setCurrentEyepiece(9);
    prefs.setCurrentDSLR(1);
    prefs.setIsScopeRetainPolling(true);
    prefs.setIsScopeAltAz(true);
    prefs.setIsFlipOutline(true);
    prefs.setIsMarkCenter(true);
    prefs.setIsCreateTour(true);
    prefs.setIsMythColor(false);
    prefs.setIsInfoPanel(false);
    prefs.setGRSLong(157.0f);
    prefs.setSkyViewRect(QRectF(0, 0, 800, 600));
    prefs.setFindIndex(500010);
    prefs.setFindPoint(QPointF(12.5, -3.0));
    prefs.setSiteNamesArray({"Home"});
    prefs.setIsNightVision();
    prefs.setIsRunSetTime();
    prefs.setIsDebug();
    EXPECT_EQ(storedValues(), before);
    EXPECT_EQ(fakes.log.calls, (QStringList{"sliders.altitude 30", "sliders.azimuth 90", "sliders.viewAngle 60"}));
    EXPECT_EQ(prefs.altitude(), 30.0);
    EXPECT_EQ(prefs.findIndex(), 500010);
    EXPECT_TRUE(prefs.isNightVision());
    EXPECT_TRUE(prefs.isRunSetTime());
    EXPECT_TRUE(prefs.isDebug());
    EXPECT_EQ(prefs.siteNamesArray(), (QStringList{"Home", "Undefined", "Undefined", "Undefined", "Undefined"}));
}

TEST_F(PrefAccessorsTest, ArrowSpeedMovesItsSliderThenStores)
{
    PrefControl& prefs = launch();
    fakes.log.calls.clear();
    prefs.setArrowSpeed(10.0f);
    EXPECT_EQ(fakes.log.calls, QStringList{"sliders.arrowSpeed 10"});
    EXPECT_EQ(stored("ArrowSpeedPref"), QStringLiteral("10"));
}

TEST_F(PrefAccessorsTest, RealTimeClockFlagAndItsStoredPreferenceAreSeparate)
{
    PrefControl& prefs = launch();
    fakes.log.calls.clear();
    prefs.setIsRunRealTime(true, false);
    EXPECT_TRUE(prefs.isRunRealTime());
    EXPECT_EQ(fakes.log.calls, QStringList{"clock.setRunRealTime"});
    EXPECT_FALSE(storedValues().contains("RunRealTimePref"));

    prefs.setIsRunRealTime(false, true);
    EXPECT_TRUE(prefs.isRunRealTime());
    EXPECT_EQ(stored("RunRealTimePref"), QStringLiteral("NO"));

    fakes.log.calls.clear();
    prefs.setIsRunRealTime(false, false);
    EXPECT_FALSE(prefs.isRunRealTime());
    EXPECT_TRUE(fakes.log.calls.isEmpty());
}

TEST_F(PrefAccessorsTest, ExternalConnectionStartsAndStopsTheCompanionServer)
{
    PrefControl& prefs = launch();
    fakes.log.calls.clear();
    prefs.setIsExtConnect(true);
    prefs.setIsExtConnect(true);
    prefs.setIsExtConnect(false);
    EXPECT_EQ(fakes.log.calls, (QStringList{"companion.createManager", "companion.createManager",
                                            "companion.releaseManager"}));
    EXPECT_EQ(stored("ExtConnectPref"), QStringLiteral("NO"));
}

TEST_F(PrefAccessorsTest, ChangingSiteDropsTheCachedHorizonTexture)
{
    PrefControl& prefs = launch();
    fakes.log.calls.clear();
    prefs.setCurrentSite(prefs.currentSite());
    prefs.setCurrentSite(7);
    EXPECT_EQ(fakes.log.calls, (QStringList{"photo.setTextureID 0 0", "photo.setTextureID 0 0"}));
    EXPECT_EQ(prefs.currentSite(), 7);
}

TEST_F(PrefAccessorsTest, BottomPanelSlotsOutsideZeroToFiveAreIgnored)
{
    PrefControl& prefs = launch();
    const auto before = storedValues();
    prefs.setInfoPanelValues(9, 6);
    prefs.setInfoPanelValues(9, -1);
    EXPECT_EQ(storedValues(), before);
    EXPECT_EQ(prefs.infoPanelValues(6), 0);
    EXPECT_EQ(prefs.infoPanelValues(-1), 0);
}

TEST_F(PrefAccessorsTest, FindNameIsAnOwnCopy)
{
    PrefControl& prefs = launch();
    QString name = QStringLiteral("M 42");
    prefs.setFindName(name);
    name[0] = u'N';
    EXPECT_EQ(prefs.findName(), QStringLiteral("M 42"));
    prefs.setFindName(prefs.findName());
    EXPECT_EQ(prefs.findName(), QStringLiteral("M 42"));
}

}  // namespace
