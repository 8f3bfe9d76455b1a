#pragma once

#include "model/PrefFlags.h"
#include "model/PrefLinks.h"
#include "model/PrefStore.h"
#include "model/TextAttributes.h"
#include "model/records/eyepiece.h"
#include "model/records/scope.h"
#include "model/records/site.h"
#include "platform/DisplayGamma.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <array>
#include <span>

// The settings object: the one holder of every user setting and of the
// run-time state several subsystems share, and the only reader and writer of
// the settings file. One instance lives for the whole run, on the main thread.
//
// Its parts: the core and start-up (PrefControl.cpp), the site, telescope and
// eyepiece records (PrefRecords.cpp), the device settings (PrefDevices.cpp)
// and the fonts and colours (PrefFonts.cpp).
class PrefControl {
public:
    // Opens the settings (moving the earlier edition's file into place first)
    // and gives every run-time field its starting value; `gamma` is the
    // display night vision dims, which must outlive this object.
    explicit PrefControl(DisplayGamma& gamma);
    PrefControl(const PrefControl&) = delete;
    PrefControl& operator=(const PrefControl&) = delete;

    void setLinks(const PrefLinks& links) { m_links = links; }

    // Reads every setting and hands the stored device settings to their
    // controllers. Called once at launch and again after a reset.
    void readPrefs();

    // Save operations of the records and device groups; none syncs the file.
    void saveSites();
    void saveScopes();
    void saveEyepieces();
    void saveOptecPrefs();
    void saveRoboSlope();
    void saveJMIPrefs();
    void saveMoonPrefs();
    void saveFCUSBPrefs();
    void saveDomePrefs();
    void saveBoardPrefs();
    void saveTicksPrefs();
    void saveWifiPrefs();
    void setGeminiBaudPref(int baud);
    void setSG4BaudPref(long baud);
    void setExpSchedulePref(float seconds);
    void setDarkSchedulePref(float seconds);
    void setHeatOnSchedulePref(float seconds);
    void setHeatOffSchedulePref(float seconds);

    // The Gemini baud menu tag of a rate; 43 (9600) for a rate it lacks.
    static int geminiBaudTag(qint64 baud);

    // Start-up state.
    bool isLaunch() const { return m_isLaunch; }
    quint32 displayID() const { return m_displayID; }
    const GammaFormula& defaultGammaArray() const { return m_defaultGammaArray; }
    const GammaFormula& nvGammaArray() const { return m_nvGammaArray; }
    const QStringList& HT2FilesArray() const { return m_HT2FilesArray; }
    quint16 numCores() const { return m_numCores; }
    const QColor& mistColor() const { return m_mistColor; }
    const TextAttributes& outlineLabelAttributes() const { return m_outlineLabelAttributes; }

    // View.
    QString versionStr() const { return m_versionStr; }
    double altitude() const { return m_altitude; }
    double azimuth() const { return m_azimuth; }
    double viewAngle() const { return m_viewAngle; }
    float startupDirection() const { return m_startupDirection; }
    float arrowSpeed() const { return m_arrowSpeed; }
    double latitude() const { return m_latitude; }
    double longitude() const { return m_longitude; }
    QDateTime startupTime() const { return m_startupTime; }

    // Magnitude limits and star drawing.
    double starMagLimit() const { return m_starMagLimit; }
    double svStarMagLimit() const { return m_svStarMagLimit; }
    double cometMagLimit() const { return m_cometMagLimit; }
    double mpMagLimit() const { return m_mpMagLimit; }
    double deepSkyMagLimit() const { return m_deepSkyMagLimit; }
    double planetMagLimit() const { return m_planetMagLimit; }
    double starColorVal() const { return m_starColorVal; }
    double starBrightVal() const { return m_starBrightVal; }
    double starShiftVal() const { return m_starShiftVal; }

    // Stored switches.
    bool isStarDouble() const { return flag(PrefFlag::StarDouble); }
    bool isStarAdvanced() const { return flag(PrefFlag::StarAdvanced); }
    bool isStarVariable() const { return flag(PrefFlag::StarVariable); }
    bool isStarPlanet() const { return flag(PrefFlag::StarPlanet); }
    bool isStarAntiAlias() const { return flag(PrefFlag::StarAntiAlias); }
    bool isGeminiAC() const { return flag(PrefFlag::GeminiAC); }
    bool isMeadeAC() const { return flag(PrefFlag::MeadeAC); }
    bool isNexStarAC() const { return flag(PrefFlag::NexStarAC); }
    bool showOpenCluster() const { return flag(PrefFlag::OpenCluster); }
    bool showGlobularCluster() const { return flag(PrefFlag::GlobularCluster); }
    bool showGalaxy() const { return flag(PrefFlag::Galaxy); }
    bool showNebula() const { return flag(PrefFlag::Nebula); }
    bool showComet() const { return flag(PrefFlag::Comet); }
    bool showMP() const { return flag(PrefFlag::MP); }
    bool showNEO() const { return flag(PrefFlag::NEO); }
    bool showDSOName() const { return flag(PrefFlag::DSOName); }
    bool showDSOMessier() const { return flag(PrefFlag::DSOMessier); }
    bool showDSONGC() const { return flag(PrefFlag::DSONGC); }
    bool showCaldwell() const { return flag(PrefFlag::Caldwell); }
    bool showHerschel() const { return flag(PrefFlag::Herschel); }
    bool showHerschelII() const { return flag(PrefFlag::HerschelII); }
    bool showArp() const { return flag(PrefFlag::Arp); }
    bool showBest() const { return flag(PrefFlag::Best); }
    bool showAdvanced() const { return flag(PrefFlag::Advanced); }
    bool showMessier() const { return flag(PrefFlag::Messier); }
    bool showAll() const { return flag(PrefFlag::All); }
    bool showOther() const { return flag(PrefFlag::Other); }
    bool isDSSCache() const { return flag(PrefFlag::DSSCache); }
    bool isSkyHide() const { return flag(PrefFlag::SkyHide); }
    bool isSVHide() const { return flag(PrefFlag::SVHide); }
    bool isScopeHide() const { return flag(PrefFlag::ScopeHide); }
    bool isSSHide() const { return flag(PrefFlag::SSHide); }
    bool isWebcamHide() const { return flag(PrefFlag::WebcamHide); }
    bool isFocuserHide() const { return flag(PrefFlag::FocuserHide); }
    bool isDomeHide() const { return flag(PrefFlag::DomeHide); }
    bool isMetric() const { return flag(PrefFlag::Metric); }
    bool isTransparent() const { return flag(PrefFlag::Transparent); }
    bool isAstroTwilight() const { return flag(PrefFlag::AstroTwilight); }
    bool isAstroplanner() const { return flag(PrefFlag::Astroplanner); }
    bool isPrecession() const { return flag(PrefFlag::Precession); }
    bool isToolTips() const { return flag(PrefFlag::ToolTips); }
    bool isCustomHorizon() const { return flag(PrefFlag::CustomHorizon); }
    bool isPhotoHorizon() const { return flag(PrefFlag::PhotoHorizon); }
    bool isExtConnect() const { return flag(PrefFlag::ExtConnect); }
    bool isRedCursor() const { return flag(PrefFlag::RedCursor); }
    bool isHideCNames() const { return flag(PrefFlag::HideCNames); }
    bool isVersionCheck() const { return flag(PrefFlag::VersionCheck); }
    bool isShowToolbar() const { return flag(PrefFlag::ShowToolbar); }
    bool isStarNames() const { return flag(PrefFlag::StarNames); }
    bool isPlanetNames() const { return flag(PrefFlag::PlanetNames); }
    bool isCometNames() const { return flag(PrefFlag::CometNames); }
    bool isDeepSkyNames() const { return flag(PrefFlag::DeepSkyNames); }
    bool isConstellations() const { return flag(PrefFlag::Constellations); }
    bool isBoundaries() const { return flag(PrefFlag::Boundaries); }
    bool isRA_Dec() const { return flag(PrefFlag::RA_Dec); }
    bool isAlt_Az() const { return flag(PrefFlag::Alt_Az); }
    bool isEcliptic() const { return flag(PrefFlag::Ecliptic); }
    bool isEquator() const { return flag(PrefFlag::Equator); }
    bool isMilkyWay() const { return flag(PrefFlag::MilkyWay); }
    bool isPath() const { return flag(PrefFlag::Path); }
    bool isPhoto() const { return flag(PrefFlag::Photo); }
    bool isBelow() const { return flag(PrefFlag::Below); }
    bool isMist() const { return flag(PrefFlag::Mist); }
    bool isMeteor() const { return flag(PrefFlag::Meteor); }
    bool isMyth() const { return flag(PrefFlag::Myth); }
    bool isMeridian() const { return flag(PrefFlag::Meridian); }
    bool isOutlines() const { return flag(PrefFlag::Outlines); }
    bool isTimePanel() const { return flag(PrefFlag::TimePanel); }
    bool isDirectionPanel() const { return flag(PrefFlag::DirectionPanel); }

    // Other settings.
    int customFilterIndex() const { return m_customFilterIndex; }
    float pathDays() const { return m_pathDays; }
    float pathPercent() const { return m_pathPercent; }
    bool isScopeRetainPolling() const { return m_isScopeRetainPolling; }
    bool isScopeAltAz() const { return m_isScopeAltAz; }
    bool isRunRealTime() const { return m_isRunRealTime; }
    QStringList& mythArray() { return m_mythArray; }
    int infoPanelValues(int slot) const;
    QString shortcutPrefStr() const { return m_shortcutPrefStr; }
    QString SVSavePosnStr() const { return m_SVSavePosnStr; }
    QString canonImageFile() const { return m_canonImageFile; }
    QString canonMovieFile() const { return m_canonMovieFile; }
    quint16 canonExpIndex() const { return m_canonExpIndex; }

    // Run-time state.
    bool isRunSetTime() const { return m_isRunSetTime; }
    bool isCreateTour() const { return m_isCreateTour; }
    bool isDebug() const { return m_isDebug; }
    bool isNightVision() const { return m_isNightVision; }
    bool isMarkCenter() const { return m_isMarkCenter; }
    bool isMythColor() const { return m_isMythColor; }
    bool isInfoPanel() const { return m_isInfoPanel; }
    int currentSite() const { return m_currentSite; }
    int currentScope() const { return m_currentScope; }
    int currentEyepiece() const { return m_currentEyepiece; }
    int findIndex() const { return m_findIndex; }
    QString findName() const { return m_findName; }
    QPointF findPoint() const { return m_findPoint; }

    // Records; callers edit them in place, then call the matching save.
    std::span<site, 5> sites() { return m_sites; }
    std::span<scope, 5> scopes() { return m_scopes; }
    std::span<eyepiece, 10> eyepieces() { return m_eyepieces; }
    std::span<const site, 5> sites() const { return m_sites; }
    std::span<const scope, 5> scopes() const { return m_scopes; }
    std::span<const eyepiece, 10> eyepieces() const { return m_eyepieces; }
    const QStringList& siteNamesArray() const { return m_siteNamesArray; }
    const QStringList& siteTZNamesArray() const { return m_siteTZNamesArray; }
    const QStringList& scopeNamesArray() const { return m_scopeNamesArray; }
    int currentDSLR() const { return m_currentDSLR; }
    bool isFlipOutline() const { return m_isFlipOutline; }
    bool isFlipEWOutline() const { return m_isFlipEWOutline; }

    // Colours.
    QColor constellationColor() const { return m_constellationColor; }
    QColor constellationNameColor() const { return m_constellationNameColor; }
    QColor constellationBoundaryColor() const { return m_constellationBoundaryColor; }
    QColor planetNameColor() const { return m_planetNameColor; }
    QColor starNameColor() const { return m_starNameColor; }
    QColor deepSkyNameColor() const { return m_deepSkyNameColor; }
    QColor gridLinesColor() const { return m_gridLinesColor; }
    QColor eclipticColor() const { return m_eclipticColor; }
    QColor horizonColor() const { return m_horizonColor; }
    QColor cometNameColor() const { return m_cometNameColor; }
    QColor scopeViewGridColor() const { return m_scopeViewGridColor; }
    QColor horizonLabelColor() const { return m_horizonLabelColor; }
    QColor angleSepColor() const { return m_angleSepColor; }
    QColor pathColor() const { return m_pathColor; }
    QColor milkyWayColor() const { return m_milkyWayColor; }
    QColor mythColor() const { return m_mythColor; }
    QColor nomadMagColor() const { return m_nomadMagColor; }
    QColor nomadGridColor() const { return m_nomadGridColor; }
    QColor galaxyColor() const { return m_galaxyColor; }
    QColor globularColor() const { return m_globularColor; }
    QColor openColor() const { return m_openColor; }
    QColor nebulaColor() const { return m_nebulaColor; }
    QColor cometColor() const { return m_cometColor; }
    QColor minorPlanetColor() const { return m_minorPlanetColor; }
    QColor neoColor() const { return m_neoColor; }

    // Fonts.
    QFont horizonLabelFont() const { return m_horizonLabelFont; }
    QFont constellationNameFont() const { return m_constellationNameFont; }
    QFont planetNameFont() const { return m_planetNameFont; }
    QFont starNameFont() const { return m_starNameFont; }
    QFont cometNamefont() const { return m_cometNamefont; }
    QFont deepSkyNameFont() const { return m_deepSkyNameFont; }
    QFont gridLabelFont() const { return m_gridLabelFont; }
    QFont pathLabelFont() const { return m_pathLabelFont; }
    QFont angleSepFont() const { return m_angleSepFont; }
    QFont nomadMagFont() const { return m_nomadMagFont; }
    QFont nomadGridFont() const { return m_nomadGridFont; }
    QFont constellationPrintFont() const { return m_constellationPrintFont; }
    QFont planetPrintFont() const { return m_planetPrintFont; }
    QFont starPrintFont() const { return m_starPrintFont; }
    QFont cometPrintFont() const { return m_cometPrintFont; }
    QFont deepSkyPrintFont() const { return m_deepSkyPrintFont; }

    // What the chart draws each label kind with.
    const TextAttributes& horizonLabelAttributes() const { return m_horizonLabelAttributes; }
    const TextAttributes& constellationNameAttributes() const { return m_constellationNameAttributes; }
    const TextAttributes& planetNameAttributes() const { return m_planetNameAttributes; }
    const TextAttributes& starNameAttributes() const { return m_starNameAttributes; }
    const TextAttributes& cometNameAttributes() const { return m_cometNameAttributes; }
    const TextAttributes& deepSkyNameAttributes() const { return m_deepSkyNameAttributes; }
    const TextAttributes& gridLabelAttributes() const { return m_gridLabelAttributes; }
    const TextAttributes& pathLabelAttributes() const { return m_pathLabelAttributes; }
    const TextAttributes& angleSepAttributes() const { return m_angleSepAttributes; }
    const TextAttributes& nomadMagAttributes() const { return m_nomadMagAttributes; }
    const TextAttributes& nomadGridAttributes() const { return m_nomadGridAttributes; }

private:
    bool flag(PrefFlag f) const { return m_flags[std::size_t(f)]; }
    // Stored integers narrowed to what the field holds, clamped rather than cut.
    int readInt(const QString& key) const;
    quint16 readUInt16(const QString& key) const;

    // PrefRecords.cpp
    void loadRecords();
    QStringList storedMythArray() const;
    void handPhotoAdjustments();
    // PrefDevices.cpp
    void handMountSettings();
    void handFocuserSettings();
    void handSG4Settings();
    void handDomeSettings();
    void handAllSkyDateSettings();
    bool isSavingSuppressed() const { return m_isReading; }
    // PrefFonts.cpp
    void readColors();
    void readFonts();
    void buildAttributeSets();

    PrefStore m_store;
    DisplayGamma& m_gamma;
    PrefLinks m_links;
    // While readPrefs hands stored values over, the controllers' calls back
    // into the save operations are not stored: they would only write back
    // what was just read, or what a controller refused of it.
    bool m_isReading = false;

    bool m_isLaunch = true;
    quint32 m_displayID = 0;
    GammaFormula m_defaultGammaArray{};
    GammaFormula m_nvGammaArray{};
    QStringList m_HT2FilesArray;
    quint16 m_numCores = 1;
    QColor m_mistColor;
    TextAttributes m_outlineLabelAttributes;

    QString m_versionStr = QStringLiteral("0.00.0");
    double m_altitude = 0.0;
    double m_azimuth = 0.0;
    double m_viewAngle = 0.0;
    float m_startupDirection = 180.0f;
    float m_arrowSpeed = 0.0f;
    double m_latitude = 0.0;
    double m_longitude = 0.0;
    QDateTime m_startupTime;

    double m_starMagLimit = 0.0;
    double m_svStarMagLimit = 0.0;
    double m_cometMagLimit = 0.0;
    double m_mpMagLimit = 0.0;
    double m_deepSkyMagLimit = 0.0;
    double m_planetMagLimit = 0.0;
    double m_starColorVal = 0.0;
    double m_starBrightVal = 0.0;
    double m_starShiftVal = 0.0;

    std::array<bool, kPrefFlagCount> m_flags{};
    int m_customFilterIndex = 0;
    float m_pathDays = 0.0f;
    float m_pathPercent = 0.0f;
    bool m_isScopeRetainPolling = false;
    bool m_isScopeAltAz = false;
    bool m_isRunRealTime = false;
    QStringList m_mythArray;
    std::array<int, 6> m_infoPanelValues{};
    QString m_shortcutPrefStr = QStringLiteral(" ");
    QString m_SVSavePosnStr;
    QString m_canonImageFile;
    QString m_canonMovieFile;
    quint16 m_canonExpIndex = 0;

    bool m_isRunSetTime = false;
    bool m_isCreateTour = false;
    bool m_isDebug = false;
    bool m_isNightVision = false;
    bool m_isMarkCenter = false;
    bool m_isMythColor = true;
    bool m_isInfoPanel = true;
    int m_currentSite = 0;
    int m_currentScope = 0;
    int m_currentEyepiece = 0;
    int m_findIndex = -1;
    QString m_findName;
    QPointF m_findPoint;

    std::array<site, 5> m_sites{};
    std::array<scope, 5> m_scopes{};
    std::array<eyepiece, 10> m_eyepieces{};
    QStringList m_siteNamesArray;
    QStringList m_siteTZNamesArray;
    QStringList m_scopeNamesArray;
    int m_currentDSLR = 0;
    bool m_isFlipOutline = false;
    bool m_isFlipEWOutline = false;

    QColor m_constellationColor;
    QColor m_constellationNameColor;
    QColor m_constellationBoundaryColor;
    QColor m_planetNameColor;
    QColor m_starNameColor;
    QColor m_deepSkyNameColor;
    QColor m_gridLinesColor;
    QColor m_gridLabelColor;
    QColor m_eclipticColor;
    QColor m_horizonColor;
    QColor m_cometNameColor;
    QColor m_scopeViewGridColor;
    QColor m_horizonLabelColor;
    QColor m_angleSepColor;
    QColor m_pathColor;
    QColor m_milkyWayColor;
    QColor m_mythColor;
    QColor m_nomadMagColor;
    QColor m_nomadGridColor;
    QColor m_galaxyColor;
    QColor m_globularColor;
    QColor m_openColor;
    QColor m_nebulaColor;
    QColor m_cometColor;
    QColor m_minorPlanetColor;
    QColor m_neoColor;

    QFont m_horizonLabelFont;
    QFont m_constellationNameFont;
    QFont m_planetNameFont;
    QFont m_starNameFont;
    QFont m_cometNamefont;
    QFont m_deepSkyNameFont;
    QFont m_gridLabelFont;
    QFont m_pathLabelFont;
    QFont m_angleSepFont;
    QFont m_nomadMagFont;
    QFont m_nomadGridFont;
    QFont m_constellationPrintFont;
    QFont m_planetPrintFont;
    QFont m_starPrintFont;
    QFont m_cometPrintFont;
    QFont m_deepSkyPrintFont;

    TextAttributes m_horizonLabelAttributes;
    TextAttributes m_constellationNameAttributes;
    TextAttributes m_planetNameAttributes;
    TextAttributes m_starNameAttributes;
    TextAttributes m_cometNameAttributes;
    TextAttributes m_deepSkyNameAttributes;
    TextAttributes m_gridLabelAttributes;
    TextAttributes m_pathLabelAttributes;
    TextAttributes m_angleSepAttributes;
    TextAttributes m_nomadMagAttributes;
    TextAttributes m_nomadGridAttributes;
};
