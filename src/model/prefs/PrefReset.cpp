#include "model/prefs/PrefControl.h"

#include "model/prefs/links/CanonCamera.h"
#include "model/prefs/links/ChartRefresh.h"
#include "model/prefs/links/DDWDevice.h"
#include "model/prefs/links/DomeDevice.h"
#include "model/prefs/links/MountDevice.h"
#include "model/prefs/links/SG4Device.h"
#include "model/prefs/links/ViewSliders.h"
#include "platform/AlertPanel.h"
#include "platform/StringTables.h"

namespace {

// The settings a reset returns to their defaults, in the order it removes
// them. The others (the version last seen, the mount's polling and
// alt-azimuth flags, the WiFi bridge, the telescope view's saved position and
// the focuser, SG-4, Canon and dome configuration) survive a reset.
const char* const kResetKeys[] = {
    "AltitudePref", "AzimuthPref", "ViewAnglePref", "ArrowSpeedPref", "ScopePollRatePref",
    "GeminiBaudPref", "VersionCheckPref", "StarMagLimitPref", "StarSVMagLimitPref",
    "CometMagLimitPref", "MPMagLimitPref", "DeepSkyMagLimitPref", "PlanetMagLimitPref",
    "StarColorValPref", "StarBrightValPref", "StarShiftValPref", "AllSkyFPSDatePref",
    "AllSkyCodecDatePref", "AllSkyQualityDatePref", "AllSkyPosnDatePref", "AllSkyUTCDatePref",
    "AllSkySecDatePref", "StarDoublePref", "StarAdvancedPref", "StarVariablePref", "StarPlanetPref",
    "StarAntiAliasPref", "GeminiACPref", "MeadeACPref", "NexStarACPref", "ShowOpenClusterPref",
    "ShowGlobularClusterPref", "ShowGalaxyPref", "ShowNebulaPref", "ShowCometPref", "ShowMPPref",
    "ShowNEOPref", "ShowCaldwellPref", "ShowHerschelPref", "ShowHerschelIIPref", "ShowArpPref",
    "ShowBestPref", "ShowAdvancedPref", "ShowMessierPref", "ShowAllPref", "ShowOtherPref",
    "CustomFilterIndexPref", "ShowDSONamePref", "ShowDSOMessierPref", "ShowDSONGCPref",
    "PathDaysPref", "PathPercentPref", "DSSCachePref", "MythArrayPref", "ShowToolbarPref",
    "StarNamesPref", "PlanetNamesPref", "CometNamesPref", "DeepSkyNamesPref", "ConstellationsPref",
    "BoundariesPref", "RA_DecPref", "Alt_AzPref", "EclipticPref", "EquatorPref", "MilkyWayPref",
    "PathPref", "PhotoPref", "BelowPref", "MistPref", "MeteorPref", "TimePanelPref",
    "DirectionPanelPref", "RunRealTimePref", "MythPref", "MeridianPref", "OutlinesPref",
    "MetricPref", "TransparentPref", "TwilightPref", "AstroplannerPref", "PrecessionPref",
    "ToolTipsPref", "CustomHorizonPref", "PhotoHorizonPref", "ExtConnectPref", "PhotoDirAdjPref",
    "PhotoElevAdjPref", "PhotoBrightAdjPref", "PhotoDegreeAdjPref", "ConstellationColorPref",
    "ConstellationNameColorPref", "ConstellationBoundaryColorPref", "PlanetNameColorPref",
    "StarNameColorPref", "DeepSkyNameColorPref", "GridLinesColorPref", "GridLabelColorPref",
    "EclipticColorPref", "HorizonColorPref", "CometNameColorPref", "ScopeViewGridColorPref",
    "HorizonLabelColorPref", "angleSepColorPref", "PathColorPref", "MilkyWayColorPref",
    "MythColorPref", "NomadMagColorPref", "NomadGridColorPref", "AllSkyDateColorPref",
    "GalaxyColorPref", "GlobularColorPref", "OpenColorPref", "NebulaColorPref", "CometColorPref",
    "MinorPlanetColorPref", "NEOColorPref", "HorizonLabelFontPref", "ConstellationNameFontPref",
    "PlanetNameFontPref", "StarNameFontPref", "CometNameFontPref", "DeepSkyNameFontPref",
    "GridlabelFontPref", "PathLabelFontPref", "AngleSepLabelFontPref", "NomadMagFontPref",
    "AllSkyDateFontPref", "ConstellationPrintFontPref", "PlanetPrintFontPref", "StarPrintFontPref",
    "CometPrintFontPref", "DeepSkyPrintFontPref", "StartupTimePref", "SitesPref",
    "SiteNamesArrayPref", "SiteTimeZoneNamesArrayPref", "ScopesPref", "ScopeNamesArrayPref",
    "EyepiecesPref", "DSLRPref", "FlipOutlinePref", "FlipEWOutlinePref", "InfoPanel1Pref",
    "InfoPanel2Pref", "InfoPanel3Pref", "InfoPanel4Pref", "InfoPanel5Pref", "InfoPanel6Pref",
    "HideSkyPref", "HideSVPref", "HideScopePref", "HideSSPref", "HideWebcamPref", "HideFocuserPref",
    "HideDomePref", "RedCursorPref", "HideCNamesPref", "ShortcutPref",
};

QString globalText(const char* key)
{
    return StringTables::localizedString(QStringLiteral("Global"), QString::fromLatin1(key));
}

}  // namespace

void PrefControl::restoreDefaultPrefsAction()
{
    if (!AlertPanel::runChoice(globalText("Are you sure you want to do this?"),
                               globalText("ALL your preferences will be reset to default values."),
                               globalText("Reset"), globalText("Cancel")))
        return;
    restoreDefaultPrefs();
    if (m_links.chartRefresh)
        m_links.chartRefresh->updateSkyAndColor();
    if (ViewSliders* sliders = m_links.viewSliders) {
        sliders->setAltitudeSlider(m_altitude);
        sliders->setAzimuthSlider(m_azimuth);
        sliders->setViewAngleSlider(m_viewAngle);
    }
}

void PrefControl::restoreDefaultPrefs()
{
    for (const char* key : kResetKeys)
        m_store.remove(QString::fromLatin1(key));
    readPrefs();
    // What readPrefs takes from the store only at launch.
    loadRecords();
    m_latitude = m_sites[0].latitude;
    m_longitude = m_sites[0].longitude;
    m_startupTime = m_store.readDate("StartupTimePref");
    m_mythArray = storedMythArray();
    buildAttributeSets();
}

void PrefControl::appQuit()
{
    // The chart opens next time at the start-up direction, not where it was left.
    m_store.writeFloat("AltitudePref", float(m_altitude));
    m_store.writeFloat("AzimuthPref", m_startupDirection);
    m_store.writeFloat("ViewAnglePref", float(m_viewAngle));
    m_store.sync();
    if (m_isNightVision && m_displayID != 0)
        m_gamma.restoreDefault();

    if (MountDevice* mount = m_links.mount; mount && mount->isConnected())
        mount->disconnect();
    if (CanonCamera* canon = m_links.canon; canon && canon->isCanonConnected())
        canon->canonDisconnect();
    if (DomeDevice* dome = m_links.dome; dome && dome->isDomeConnect())
        dome->domeDisconnect();
    if (DDWDevice* ddw = m_links.ddw; ddw && ddw->isDDWConnect())
        ddw->ddwDisconnect();
    if (SG4Device* sg4 = m_links.sg4; sg4 && (sg4->isSG4Connect() || sg4->isAllSkyConnect()))
        sg4->sg4Disconnect();
}
