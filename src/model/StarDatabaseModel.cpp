#include "model/StarDatabaseModel.h"

#include "model/catalogue/CacheRebuilder.h"
#include "model/catalogue/ConstellationLabels.h"
#include "model/catalogue/ConstellationTables.h"
#include "model/catalogue/DeepSkyTableBuilder.h"
#include "model/catalogue/GridTables.h"
#include "model/catalogue/HorizonFigure.h"
#include "model/catalogue/MeteorShowers.h"
#include "model/catalogue/SmallBodyCatalogues.h"
#include "model/projection/SmallBodyPositions.h"
#include "model/catalogue/StarTableBuilder.h"
#include "model/catalogue/StartupFailure.h"

#include <QFile>

namespace {

void require(const TableError& error)
{
    if (error)
        StartupFailure::raise(*error);
}

}  // namespace

void StarDatabaseModel::setupDatabase()
{
    setupDatabase(CatalogueFolders::standard());
}

void StarDatabaseModel::setupDatabase(const CatalogueFolders& folders)
{
    m_folders = folders;
    // The figure lines index into the star table, so the stars come first.
    createStarData();
    loadConstellationLines();
    resetPlanetRecords();
    m_horizonAltAzPath = QPainterPath();
    createConstellationNames();
    createDeepSkyData();
    if (m_smallBodies) {
        m_smallBodies->createCometData(false);
        m_smallBodies->createMinorPlanetData(false, false, false);
    }
    createRAGrid();
    createAltAzGrid();
    createCustomHorizons(false);
    createMilkyWay();
    createBoundaryData();
    createMeteors();
}

bool StarDatabaseModel::rebuildDatabase()
{
    bool ok = true;
    const auto& folders = m_folders;
    if (rebuildCache(StarTableBuilder::table(folders.databaseDirectory, folders.buildDirectory),
                     m_stars)) {
        // A star source in another order or of another length makes figure
        // lines point at the wrong stars or none; keep only those that exist.
        ConstellationTables::dropBadConLines(m_conLines, numStars(), m_debug);
    } else {
        ok = false;
    }
    ok = rebuildCache(DeepSkyTableBuilder::table(folders.databaseDirectory, folders.buildDirectory),
                      m_deepSky) &&
         ok;
    for (CacheRebuilder* rebuilder : m_rebuilders) {
        if (QFile::exists(folders.databaseDirectory + rebuilder->cacheFileName()))
            ok = rebuilder->rebuildCache() && ok;
    }
    // Rebuilt records hold no chart state yet; without this pass the chart
    // would draw them all at its centre.
    calculateStarPositions(true);
    return ok;
}

template <class Table, class Record>
bool StarDatabaseModel::rebuildCache(const Table& table, std::vector<Record>& records)
{
    // A cache that is missing is not rebuilt: its table keeps what it holds.
    if (!QFile::exists(table.cachePath))
        return true;
    ++m_tableLoads;
    if (TableError error = table.build(records)) {
        StartupFailure::showAlert(*error);
        return false;
    }
    return true;
}

void StarDatabaseModel::createStarData()
{
    ++m_tableLoads;
    require(StarTableBuilder::table(m_folders.databaseDirectory, m_folders.buildDirectory)
                .load(m_stars));
}

void StarDatabaseModel::createDeepSkyData()
{
    ++m_tableLoads;
    require(DeepSkyTableBuilder::table(m_folders.databaseDirectory, m_folders.buildDirectory)
                .load(m_deepSky));
}

void StarDatabaseModel::loadConstellationLines()
{
    require(
        ConstellationTables::loadConLines(m_folders.tvkDirectory, numStars(), m_conLines, m_debug));
}

void StarDatabaseModel::resetPlanetRecords()
{
    for (int k = 0; k < kNumPlanets; ++k) {
        m_planets[std::size_t(k)].index = k;
        // The first light-time correction starts from distance 0.
        m_planets[std::size_t(k)].geoDistance = 0.0f;
    }
}

void StarDatabaseModel::createConstellationNames()
{
    m_conLocns = ConstellationLabels::create();
}

void StarDatabaseModel::createBoundaryData()
{
    m_isBoundaryReleased = false;
    require(ConstellationTables::loadBoundaries(m_folders.tvkDirectory, m_boundaries));
}

void StarDatabaseModel::keepBoundaries(bool isShown)
{
    if (!isShown) {
        if (!m_boundaries.empty()) {
            std::vector<boundaryLocn>().swap(m_boundaries);
            m_isBoundaryReleased = true;
        }
        return;
    }
    if (!m_isBoundaryReleased)
        return;
    m_isBoundaryReleased = false;
    if (const TableError error = ConstellationTables::loadBoundaries(m_folders.tvkDirectory, m_boundaries))
        StartupFailure::showAlert(*error);
}

void StarDatabaseModel::createRAGrid()
{
    require(GridTables::loadRAGrid(m_folders.tvkDirectory, m_raGrid));
}

void StarDatabaseModel::createAltAzGrid()
{
    require(GridTables::loadAltAzGrid(m_folders.tvkDirectory, m_altAzGrid));
}

void StarDatabaseModel::createMilkyWay()
{
    m_mwCoords = MilkyWayTable::createCoords();
}

void StarDatabaseModel::createMeteors()
{
    m_meteors = MeteorShowers::create();
}

void StarDatabaseModel::createCustomHorizons(bool rebuild)
{
    HorizonTables::createCustomHorizons(m_horizons, m_folders.databaseDirectory,
                                        m_folders.buildDirectory, rebuild);
}

void StarDatabaseModel::createHorizonAltAz(int currentSite)
{
    m_horizonAltAzPath =
        HorizonFigure::fromText(m_folders.buildDirectory + HorizonTables::textName(currentSite));
}

void StarDatabaseModel::createPhotoAltAz(std::span<const std::uint16_t, 256> pixelNotAlpha)
{
    m_horizonAltAzPath = HorizonFigure::fromPhotoProfile(pixelNotAlpha);
}

std::uint32_t StarDatabaseModel::numHorizon(int k) const
{
    return std::uint32_t(horizonArray(k).size());
}

std::span<AltAzLocn> StarDatabaseModel::horizonArray(int k)
{
    if (k < 0 || k >= HorizonTables::kNumSlots)
        return {};
    return m_horizons[std::size_t(k)];
}

std::span<const AltAzLocn> StarDatabaseModel::horizonArray(int k) const
{
    if (k < 0 || k >= HorizonTables::kNumSlots)
        return {};
    return m_horizons[std::size_t(k)];
}

std::uint64_t StarDatabaseModel::catalogueVersion() const
{
    const SmallBodyPositions* smallBodies = m_projectionServices.smallBodies;
    return std::uint64_t(m_tableLoads) << 32 | (smallBodies ? smallBodies->tableVersion() : 0u);
}

std::span<comet> StarDatabaseModel::comets()
{
    return m_projectionServices.smallBodies ? m_projectionServices.smallBodies->comets()
                                            : std::span<comet>();
}

std::span<const comet> StarDatabaseModel::comets() const
{
    const SmallBodyPositions* smallBodies = m_projectionServices.smallBodies;
    return smallBodies ? smallBodies->comets() : std::span<const comet>();
}

std::span<minorPlanet> StarDatabaseModel::minorPlanets()
{
    return m_projectionServices.smallBodies ? m_projectionServices.smallBodies->minorPlanets()
                                            : std::span<minorPlanet>();
}

std::span<const minorPlanet> StarDatabaseModel::minorPlanets() const
{
    const SmallBodyPositions* smallBodies = m_projectionServices.smallBodies;
    return smallBodies ? smallBodies->minorPlanets() : std::span<const minorPlanet>();
}
