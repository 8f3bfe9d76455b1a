#include "model/settings/PrefControl.h"

#include "model/settings/PrefKeys.h"
#include "model/settings/links/CanonCamera.h"
#include "model/settings/links/ChartRefresh.h"
#include "model/settings/links/DDWDevice.h"
#include "model/settings/links/DomeDevice.h"
#include "model/settings/links/MountDevice.h"
#include "model/settings/links/SG4Device.h"
#include "model/settings/links/SettingsReset.h"
#include "model/settings/links/ViewSliders.h"
#include "model/settings/links/WebcamDevice.h"
#include "platform/AlertPanel.h"
#include "platform/StringTables.h"

namespace {

// The settings a reset returns to their defaults, in the order it removes
// them. The others (the version last seen, the mount's polling and
// alt-azimuth flags, the WiFi bridge, the telescope view's saved position and
// the focuser, SG-4, Canon and dome configuration) survive a reset.
const char* const kResetKeys[] = {
    PrefKeys::Altitude, PrefKeys::Azimuth, PrefKeys::ViewAngle, PrefKeys::ArrowSpeed,
    PrefKeys::ScopePollRate, PrefKeys::GeminiBaud, PrefKeys::VersionCheck, PrefKeys::StarMagLimit,
    PrefKeys::StarSVMagLimit, PrefKeys::CometMagLimit, PrefKeys::MPMagLimit, PrefKeys::DeepSkyMagLimit,
    PrefKeys::PlanetMagLimit, PrefKeys::StarColorVal, PrefKeys::StarBrightVal, PrefKeys::StarShiftVal,
    PrefKeys::AllSkyFPSDate, PrefKeys::AllSkyCodecDate, PrefKeys::AllSkyQualityDate,
    PrefKeys::AllSkyPosnDate, PrefKeys::AllSkyUTCDate, PrefKeys::AllSkySecDate, PrefKeys::StarDouble,
    PrefKeys::StarAdvanced, PrefKeys::StarVariable, PrefKeys::StarPlanet, PrefKeys::StarAntiAlias,
    PrefKeys::GeminiAC, PrefKeys::MeadeAC, PrefKeys::NexStarAC, PrefKeys::ShowOpenCluster,
    PrefKeys::ShowGlobularCluster, PrefKeys::ShowGalaxy, PrefKeys::ShowNebula, PrefKeys::ShowComet,
    PrefKeys::ShowMP, PrefKeys::ShowNEO, PrefKeys::ShowCaldwell, PrefKeys::ShowHerschel,
    PrefKeys::ShowHerschelII, PrefKeys::ShowArp, PrefKeys::ShowBest, PrefKeys::ShowAdvanced,
    PrefKeys::ShowMessier, PrefKeys::ShowAll, PrefKeys::ShowOther, PrefKeys::CustomFilterIndex,
    PrefKeys::ShowDSOName, PrefKeys::ShowDSOMessier, PrefKeys::ShowDSONGC, PrefKeys::PathDays,
    PrefKeys::PathPercent, PrefKeys::DSSCache, PrefKeys::MythArray, PrefKeys::ShowToolbar,
    PrefKeys::StarNames, PrefKeys::PlanetNames, PrefKeys::CometNames, PrefKeys::DeepSkyNames,
    PrefKeys::Constellations, PrefKeys::Boundaries, PrefKeys::RA_Dec, PrefKeys::Alt_Az, PrefKeys::Ecliptic,
    PrefKeys::Equator, PrefKeys::MilkyWay, PrefKeys::Path, PrefKeys::Photo, PrefKeys::Below, PrefKeys::Mist,
    PrefKeys::Meteor, PrefKeys::TimePanel, PrefKeys::DirectionPanel, PrefKeys::ScopeViewOpen,
    PrefKeys::RunRealTime, PrefKeys::Myth,
    PrefKeys::Meridian, PrefKeys::Outlines, PrefKeys::Metric, PrefKeys::Transparent, PrefKeys::Twilight,
    PrefKeys::Astroplanner, PrefKeys::Precession, PrefKeys::ToolTips, PrefKeys::CustomHorizon,
    PrefKeys::PhotoHorizon, PrefKeys::ExtConnect, PrefKeys::PhotoDirAdj, PrefKeys::PhotoElevAdj,
    PrefKeys::PhotoBrightAdj, PrefKeys::PhotoDegreeAdj, PrefKeys::ConstellationColor,
    PrefKeys::ConstellationNameColor, PrefKeys::ConstellationBoundaryColor, PrefKeys::PlanetNameColor,
    PrefKeys::StarNameColor, PrefKeys::DeepSkyNameColor, PrefKeys::GridLinesColor, PrefKeys::GridLabelColor,
    PrefKeys::EclipticColor, PrefKeys::HorizonColor, PrefKeys::CometNameColor, PrefKeys::ScopeViewGridColor,
    PrefKeys::HorizonLabelColor, PrefKeys::angleSepColor, PrefKeys::PathColor, PrefKeys::MilkyWayColor,
    PrefKeys::MythColor, PrefKeys::NomadMagColor, PrefKeys::NomadGridColor, PrefKeys::AllSkyDateColor,
    PrefKeys::GalaxyColor, PrefKeys::GlobularColor, PrefKeys::OpenColor, PrefKeys::NebulaColor,
    PrefKeys::CometColor, PrefKeys::MinorPlanetColor, PrefKeys::NEOColor, PrefKeys::HorizonLabelFont,
    PrefKeys::ConstellationNameFont, PrefKeys::PlanetNameFont, PrefKeys::StarNameFont,
    PrefKeys::CometNameFont, PrefKeys::DeepSkyNameFont, PrefKeys::GridlabelFont, PrefKeys::PathLabelFont,
    PrefKeys::AngleSepLabelFont, PrefKeys::NomadMagFont, PrefKeys::AllSkyDateFont,
    PrefKeys::ConstellationPrintFont, PrefKeys::PlanetPrintFont, PrefKeys::StarPrintFont,
    PrefKeys::CometPrintFont, PrefKeys::DeepSkyPrintFont, PrefKeys::StartupTime, PrefKeys::Sites,
    PrefKeys::SiteNamesArray, PrefKeys::SiteTimeZoneNamesArray, PrefKeys::Scopes, PrefKeys::ScopeNamesArray,
    PrefKeys::Eyepieces, PrefKeys::DSLR, PrefKeys::FlipOutline, PrefKeys::FlipEWOutline,
    PrefKeys::InfoPanel1, PrefKeys::InfoPanel2, PrefKeys::InfoPanel3, PrefKeys::InfoPanel4,
    PrefKeys::InfoPanel5, PrefKeys::InfoPanel6, PrefKeys::HideSky, PrefKeys::HideSV, PrefKeys::HideScope,
    PrefKeys::HideSS, PrefKeys::HideWebcam, PrefKeys::HideFocuser, PrefKeys::HideDome, PrefKeys::RedCursor,
    PrefKeys::HideCNames, PrefKeys::Shortcut,
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
    if (m_links.settingsReset)
        m_links.settingsReset->settingsReset();
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
    // The chart is at the home site again.
    setCurrentSite(0);
    m_startupTime = m_store.readDate(PrefKeys::StartupTime);
    m_mythArray = storedMythArray();
    buildAttributeSets();
}

void PrefControl::appQuit()
{
    // The chart opens next time at the start-up direction, not where it was left.
    m_store.writeFloat(PrefKeys::Altitude, float(m_altitude));
    m_store.writeFloat(PrefKeys::Azimuth, m_startupDirection);
    m_store.writeFloat(PrefKeys::ViewAngle, float(m_viewAngle));
    m_store.finishAtQuit();
    if (m_isNightVision && m_displayID != 0)
        m_gamma.restoreDefault();

    if (MountDevice* mount = m_links.mount; mount && mount->isConnected())
        mount->disconnect();
    if (WebcamDevice* webcam = m_links.webcam)
        webcam->disconnect();
    if (CanonCamera* canon = m_links.canon; canon && canon->isCanonConnected())
        canon->canonDisconnect();
    if (DomeDevice* dome = m_links.dome; dome && dome->isDomeConnect())
        dome->domeDisconnect();
    if (DDWDevice* ddw = m_links.ddw; ddw && ddw->isDDWConnect())
        ddw->ddwDisconnect();
    if (SG4Device* sg4 = m_links.sg4; sg4 && (sg4->isSG4Connect() || sg4->isAllSkyConnect()))
        sg4->sg4Disconnect();
}
