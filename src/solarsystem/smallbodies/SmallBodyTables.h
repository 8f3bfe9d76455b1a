#pragma once

#include "model/catalogue/SmallBodyCatalogues.h"
#include "model/projection/SmallBodyPositions.h"
#include "solarsystem/smallbodies/MinorPlanetCacheWriter.h"
#include "solarsystem/smallbodies/MinorPlanetFirstPass.h"
#include "solarsystem/smallbodies/MinorPlanetImporter.h"
#include "solarsystem/smallbodies/MinorPlanetOrbit.h"
#include "solarsystem/smallbodies/MinorPlanetTable.h"
#include "solarsystem/smallbodies/MinorPlanetWatch.h"
#include "solarsystem/smallbodies/ParallelMinorPlanets.h"
#include "solarsystem/smallbodies/NearEarthObject.h"
#include "solarsystem/smallbodies/SmallBodyCacheRebuilder.h"
#include "solarsystem/smallbodies/SmallBodyPass.h"

#include <functional>
#include <vector>

class PrefControl;
class SkyDateModel;
class StarDatabaseModel;
class TelescopeTracking;

// The comet and minor-planet tables of the astronomy model, with the nearest
// near-Earth object, and their position pass. The tables come from the
// model's data folders; the pass runs for the sky date, the site and the
// model's precession, with the Sun at the dynamical time the planetary pass
// uses (from ERFA's Earth ephemeris), and writes path points into the model's
// path. The model, the settings and the sky date must outlive this object.
class SmallBodyTables final : public SmallBodyPositions, public SmallBodyCatalogues {
public:
    SmallBodyTables(StarDatabaseModel& model, const PrefControl& prefControl,
                    const SkyDateModel& skyDate);
    SmallBodyTables(const SmallBodyTables&) = delete;
    SmallBodyTables& operator=(const SmallBodyTables&) = delete;

    // Where a tracked comet's or minor planet's new place goes; none at first.
    void setTelescopeTracking(TelescopeTracking* tracking) { m_tracking = tracking; }
    // Percentages of the orbit-file parse and of a large parallel pass,
    // delivered on the calling thread.
    void setProgress(std::function<void(double percent)> progress)
    {
        m_progress = std::move(progress);
    }

    // From now on a load of the cache (not a rebuild) that holds a large
    // table leaves the table empty until loadPendingApart.
    void setLoadsLargeCacheApart(std::function<void()> loaded) { m_loadedApart = std::move(loaded); }
    // Once the chart shows: a large cache left for later is read and a first
    // pass made on a worker, for the sky date, site and limit of now. The table then takes its place on this thread and
    // `loaded` is called, unless another table was put in place first.
    void loadPendingApart();
    bool isLoadingApart() const { return m_isLoadPending || m_apartLoad.isRunning(); }

    std::span<comet> comets() override { return m_comets; }
    std::span<const comet> comets() const override { return m_comets; }
    std::span<minorPlanet> minorPlanets() override { return m_minorPlanets; }
    std::span<const minorPlanet> minorPlanets() const override { return m_minorPlanets; }
    std::optional<std::uint32_t> neoIndex() const override;
    std::uint32_t tableVersion() const override { return m_tableVersion + m_cometTables; }
    // The minor planets the last pass over a large table projected on
    // screen, in table order; none for a small table, whose records say it.
    std::optional<std::span<const std::uint32_t>> minorPlanetsOnScreen() const;
    // The nearest near-Earth object's name, NUL-terminated; empty when there is none.
    const char* neoName() const { return m_neo.name.data(); }

    void calculateCometPositions(int kind, double dayOffset, int record, int pathSlot) override;
    // The same, also returning what the pass found; for one record without
    // a path slot, that is its orbit for the solar-system plot.
    SmallBodyPassResult calculate(int kind, double dayOffset, int record, int pathSlot);

    bool createCometData(bool rebuild) override;
    void createMinorPlanetData(bool rebuild, bool useOrbitFile, bool allOrbits) override;
    // The same with its outcome, which for an unusable orbit file the caller reports.
    MinorPlanetTable::Result importMinorPlanets(bool rebuild, bool useOrbitFile, bool allOrbits);
    // The orbit-file rebuild of importMinorPlanets split for a worker thread:
    // the job, which touches nothing of these tables, and on this thread
    // the step that puts its table in place. For a large table the job also
    // makes its first chart pass, for the sky date, site and limit of now,
    // so that the pass after the table is in place computes only the
    // bodies that can show, as a time step does.
    // A large table that its cache holds whole is let go meanwhile, so that
    // the new one never sits beside it: when the import puts no table in
    // place, the old one is read back from the cache apart.
    // A table put in place by adoptMinorPlanets is cached after, on a thread
    // of its own; the tables are replaced again only after that write.
    MinorPlanetImporter::Work orbitFileImport(bool allOrbits);
    MinorPlanetTable::Result adoptMinorPlanets(MinorPlanetTable::Import& import);
    // A new table's cache is being written, or its outcome not yet reported.
    bool isWritingCache() const { return m_cacheWriter.isWriting(); }

    // "Comets.tvk" and "MinorPlanets.tvk", for the catalogue rebuild.
    CacheRebuilder& cometCache() { return m_cometCache; }
    CacheRebuilder& minorPlanetCache() { return m_minorPlanetCache; }

private:
    SmallBodyInputs inputs(double dayOffset) const;
    // Now, for a worker's first pass over a new table.
    MinorPlanetFirstPass::Moment firstPassMoment() const;
    MinorPlanetTable::Request request(bool rebuild, bool useOrbitFile, bool allOrbits) const;
    // After an import: the table's orbits and watches when it was replaced,
    // those given when they are the new table's.
    MinorPlanetTable::Result imported(const MinorPlanetTable::Result& result,
                                      std::vector<MinorPlanetOrbit> orbits = {},
                                      std::vector<MinorPlanetWatch> watches = {});
    // After the table was replaced: its orbits' constants when it keeps them
    // (computed unless given) and its watches (fresh unless given); the
    // orbits the old table's passes kept are let go.
    void prepareOrbits(std::vector<MinorPlanetOrbit> orbits, std::vector<MinorPlanetWatch> watches);
    // The cache's size in bytes; -1 without one.
    qint64 cacheSize() const;
    bool holdsLargeCache() const;
    void setAsideForImport();

    StarDatabaseModel& m_model;
    const PrefControl& m_prefControl;
    const SkyDateModel& m_skyDate;
    TelescopeTracking* m_tracking = nullptr;
    std::function<void(double)> m_progress;

    std::vector<comet> m_comets;
    std::vector<minorPlanet> m_minorPlanets;
    std::vector<MinorPlanetOrbit> m_orbits;    // one per minor planet when kept, else none
    std::vector<SmallBodyPosition::Solved> m_solved;  // one per minor planet of a small table
    std::vector<MinorPlanetWatch> m_watches;   // one per minor planet, for the large pass
    // The orbits of the bodies the last large pass let through.
    std::vector<ParallelMinorPlanets::KeptOrbit> m_keptOrbits;
    std::uint32_t m_generation = 0;            // of the places the large pass computed last
    std::vector<std::uint32_t> m_onScreen;
    bool m_hasOnScreen = false;
    // The records the last large pass did not skip, and what it skipped them for.
    std::vector<std::uint32_t> m_shown;
    std::optional<ParallelMinorPlanets::Gate> m_lastGate;
    NearEarthObject m_neo;
    SmallBodyCacheRebuilder m_cometCache;
    SmallBodyCacheRebuilder m_minorPlanetCache;
    std::function<void()> m_loadedApart;
    bool m_isLoadPending = false;  // the cache waits for loadPendingApart
    bool m_isSetAside = false;     // let go for an import, which may bring it back
    std::uint32_t m_tableVersion = 0;  // counts the minor-planet tables put in place
    std::uint32_t m_cometTables = 0;   // counts the comet tables loaded or imported
    // After the tables, so that a write still running ends before the table goes.
    MinorPlanetCacheWriter m_cacheWriter;
    // Last, so that a load still running stops before the tables go.
    MinorPlanetImporter m_apartLoad;
};
