#pragma once

#include <array>
#include <cstddef>

// The stored on/off settings of the settings object: each is read from its
// key on every read of the settings and written back by its setter or toggle.
enum class PrefFlag : std::size_t {
    // Star drawing, mount behaviour and deep-sky filters.
    StarDouble, StarAdvanced, StarVariable, StarPlanet, StarAntiAlias,
    GeminiAC, MeadeAC, NexStarAC,
    OpenCluster, GlobularCluster, Galaxy, Nebula, Comet, MP, NEO,
    DSOName, DSOMessier, DSONGC, Caldwell, Herschel, HerschelII, Arp, Best, Advanced,
    Messier, All, Other,
    // Windows, units and general behaviour.
    DSSCache, SkyHide, SVHide, ScopeHide, SSHide, WebcamHide, FocuserHide, DomeHide,
    Metric, Transparent, AstroTwilight, Astroplanner, Precession, ToolTips, CustomHorizon,
    PhotoHorizon, ExtConnect, RedCursor, HideCNames, VersionCheck,
    // Chart layers and panels, switched by toggles.
    ShowToolbar, StarNames, PlanetNames, CometNames, DeepSkyNames, Constellations, Boundaries,
    RA_Dec, Alt_Az, Ecliptic, Equator, MilkyWay, Path, Photo, Below, Mist, Meteor, Myth,
    Meridian, Outlines, TimePanel, DirectionPanel,
    Count
};

constexpr std::size_t kPrefFlagCount = std::size_t(PrefFlag::Count);

// The key of each flag, in the order of PrefFlag.
constexpr std::array<const char*, kPrefFlagCount> kPrefFlagKeys = {
    "StarDoublePref", "StarAdvancedPref", "StarVariablePref", "StarPlanetPref", "StarAntiAliasPref",
    "GeminiACPref", "MeadeACPref", "NexStarACPref",
    "ShowOpenClusterPref", "ShowGlobularClusterPref", "ShowGalaxyPref", "ShowNebulaPref",
    "ShowCometPref", "ShowMPPref", "ShowNEOPref",
    "ShowDSONamePref", "ShowDSOMessierPref", "ShowDSONGCPref", "ShowCaldwellPref",
    "ShowHerschelPref", "ShowHerschelIIPref", "ShowArpPref", "ShowBestPref", "ShowAdvancedPref",
    "ShowMessierPref", "ShowAllPref", "ShowOtherPref",
    "DSSCachePref", "HideSkyPref", "HideSVPref", "HideScopePref", "HideSSPref", "HideWebcamPref",
    "HideFocuserPref", "HideDomePref",
    "MetricPref", "TransparentPref", "TwilightPref", "AstroplannerPref", "PrecessionPref",
    "ToolTipsPref", "CustomHorizonPref", "PhotoHorizonPref", "ExtConnectPref", "RedCursorPref",
    "HideCNamesPref", "VersionCheckPref",
    "ShowToolbarPref", "StarNamesPref", "PlanetNamesPref", "CometNamesPref", "DeepSkyNamesPref",
    "ConstellationsPref", "BoundariesPref", "RA_DecPref", "Alt_AzPref", "EclipticPref",
    "EquatorPref", "MilkyWayPref", "PathPref", "PhotoPref", "BelowPref", "MistPref", "MeteorPref",
    "MythPref", "MeridianPref", "OutlinesPref", "TimePanelPref", "DirectionPanelPref",
};
static_assert(kPrefFlagKeys.back() != nullptr, "every flag has its key");
