#pragma once

#include "model/settings/PrefFlags.h"

#include <array>

// The settings object's stored on/off settings: a getter for each, and a
// setter or toggle that changes it and stores it at once. How a switch is
// stored is left to the settings object.
class PrefSwitches {
public:
    virtual ~PrefSwitches() = default;

    // Stored at once by their setters.
    bool isStarDouble() const { return is(PrefFlag::StarDouble); }
    void setIsStarDouble(bool on) { set(PrefFlag::StarDouble, on); }
    bool isStarAdvanced() const { return is(PrefFlag::StarAdvanced); }
    void setIsStarAdvanced(bool on) { set(PrefFlag::StarAdvanced, on); }
    bool isStarVariable() const { return is(PrefFlag::StarVariable); }
    void setIsStarVariable(bool on) { set(PrefFlag::StarVariable, on); }
    bool isStarPlanet() const { return is(PrefFlag::StarPlanet); }
    void setIsStarPlanet(bool on) { set(PrefFlag::StarPlanet, on); }
    bool isStarAntiAlias() const { return is(PrefFlag::StarAntiAlias); }
    void setIsStarAntiAlias(bool on) { set(PrefFlag::StarAntiAlias, on); }
    bool isGeminiAC() const { return is(PrefFlag::GeminiAC); }
    void setIsGeminiAC(bool on) { set(PrefFlag::GeminiAC, on); }
    bool isMeadeAC() const { return is(PrefFlag::MeadeAC); }
    void setIsMeadeAC(bool on) { set(PrefFlag::MeadeAC, on); }
    bool isNexStarAC() const { return is(PrefFlag::NexStarAC); }
    void setIsNexStarAC(bool on) { set(PrefFlag::NexStarAC, on); }
    bool showOpenCluster() const { return is(PrefFlag::OpenCluster); }
    void setShowOpenCluster(bool on) { set(PrefFlag::OpenCluster, on); }
    bool showGlobularCluster() const { return is(PrefFlag::GlobularCluster); }
    void setShowGlobularCluster(bool on) { set(PrefFlag::GlobularCluster, on); }
    bool showGalaxy() const { return is(PrefFlag::Galaxy); }
    void setShowGalaxy(bool on) { set(PrefFlag::Galaxy, on); }
    bool showNebula() const { return is(PrefFlag::Nebula); }
    void setShowNebula(bool on) { set(PrefFlag::Nebula, on); }
    bool showComet() const { return is(PrefFlag::Comet); }
    void setShowComet(bool on) { set(PrefFlag::Comet, on); }
    bool showMP() const { return is(PrefFlag::MP); }
    void setShowMP(bool on) { set(PrefFlag::MP, on); }
    bool showNEO() const { return is(PrefFlag::NEO); }
    void setShowNEO(bool on) { set(PrefFlag::NEO, on); }
    bool showDSOName() const { return is(PrefFlag::DSOName); }
    void setShowDSOName(bool on) { set(PrefFlag::DSOName, on); }
    bool showDSOMessier() const { return is(PrefFlag::DSOMessier); }
    void setShowDSOMessier(bool on) { set(PrefFlag::DSOMessier, on); }
    bool showDSONGC() const { return is(PrefFlag::DSONGC); }
    void setShowDSONGC(bool on) { set(PrefFlag::DSONGC, on); }
    bool showCaldwell() const { return is(PrefFlag::Caldwell); }
    void setShowCaldwell(bool on) { set(PrefFlag::Caldwell, on); }
    bool showHerschel() const { return is(PrefFlag::Herschel); }
    void setShowHerschel(bool on) { set(PrefFlag::Herschel, on); }
    bool showHerschelII() const { return is(PrefFlag::HerschelII); }
    void setShowHerschelII(bool on) { set(PrefFlag::HerschelII, on); }
    bool showArp() const { return is(PrefFlag::Arp); }
    void setShowArp(bool on) { set(PrefFlag::Arp, on); }
    bool showBest() const { return is(PrefFlag::Best); }
    void setShowBest(bool on) { set(PrefFlag::Best, on); }
    bool showAdvanced() const { return is(PrefFlag::Advanced); }
    void setShowAdvanced(bool on) { set(PrefFlag::Advanced, on); }
    bool showMessier() const { return is(PrefFlag::Messier); }
    void setShowMessier(bool on) { set(PrefFlag::Messier, on); }
    bool showAll() const { return is(PrefFlag::All); }
    void setShowAll(bool on) { set(PrefFlag::All, on); }
    bool showOther() const { return is(PrefFlag::Other); }
    void setShowOther(bool on) { set(PrefFlag::Other, on); }
    bool isDSSCache() const { return is(PrefFlag::DSSCache); }
    void setIsDSSCache(bool on) { set(PrefFlag::DSSCache, on); }
    bool isSkyHide() const { return is(PrefFlag::SkyHide); }
    void setIsSkyHide(bool on) { set(PrefFlag::SkyHide, on); }
    bool isSVHide() const { return is(PrefFlag::SVHide); }
    void setIsSVHide(bool on) { set(PrefFlag::SVHide, on); }
    bool isScopeHide() const { return is(PrefFlag::ScopeHide); }
    void setIsScopeHide(bool on) { set(PrefFlag::ScopeHide, on); }
    bool isSSHide() const { return is(PrefFlag::SSHide); }
    void setIsSSHide(bool on) { set(PrefFlag::SSHide, on); }
    bool isWebcamHide() const { return is(PrefFlag::WebcamHide); }
    void setIsWebcamHide(bool on) { set(PrefFlag::WebcamHide, on); }
    bool isFocuserHide() const { return is(PrefFlag::FocuserHide); }
    void setIsFocuserHide(bool on) { set(PrefFlag::FocuserHide, on); }
    bool isDomeHide() const { return is(PrefFlag::DomeHide); }
    void setIsDomeHide(bool on) { set(PrefFlag::DomeHide, on); }
    bool isMetric() const { return is(PrefFlag::Metric); }
    void setIsMetric(bool on) { set(PrefFlag::Metric, on); }
    bool isTransparent() const { return is(PrefFlag::Transparent); }
    void setIsTransparent(bool on) { set(PrefFlag::Transparent, on); }
    bool isAstroTwilight() const { return is(PrefFlag::AstroTwilight); }
    void setIsAstroTwilight(bool on) { set(PrefFlag::AstroTwilight, on); }
    bool isAstroplanner() const { return is(PrefFlag::Astroplanner); }
    void setIsAstroplanner(bool on) { set(PrefFlag::Astroplanner, on); }
    bool isPrecession() const { return is(PrefFlag::Precession); }
    void setIsPrecession(bool on) { set(PrefFlag::Precession, on); }
    bool isToolTips() const { return is(PrefFlag::ToolTips); }
    void setIsToolTips(bool on) { set(PrefFlag::ToolTips, on); }
    bool isCustomHorizon() const { return is(PrefFlag::CustomHorizon); }
    void setIsCustomHorizon(bool on) { set(PrefFlag::CustomHorizon, on); }
    bool isPhotoHorizon() const { return is(PrefFlag::PhotoHorizon); }
    void setIsPhotoHorizon(bool on) { set(PrefFlag::PhotoHorizon, on); }
    bool isExtConnect() const { return is(PrefFlag::ExtConnect); }
    bool isRedCursor() const { return is(PrefFlag::RedCursor); }
    void setIsRedCursor(bool on) { set(PrefFlag::RedCursor, on); }
    bool isHideCNames() const { return is(PrefFlag::HideCNames); }
    void setIsHideCNames(bool on) { set(PrefFlag::HideCNames, on); }
    bool isVersionCheck() const { return is(PrefFlag::VersionCheck); }
    void setIsVersionCheck(bool on) { set(PrefFlag::VersionCheck, on); }

    // Chart layers and panels: each toggle inverts its switch and stores it.
    bool isShowToolbar() const { return is(PrefFlag::ShowToolbar); }
    void setIsShowToolbar() { set(PrefFlag::ShowToolbar, !is(PrefFlag::ShowToolbar)); }
    bool isStarNames() const { return is(PrefFlag::StarNames); }
    void setIsStarNames() { set(PrefFlag::StarNames, !is(PrefFlag::StarNames)); }
    bool isPlanetNames() const { return is(PrefFlag::PlanetNames); }
    void setIsPlanetNames() { set(PrefFlag::PlanetNames, !is(PrefFlag::PlanetNames)); }
    bool isCometNames() const { return is(PrefFlag::CometNames); }
    void setIsCometNames() { set(PrefFlag::CometNames, !is(PrefFlag::CometNames)); }
    bool isDeepSkyNames() const { return is(PrefFlag::DeepSkyNames); }
    void setIsDeepSkyNames() { set(PrefFlag::DeepSkyNames, !is(PrefFlag::DeepSkyNames)); }
    bool isConstellations() const { return is(PrefFlag::Constellations); }
    void setIsConstellations() { set(PrefFlag::Constellations, !is(PrefFlag::Constellations)); }
    bool isBoundaries() const { return is(PrefFlag::Boundaries); }
    void setIsBoundaries() { set(PrefFlag::Boundaries, !is(PrefFlag::Boundaries)); }
    bool isRA_Dec() const { return is(PrefFlag::RA_Dec); }
    void setIsRA_Dec() { set(PrefFlag::RA_Dec, !is(PrefFlag::RA_Dec)); }
    bool isAlt_Az() const { return is(PrefFlag::Alt_Az); }
    void setIsAlt_Az() { set(PrefFlag::Alt_Az, !is(PrefFlag::Alt_Az)); }
    bool isEcliptic() const { return is(PrefFlag::Ecliptic); }
    void setIsEcliptic() { set(PrefFlag::Ecliptic, !is(PrefFlag::Ecliptic)); }
    bool isEquator() const { return is(PrefFlag::Equator); }
    void setIsEquator() { set(PrefFlag::Equator, !is(PrefFlag::Equator)); }
    bool isMilkyWay() const { return is(PrefFlag::MilkyWay); }
    void setIsMilkyWay() { set(PrefFlag::MilkyWay, !is(PrefFlag::MilkyWay)); }
    bool isPath() const { return is(PrefFlag::Path); }
    void setIsPath() { set(PrefFlag::Path, !is(PrefFlag::Path)); }
    bool isPhoto() const { return is(PrefFlag::Photo); }
    void setIsPhoto() { set(PrefFlag::Photo, !is(PrefFlag::Photo)); }
    bool isBelow() const { return is(PrefFlag::Below); }
    void setIsBelow() { set(PrefFlag::Below, !is(PrefFlag::Below)); }
    bool isMist() const { return is(PrefFlag::Mist); }
    void setIsMist() { set(PrefFlag::Mist, !is(PrefFlag::Mist)); }
    bool isMeteor() const { return is(PrefFlag::Meteor); }
    void setIsMeteor() { set(PrefFlag::Meteor, !is(PrefFlag::Meteor)); }
    bool isMyth() const { return is(PrefFlag::Myth); }
    void setIsMyth() { set(PrefFlag::Myth, !is(PrefFlag::Myth)); }
    bool isMeridian() const { return is(PrefFlag::Meridian); }
    void setIsMeridian() { set(PrefFlag::Meridian, !is(PrefFlag::Meridian)); }
    bool isOutlines() const { return is(PrefFlag::Outlines); }
    void setIsOutlines() { set(PrefFlag::Outlines, !is(PrefFlag::Outlines)); }
    bool isTimePanel() const { return is(PrefFlag::TimePanel); }
    void setIsTimePanel() { set(PrefFlag::TimePanel, !is(PrefFlag::TimePanel)); }
    bool isDirectionPanel() const { return is(PrefFlag::DirectionPanel); }
    void setIsDirectionPanel() { set(PrefFlag::DirectionPanel, !is(PrefFlag::DirectionPanel)); }

protected:
    bool is(PrefFlag f) const { return m_flags[std::size_t(f)]; }
    void set(PrefFlag f, bool on)
    {
        m_flags[std::size_t(f)] = on;
        storeSwitch(f, on);
    }
    virtual void storeSwitch(PrefFlag f, bool on) = 0;

    std::array<bool, kPrefFlagCount> m_flags{};
};
