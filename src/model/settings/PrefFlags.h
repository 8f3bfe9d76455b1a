#pragma once

#include "model/settings/PrefKeys.h"

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
constexpr auto kPrefFlagKeys = std::to_array<const char*>({
    PrefKeys::StarDouble, PrefKeys::StarAdvanced, PrefKeys::StarVariable, PrefKeys::StarPlanet,
    PrefKeys::StarAntiAlias, PrefKeys::GeminiAC, PrefKeys::MeadeAC, PrefKeys::NexStarAC,
    PrefKeys::ShowOpenCluster, PrefKeys::ShowGlobularCluster, PrefKeys::ShowGalaxy, PrefKeys::ShowNebula,
    PrefKeys::ShowComet, PrefKeys::ShowMP, PrefKeys::ShowNEO, PrefKeys::ShowDSOName,
    PrefKeys::ShowDSOMessier, PrefKeys::ShowDSONGC, PrefKeys::ShowCaldwell, PrefKeys::ShowHerschel,
    PrefKeys::ShowHerschelII, PrefKeys::ShowArp, PrefKeys::ShowBest, PrefKeys::ShowAdvanced,
    PrefKeys::ShowMessier, PrefKeys::ShowAll, PrefKeys::ShowOther, PrefKeys::DSSCache, PrefKeys::HideSky,
    PrefKeys::HideSV, PrefKeys::HideScope, PrefKeys::HideSS, PrefKeys::HideWebcam, PrefKeys::HideFocuser,
    PrefKeys::HideDome, PrefKeys::Metric, PrefKeys::Transparent, PrefKeys::Twilight, PrefKeys::Astroplanner,
    PrefKeys::Precession, PrefKeys::ToolTips, PrefKeys::CustomHorizon, PrefKeys::PhotoHorizon,
    PrefKeys::ExtConnect, PrefKeys::RedCursor, PrefKeys::HideCNames, PrefKeys::VersionCheck,
    PrefKeys::ShowToolbar, PrefKeys::StarNames, PrefKeys::PlanetNames, PrefKeys::CometNames,
    PrefKeys::DeepSkyNames, PrefKeys::Constellations, PrefKeys::Boundaries, PrefKeys::RA_Dec,
    PrefKeys::Alt_Az, PrefKeys::Ecliptic, PrefKeys::Equator, PrefKeys::MilkyWay, PrefKeys::Path,
    PrefKeys::Photo, PrefKeys::Below, PrefKeys::Mist, PrefKeys::Meteor, PrefKeys::Myth, PrefKeys::Meridian,
    PrefKeys::Outlines, PrefKeys::TimePanel, PrefKeys::DirectionPanel,
});
static_assert(kPrefFlagKeys.size() == kPrefFlagCount, "every flag has its key");
