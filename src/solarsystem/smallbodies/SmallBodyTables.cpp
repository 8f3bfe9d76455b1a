#include "solarsystem/smallbodies/SmallBodyTables.h"

#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"
#include "solarsystem/TelescopeTracking.h"
#include "solarsystem/planets/DeltaT.h"
#include "solarsystem/smallbodies/CometTable.h"
#include "solarsystem/smallbodies/GeocentricSun.h"

SmallBodyTables::SmallBodyTables(StarDatabaseModel& model, const PrefControl& prefControl,
                                 const SkyDateModel& skyDate)
    : m_model(model),
      m_prefControl(prefControl),
      m_skyDate(skyDate),
      m_cometCache(QString::fromLatin1(CometTable::kCacheFile),
                   [this] { return createCometData(true); }),
      m_minorPlanetCache(QString::fromLatin1(MinorPlanetTable::kCacheFile), [this] {
          return importMinorPlanets(true, false, false).status == MinorPlanetTable::Status::Built;
      })
{
}

std::optional<std::uint32_t> SmallBodyTables::neoIndex() const
{
    if (!m_neo.hasNeo)
        return std::nullopt;
    return m_neo.index;
}

SmallBodyInputs SmallBodyTables::inputs(double dayOffset) const
{
    SmallBodyInputs in;
    in.julianDay = m_skyDate.julianDay();
    in.sunJ2000 = GeocentricSun::j2000(2451545.0 + DeltaT::dynamicalMillennia(in.julianDay, dayOffset) * 365250.0);
    in.precession = m_model.precessionMatrix();
    in.latitude = m_prefControl.latitude();
    in.primeMeridian = m_skyDate.primeMeridian();
    in.isMetric = m_prefControl.isMetric();
    in.isTimeChange = m_model.isTimeChange();
    if (m_tracking) {
        in.trackIndex = m_tracking->trackIndex();
        in.isConnected = m_tracking->isConnected();
    }
    in.numCores = m_prefControl.numCores();
    return in;
}

void SmallBodyTables::calculateCometPositions(int kind, double dayOffset, int record,
                                              int pathSlot)
{
    calculate(kind, dayOffset, record, pathSlot);
}

SmallBodyPassResult SmallBodyTables::calculate(int kind, double dayOffset, int record,
                                               int pathSlot)
{
    // The chart's minor-planet step, which a large table runs on the pass's
    // threads once the nearest near-Earth object is known.
    const MinorPlanetProjector& projector = m_model.minorPlanetProjector();
    const MinorPlanetProjection projection = [this, &projector](std::size_t i) {
        return projector.project(m_minorPlanets[i], std::uint32_t(i), neoIndex());
    };
    const SmallBodyPassResult result = SmallBodyPass::calculateCometPositions(
        kind, dayOffset, record, pathSlot, inputs(dayOffset), {m_comets, m_minorPlanets, m_neo},
        projection, m_progress);

    const auto paths = m_model.planetPaths();
    if (result.pathVector && pathSlot >= 0 && std::size_t(pathSlot) < paths.size()) {
        planetPath& point = paths[std::size_t(pathSlot)];
        point.vecX = (*result.pathVector)[0];
        point.vecY = (*result.pathVector)[1];
        point.vecZ = (*result.pathVector)[2];
    }
    if (result.trackedPlace && m_tracking)
        m_tracking->setTrackRA(result.trackedPlace->rightAscension,
                               result.trackedPlace->declination);
    return result;
}

bool SmallBodyTables::createCometData(bool rebuild)
{
    return CometTable::createCometData(rebuild, m_model.buildDirectory(),
                                       m_model.databaseDirectory(), m_comets);
}

void SmallBodyTables::createMinorPlanetData(bool rebuild, bool useOrbitFile, bool allOrbits)
{
    importMinorPlanets(rebuild, useOrbitFile, allOrbits);
}

MinorPlanetTable::Result SmallBodyTables::importMinorPlanets(bool rebuild, bool useOrbitFile,
                                                             bool allOrbits)
{
    MinorPlanetTable::Request request;
    request.rebuild = rebuild;
    request.useOrbitFile = useOrbitFile;
    request.allOrbits = allOrbits;
    request.processorCount = m_prefControl.numCores();
    request.progress = m_progress;
    const MinorPlanetTable::Result result = MinorPlanetTable::createMinorPlanetData(
        request, m_model.buildDirectory(), m_model.databaseDirectory(), m_minorPlanets);
    using Status = MinorPlanetTable::Status;
    // The nearest object found in the old table may name another body of
    // the new one, or none: it waits for the next pass.
    if (result.status == Status::Loaded || result.status == Status::Built)
        m_neo.reset();
    return result;
}
