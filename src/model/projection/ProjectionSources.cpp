#include "model/projection/ProjectionSources.h"

#include "model/ObjectIndex.h"
#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"

namespace ProjectionSources {

ProjectionInputs read(const PrefControl& prefs, const SkyDateModel& skyDate)
{
    ProjectionInputs in;
    in.skyViewRect = prefs.skyViewRect();
    in.viewAngle = prefs.viewAngle();
    in.altitude = prefs.altitude();
    in.azimuth = prefs.azimuth();
    in.latitude = prefs.latitude();
    in.isBelow = prefs.isBelow();

    in.primeMeridian = skyDate.primeMeridian();
    in.julianDay = skyDate.julianDay();
    in.skyDate = skyDate.skyDate();

    in.selection = selection(prefs.findIndex());

    in.starMagLimit = prefs.starMagLimit();
    in.isConstellations = prefs.isConstellations();
    in.isMyth = prefs.isMyth();
    in.isBoundaries = prefs.isBoundaries();
    in.isPath = prefs.isPath();
    in.showComet = prefs.showComet();
    in.showMP = prefs.showMP();
    in.showNEO = prefs.showNEO();
    in.cometMagLimit = prefs.cometMagLimit();
    in.mpMagLimit = prefs.mpMagLimit();

    DeepSkySwitches& ds = in.deepSkySwitches;
    ds.deepSkyMagLimit = prefs.deepSkyMagLimit();
    ds.showBest = prefs.showBest();
    ds.showAdvanced = prefs.showAdvanced();
    ds.showMessier = prefs.showMessier();
    ds.showCaldwell = prefs.showCaldwell();
    ds.showHerschel = prefs.showHerschel();
    ds.showHerschelII = prefs.showHerschelII();
    ds.showArp = prefs.showArp();
    ds.showOther = prefs.showOther();
    ds.showAll = prefs.showAll();
    ds.showOpenCluster = prefs.showOpenCluster();
    ds.showGlobularCluster = prefs.showGlobularCluster();
    ds.showGalaxy = prefs.showGalaxy();
    ds.showNebula = prefs.showNebula();
    ds.customFilterIndex = prefs.customFilterIndex();

    in.isRA_Dec = prefs.isRA_Dec();
    in.isEcliptic = prefs.isEcliptic();
    in.isEquator = prefs.isEquator();
    in.isAlt_Az = prefs.isAlt_Az();
    in.isMeridian = prefs.isMeridian();
    in.isCustomHorizon = prefs.isCustomHorizon();
    in.currentSite = prefs.currentSite();
    in.isMilkyWay = prefs.isMilkyWay();
    in.isMeteor = prefs.isMeteor();
    return in;
}

ProjectionSelection selection(int findIndex)
{
    ProjectionSelection s;
    const ObjectIndexParts parts = splitObjectIndex(findIndex);
    const auto number = std::uint32_t(parts.number);
    switch (parts.band) {
    case ObjectBand::Star: s.star = number; break;
    case ObjectBand::DeepSky: s.deepSky = number; break;
    case ObjectBand::Comet: s.comet = number; break;
    case ObjectBand::MinorPlanet: s.minorPlanet = number; break;
    default: break;
    }
    return s;
}

}  // namespace ProjectionSources
