#include "solarsystem/smallbodies/SmallBodyTables.h"

#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"
#include "solarsystem/TelescopeTracking.h"
#include "solarsystem/planets/DeltaT.h"
#include "solarsystem/smallbodies/CometTable.h"
#include "solarsystem/smallbodies/GeocentricSun.h"
#include "solarsystem/smallbodies/MinorPlanetFirstPass.h"

#include "model/ObjectIndex.h"

#include <QFileInfo>

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

std::optional<std::span<const std::uint32_t>> SmallBodyTables::minorPlanetsOnScreen() const
{
    if (!m_hasOnScreen)
        return std::nullopt;
    return m_onScreen;
}

void SmallBodyTables::prepareOrbits(std::vector<MinorPlanetOrbit> orbits, std::vector<MinorPlanetWatch> watches)
{
    if (!MinorPlanetOrbit::areKept(m_minorPlanets.size()))
        orbits.clear();
    else if (orbits.size() != m_minorPlanets.size())
        orbits = MinorPlanetOrbit::of(m_minorPlanets, m_prefControl.numCores());
    m_orbits = std::move(orbits);
    // A small table's time steps start Kepler's equation where the last pass
    // solved it; a large one skips most bodies from pass to pass.
    m_solved.assign(m_orbits.size(), SmallBodyPosition::Solved{});
    if (watches.size() != m_minorPlanets.size())
        watches = MinorPlanetFirstPass::freshWatches(m_minorPlanets);
    m_watches = std::move(watches);
    m_keptOrbits.clear();
    m_hasOnScreen = false;
    m_lastGate.reset();
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
    const SmallBodyInputs in = inputs(dayOffset);
    // A pass over a large table for the chart skips the bodies it cannot show.
    const bool isChartPass = kind != kSmallBodyComets && record < 0 && dayOffset == 0.0
                             && m_minorPlanets.size() >= SmallBodyPositions::kParallelThreshold;
    ParallelMinorPlanets::Gate gate;
    if (isChartPass) {
        if (in.isTimeChange || m_generation == 0)
            m_generation = m_generation == UINT32_MAX ? 1 : m_generation + 1;
        const CatalogueFilters::MinorPlanetFilter& filter = projector.filter();
        gate = {m_watches,     filter.limit, filter.showMP, filter.showNEO, filter.selected, std::nullopt,
                m_generation, &m_onScreen, &m_shown};
        gate.keptOrbits = &m_keptOrbits;
        if (in.trackIndex >= kMinorPlanetIndexBase)
            gate.tracked = std::uint32_t(in.trackIndex - kMinorPlanetIndexBase);
        gate.isAsLast = m_lastGate && gate.skipsAs(*m_lastGate);
        m_lastGate = gate;
    } else {
        m_lastGate.reset();
    }
    m_hasOnScreen = isChartPass;
    const SmallBodyPassResult result = SmallBodyPass::calculateCometPositions(
        kind, dayOffset, record, pathSlot, in, {m_comets, m_minorPlanets, m_neo, m_orbits, isChartPass ? &gate : nullptr, m_solved},
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
    ++m_cometTables;
    return CometTable::createCometData(rebuild, m_model.buildDirectory(),
                                       m_model.databaseDirectory(), m_comets);
}

void SmallBodyTables::createMinorPlanetData(bool rebuild, bool useOrbitFile, bool allOrbits)
{
    m_cacheWriter.wait();
    if (!rebuild && m_loadedApart && holdsLargeCache()) {
        // Read once the program has started; none until then.
        std::vector<minorPlanet>().swap(m_minorPlanets);
        imported({MinorPlanetTable::Status::Loaded});
        m_isLoadPending = true;
        return;
    }
    importMinorPlanets(rebuild, useOrbitFile, allOrbits);
}

qint64 SmallBodyTables::cacheSize() const
{
    const QFileInfo cache(m_model.databaseDirectory() + QLatin1String(MinorPlanetTable::kCacheFile));
    return cache.isFile() ? cache.size() : -1;
}

bool SmallBodyTables::holdsLargeCache() const
{
    return cacheSize() >= qint64(SmallBodyPositions::kParallelThreshold * sizeof(minorPlanet));
}

void SmallBodyTables::setAsideForImport()
{
    m_cacheWriter.wait();
    const std::size_t count = m_minorPlanets.size();
    if (count < SmallBodyPositions::kParallelThreshold || cacheSize() != qint64(count * sizeof(minorPlanet)))
        return;
    std::vector<minorPlanet>().swap(m_minorPlanets);
    imported({MinorPlanetTable::Status::Loaded});
    m_isSetAside = true;
}

void SmallBodyTables::loadPendingApart()
{
    if (!m_isLoadPending)
        return;
    const std::uint32_t version = m_tableVersion;
    MinorPlanetImporter::Work work = [databaseDirectory = m_model.databaseDirectory(),
                                      moment = firstPassMoment()](const MinorPlanetImporter::Progress&,
                                                                  std::stop_token stop) {
        MinorPlanetTable::Import import = MinorPlanetTable::loadCache(databaseDirectory);
        if (import.result.status != MinorPlanetTable::Status::Loaded || stop.stop_requested())
            return import;
        MinorPlanetFirstPass::make(import, moment, stop);
        return import;
    };
    const auto loaded = [this, version](MinorPlanetTable::Import& import) {
        // A table put in place meanwhile is newer than this one.
        if (version != m_tableVersion)
            return;
        if (import.result.status == MinorPlanetTable::Status::Loaded)
            adoptMinorPlanets(import);
        else
            importMinorPlanets(false, false, false);
        if (m_loadedApart)
            m_loadedApart();
    };
    m_isLoadPending = !m_apartLoad.start(std::move(work), {}, loaded);
}

MinorPlanetTable::Request SmallBodyTables::request(bool rebuild, bool useOrbitFile,
                                                   bool allOrbits) const
{
    MinorPlanetTable::Request request;
    request.rebuild = rebuild;
    request.useOrbitFile = useOrbitFile;
    request.allOrbits = allOrbits;
    request.processorCount = m_prefControl.numCores();
    request.progress = m_progress;
    return request;
}

MinorPlanetTable::Result SmallBodyTables::importMinorPlanets(bool rebuild, bool useOrbitFile,
                                                             bool allOrbits)
{
    m_cacheWriter.wait();
    return imported(MinorPlanetTable::createMinorPlanetData(request(rebuild, useOrbitFile, allOrbits),
                                                            m_model.buildDirectory(),
                                                            m_model.databaseDirectory(), m_minorPlanets));
}

MinorPlanetImporter::Work SmallBodyTables::orbitFileImport(bool allOrbits)
{
    MinorPlanetImporter::Work import = MinorPlanetImporter::orbitFile(
        request(true, true, allOrbits), m_model.buildDirectory(), firstPassMoment());
    setAsideForImport();
    return import;
}

MinorPlanetFirstPass::Moment SmallBodyTables::firstPassMoment() const
{
    return {inputs(0.0), m_model.minorPlanetProjector().filter()};
}

MinorPlanetTable::Result SmallBodyTables::adoptMinorPlanets(MinorPlanetTable::Import& import)
{
    std::vector<MinorPlanetOrbit> orbits = std::move(import.orbits);
    std::vector<MinorPlanetWatch> watches = std::move(import.watches);
    const bool isSetAside = m_isSetAside;
    m_cacheWriter.wait();
    const MinorPlanetTable::Result result =
        imported(MinorPlanetTable::adopt(import, m_minorPlanets), std::move(orbits), std::move(watches));
    // A parsed table is drawn first and cached after; a failed write keeps
    // the old cache and says so.
    if (result.status == MinorPlanetTable::Status::Built) {
        m_cacheWriter.start(m_model.databaseDirectory() + QLatin1String(MinorPlanetTable::kCacheFile), m_minorPlanets,
                            [](bool written) {
                                if (!written)
                                    MinorPlanetTable::alertCacheNotWritten();
                            });
    }
    if (isSetAside && result.status != MinorPlanetTable::Status::Built) {
        // No new table: the old one comes back from its cache.
        m_isSetAside = false;
        m_isLoadPending = true;
        loadPendingApart();
    }
    return result;
}

MinorPlanetTable::Result SmallBodyTables::imported(const MinorPlanetTable::Result& result,
                                                   std::vector<MinorPlanetOrbit> orbits,
                                                   std::vector<MinorPlanetWatch> watches)
{
    using Status = MinorPlanetTable::Status;
    // The nearest object found in the old table may name another body of
    // the new one, or none: it waits for the next pass.
    if (result.status == Status::Loaded || result.status == Status::Built) {
        m_isLoadPending = false;
        m_isSetAside = false;
        ++m_tableVersion;
        m_neo.reset();
        prepareOrbits(std::move(orbits), std::move(watches));
    }
    return result;
}
