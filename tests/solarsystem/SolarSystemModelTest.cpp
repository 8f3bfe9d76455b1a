#include "solarsystem/SolarSystemModel.h"

#include "model/ObjectIndex.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"
#include "solarsystem/TelescopeTracking.h"

#include "LargeOrbitFile.h"
#include "MpcLines.h"
#include "model/CatalogueFixture.h"
#include "model/PrefFixture.h"
#include "solarsystem/SkyReference.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace SkyReference;

// 2026 January 17, 0h TT, the moment of the stored PyEphem place of Vesta.
constexpr double kVestaJDE = 2461055.5;
constexpr double kKmPerAU = 149.59787069;

QDateTime momentOf(double julianDay)
{
    const QDateTime reference(QDate(2001, 1, 1), QTime(0, 0), QTimeZone::utc());
    return reference.addMSecs(qint64(std::llround((julianDay - 2451910.5) * 86400000.0)));
}

QByteArray lines(std::initializer_list<std::string_view> list)
{
    QByteArray text;
    for (const std::string_view line : list)
        text += QByteArray(line.data(), qsizetype(line.size())) + "\n";
    return text;
}

struct RecordingTracking final : TelescopeTracking {
    int trackIndex() const override { return tracked; }
    bool isConnected() const override { return connected; }
    void setTrackRA(double ra, double dec) override { places.push_back({ra, dec}); }

    int tracked = kNoObjectIndex;
    bool connected = false;
    std::vector<std::array<double, 2>> places;
};

// A model on small generated catalogues with comet and minor-planet element
// files, linked to the settings, the sky date and the solar-system bodies.
class SolarSystemModelTest : public PrefFixture {
protected:
    void SetUp() override
    {
        PrefFixture::SetUp();
        PrefControl& prefs = launch();
        prefs.setLatitude(47.5);
        prefs.setIsMetric(true);
        prefs.setSkyViewRect(QRectF(0, 0, 1000, 800));
        prefs.setShowComet(true);
        prefs.setShowMP(true);
        prefs.setShowNEO(true);
        prefs.setCometMagLimit(30.0);
        skyDate = std::make_unique<SkyDateModel>(prefs);
        skyDate->calculateDate(momentOf(universalFor(kVestaJDE)), 0.0);

        catalogues.writeInstallation();
        catalogues.writeBuildFile("Soft00Cmt.txt", lines({MpcLines::kEncke, MpcLines::kHaleBopp,
                                                          MpcLines::kSchwassmannWachmannT, MpcLines::kAtlas2019E3}));
        catalogues.writeBuildFile("Soft00Bright.txt",
                                  lines({MpcLines::kCeres, MpcLines::kVesta, MpcLines::k617103,
                                         MpcLines::kTildeNumbered, MpcLines::kCeres, MpcLines::kVesta,
                                         MpcLines::kCeres, MpcLines::kVesta}));
        catalogues.writeBuildFile("Soft00Unusual.txt", lines({MpcLines::kEros, MpcLines::k2019KO2}));
        model.setLinks(prefs, *skyDate);
        solarSystem = std::make_unique<SolarSystemModel>(model, prefs, *skyDate);
        model.setupDatabase(catalogues.folders());
    }
    void TearDown() override { AppTimeZone::setZone(QTimeZone::systemTimeZone()); }

    PrefControl& prefs() { return *fakes.prefs; }

    void writeLargeOrbitFile()
    {
        catalogues.writeBuildFile("MPCORB.DAT", largeOrbitFile(SmallBodyPositions::kParallelThreshold));
    }

    // The minor planets the chart's pass puts on screen.
    std::vector<minorPlanet> chart()
    {
        model.calculateStarPositions(true);
        std::vector<minorPlanet> shown;
        for (const std::uint32_t i : solarSystem->minorPlanetsOnScreen().value_or(std::span<const std::uint32_t>()))
            shown.push_back(model.minorPlanets()[i]);
        return shown;
    }

    // Whether two charts hold the same records, byte for byte.
    static testing::AssertionResult sameChart(const std::vector<minorPlanet>& a, const std::vector<minorPlanet>& b)
    {
        if (a.size() != b.size())
            return testing::AssertionFailure() << a.size() << " records against " << b.size();
        if (std::memcmp(a.data(), b.data(), a.size() * sizeof(minorPlanet)) != 0)
            return testing::AssertionFailure() << "the records differ";
        return testing::AssertionSuccess();
    }

    CatalogueFixture catalogues;
    ScopedAlertRecorder recorder;
    std::unique_ptr<SkyDateModel> skyDate;
    StarDatabaseModel model;
    std::unique_ptr<SolarSystemModel> solarSystem;
};

TEST_F(SolarSystemModelTest, SetUpLoadsTheSmallBodyTablesAndTheirCaches)
{
    EXPECT_EQ(model.numComets(), 4u);
    EXPECT_EQ(model.numMinorPlanets(), 10u);
    EXPECT_STREQ(model.comets()[0].name, "2P/Encke");
    EXPECT_TRUE(QFile::exists(model.databaseDirectory() + "Comets.tvk"));
    EXPECT_TRUE(QFile::exists(model.databaseDirectory() + "MinorPlanets.tvk"));
    EXPECT_TRUE(recorder.alerts.empty());

    // The catalogue rebuild reaches both caches.
    catalogues.writeBuildFile("Soft00Cmt.txt", lines({MpcLines::kEncke, MpcLines::kHaleBopp}));
    EXPECT_TRUE(model.rebuildDatabase());
    EXPECT_EQ(model.numComets(), 2u);
    EXPECT_EQ(model.numMinorPlanets(), 10u);
}

TEST_F(SolarSystemModelTest, OneForcedPassPlacesEverySolarSystemBody)
{
    model.calculateStarPositions(true);
    model.calculateStarPositions(true);

    // The planets and the Moon (PlanetaryPositionsTest compares them with the passes run by hand).
    std::ranges::for_each(model.planets().first(10), [](const planet& p) {
        EXPECT_GT(float(p.geoDistance), 0.0f) << p.index;
        EXPECT_NE(int(p.state), int(kStateFiltered)) << p.index;
    });
    const auto expectPlaced = [](const auto& body) {
        EXPECT_GT(float(body.geoDistance), 0.0f) << body.name;
        EXPECT_NE(int(body.state), int(kStateFiltered)) << body.name;
    };
    std::ranges::for_each(model.comets(), expectPlaced);
    std::ranges::for_each(model.minorPlanets(), expectPlaced);

    // Vesta against PyEphem 4.1.4 from the same elements (see the orbit tests):
    // astrometric J2000 303.9371944, -21.5824217 deg, 3.185058355 AU from the
    // Earth, 2.212086678 from the Sun. The pass takes no light time (some 14"
    // along the track) and the record is topocentric (up to 2.8" of parallax);
    // a Sun at the wrong moment or left out would be off by arcminutes or degrees.
    const minorPlanet& vesta = model.minorPlanets()[1];
    ASSERT_STREQ(vesta.name, "(4) Vesta");
    EXPECT_NEAR(double(vesta.geoDistance) / kKmPerAU, 3.185058355, 1e-5);
    EXPECT_NEAR(double(vesta.helioDistance) / kKmPerAU, 2.212086678, 3e-5);
    const double v[3] = {vesta.vecX, vesta.vecY, vesta.vecZ};
    const auto& p = model.precessionMatrix();
    minorPlanet j2000{};
    j2000.vecX = p[0] * v[0] + p[3] * v[1] + p[6] * v[2];
    j2000.vecY = p[1] * v[0] + p[4] * v[1] + p[7] * v[2];
    j2000.vecZ = p[2] * v[0] + p[5] * v[1] + p[8] * v[2];
    EXPECT_LT(separation(j2000, 303.9371944 * kDeg, -21.5824217 * kDeg), 20.0 * kArcsec);

    // The nearest object of the near-Earth list, with its name.
    const std::optional<std::uint32_t> neo = solarSystem->neoIndex();
    ASSERT_TRUE(neo);
    EXPECT_EQ(model.minorPlanets()[*neo].source, kMPSourceUnusual);
    EXPECT_STREQ(solarSystem->neoName(), model.minorPlanets()[*neo].name);
}

// The old index may name another body of the new table, or none at all.
TEST_F(SolarSystemModelTest, ANewMinorPlanetTableForgetsTheNearestObject)
{
    model.calculateStarPositions(true);
    ASSERT_TRUE(solarSystem->neoIndex());
    catalogues.writeBuildFile("Soft00Unusual.txt", lines({MpcLines::kCeres, MpcLines::kVesta}));
    EXPECT_EQ(solarSystem->smallBodies().importMinorPlanets(true, false, false).status, MinorPlanetTable::Status::Built);
    EXPECT_FALSE(solarSystem->neoIndex());
    EXPECT_STREQ(solarSystem->neoName(), "");
}

// The finder gathers the catalogues' names again only when a table changed.
TEST_F(SolarSystemModelTest, EveryNewTableChangesTheCatalogueVersionAndAPassDoesNot)
{
    const std::uint64_t loaded = model.catalogueVersion();
    model.calculateStarPositions(true);
    EXPECT_EQ(model.catalogueVersion(), loaded);
    solarSystem->smallBodies().createCometData(true);
    const std::uint64_t comets = model.catalogueVersion();
    EXPECT_NE(comets, loaded);
    ASSERT_EQ(solarSystem->smallBodies().importMinorPlanets(true, false, false).status,
              MinorPlanetTable::Status::Built);
    const std::uint64_t minorPlanets = model.catalogueVersion();
    EXPECT_NE(minorPlanets, comets);
    ASSERT_TRUE(model.rebuildDatabase());
    EXPECT_NE(model.catalogueVersion(), minorPlanets);
}

// The orbit file's import made apart from the tables (as on the worker),
// then put in place: the old table and its cache stay until a whole import
// replaces them, and the new table's orbits come with it.
TEST_F(SolarSystemModelTest, AnOrbitFileImportedApartReplacesTheTableOnlyWhenUsable)
{
    SmallBodyTables& tables = solarSystem->smallBodies();
    const QString cachePath = model.databaseDirectory() + "MinorPlanets.tvk";
    const auto cache = [&] {
        QFile file(cachePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const auto importApart = [&](bool allOrbits) {
        MinorPlanetTable::Import import = tables.orbitFileImport(allOrbits)({}, {});
        return tables.adoptMinorPlanets(import).status;
    };
    const QByteArray listCache = cache();
    const QByteArray header = "MPCORB\n\n";
    const QByteArray rule = QByteArray(202, '-') + "\n";
    QByteArray records;
    for (int i = 0; i < 12; ++i)
        records += lines({MpcLines::kVesta});
    records += "\n" + lines({MpcLines::k2019KO2, MpcLines::k2019KO2});

    for (const QByteArray& unusable : {header + records, header + rule + lines({MpcLines::kVesta})}) {
        catalogues.writeBuildFile("MPCORB.DAT", unusable);
        EXPECT_EQ(importApart(true), MinorPlanetTable::Status::OrbitFileUnusable);
        ASSERT_EQ(model.numMinorPlanets(), 10u);
        EXPECT_STREQ(model.minorPlanets()[0].name, "(1) Ceres");
        EXPECT_EQ(cache(), listCache);
    }

    catalogues.writeBuildFile("MPCORB.DAT", header + rule + records);
    EXPECT_EQ(importApart(false), MinorPlanetTable::Status::Built);
    ASSERT_EQ(model.numMinorPlanets(), 12u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tables.isWritingCache(); }, 60000));
    EXPECT_EQ(cache().size(), qsizetype(12 * sizeof(minorPlanet)));
    EXPECT_EQ(importApart(true), MinorPlanetTable::Status::Built);
    ASSERT_EQ(model.numMinorPlanets(), 14u);
    model.calculateStarPositions(true);
    EXPECT_NEAR(double(model.minorPlanets()[0].geoDistance) / kKmPerAU, 3.185058355, 1e-5);
    EXPECT_GT(float(model.minorPlanets()[13].geoDistance), 0.0f);
}

// The worker's table is drawn before it is cached: the cache written while
// the chart passes over the table is the one an import here writes, and a
// write that fails keeps the new table and the old cache, and says so.
TEST_F(SolarSystemModelTest, AnOrbitFileImportedApartIsDrawnFirstAndCachedAsImported)
{
    writeLargeOrbitFile();
    SmallBodyTables& tables = solarSystem->smallBodies();
    const QString cachePath = model.databaseDirectory() + "MinorPlanets.tvk";
    const auto cache = [&] {
        QFile file(cachePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    ASSERT_EQ(tables.importMinorPlanets(true, true, true).status, MinorPlanetTable::Status::Built);
    const QByteArray importedHere = cache();
    const QByteArray lists = [&] {
        EXPECT_EQ(tables.importMinorPlanets(true, false, false).status, MinorPlanetTable::Status::Built);
        return cache();
    }();

    MinorPlanetTable::Import import = tables.orbitFileImport(true)({}, {});
    ASSERT_EQ(tables.adoptMinorPlanets(import).status, MinorPlanetTable::Status::Built);
    for (int step = 0; step < 3; ++step) {
        skyDate->calculateDate(std::nullopt, 600.0);
        EXPECT_FALSE(chart().empty());
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tables.isWritingCache(); }, 60000));
    EXPECT_EQ(cache(), importedHere);
    EXPECT_TRUE(recorder.alerts.empty());

    // A replacement waits for the write: the lists' table and cache are the last word.
    import = tables.orbitFileImport(true)({}, {});
    ASSERT_EQ(tables.adoptMinorPlanets(import).status, MinorPlanetTable::Status::Built);
    ASSERT_EQ(tables.importMinorPlanets(true, false, false).status, MinorPlanetTable::Status::Built);
    EXPECT_EQ(model.numMinorPlanets(), 10u);
    EXPECT_EQ(cache(), lists);

    import = tables.orbitFileImport(true)({}, {});
    {
        const FileSizeLimit limit(4096);
        ASSERT_EQ(tables.adoptMinorPlanets(import).status, MinorPlanetTable::Status::Built);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !tables.isWritingCache(); }, 60000));
    }
    EXPECT_EQ(model.numMinorPlanets(), SmallBodyPositions::kParallelThreshold);
    EXPECT_EQ(cache(), lists);
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].message, "Can not write minor planet data.");
}

// The worker's import also makes the new table's first pass, so that the
// interface thread's pass computes only what can show: the chart it draws,
// an hour later, is the one a table imported here and passed whole draws.
TEST_F(SolarSystemModelTest, AFirstPassMadeOnTheWorkerLeavesTheChartAsAWholePassDoes)
{
    prefs().setCometMagLimit(12.0);
    writeLargeOrbitFile();
    SmallBodyTables& tables = solarSystem->smallBodies();

    // The chart's limit and switches, which the worker's pass takes, are those of its last pass.
    model.calculateStarPositions(true);
    MinorPlanetTable::Import import = tables.orbitFileImport(true)({}, {});
    ASSERT_EQ(import.watches.size(), SmallBodyPositions::kParallelThreshold);
    skyDate->calculateDate(std::nullopt, 3600.0);
    ASSERT_EQ(tables.adoptMinorPlanets(import).status, MinorPlanetTable::Status::Built);
    const std::vector<minorPlanet> apart = chart();
    ASSERT_EQ(tables.importMinorPlanets(true, true, true).status, MinorPlanetTable::Status::Built);
    const std::vector<minorPlanet> whole = chart();
    ASSERT_FALSE(whole.empty());
    EXPECT_TRUE(sameChart(apart, whole));
}

// A large table's pass keeps the orbits of the bodies it lets through for the
// next; a new table of as many orbits, the same bodies bright, must not be
// placed on the old one's orbits.
TEST_F(SolarSystemModelTest, ANewLargeTableIsPlacedOnItsOwnOrbits)
{
    prefs().setCometMagLimit(12.0);
    writeLargeOrbitFile();
    SmallBodyTables& tables = solarSystem->smallBodies();
    ASSERT_EQ(tables.importMinorPlanets(true, true, true).status, MinorPlanetTable::Status::Built);
    const std::vector<minorPlanet> first = chart();
    ASSERT_FALSE(first.empty());

    // Another plane and node for every orbit, in the same columns.
    QByteArray turned = largeOrbitFile(SmallBodyPositions::kParallelThreshold);
    turned.replace("103.70232    7.14406", "203.70232   17.14406");
    catalogues.writeBuildFile("MPCORB.DAT", turned);
    ASSERT_EQ(tables.importMinorPlanets(true, true, true).status, MinorPlanetTable::Status::Built);
    const std::vector<minorPlanet> imported = chart();
    ASSERT_EQ(tables.importMinorPlanets(false, false, false).status, MinorPlanetTable::Status::Loaded);
    const std::vector<minorPlanet> loaded = chart();
    ASSERT_FALSE(loaded.empty());
    EXPECT_TRUE(sameChart(imported, loaded));
    EXPECT_NE(first[0].ra, loaded[0].ra);
}

// At start a large cache is read on a worker once the chart shows: the chart
// has no minor planets meanwhile, then the same as after a load made here; a
// table put in place meanwhile is not replaced by the older cache.
TEST_F(SolarSystemModelTest, ALargeCacheReadApartDrawsTheChartAsALoadHereAndNeverOverwritesANewerTable)
{
    const std::size_t fromLists = model.numMinorPlanets();
    prefs().setCometMagLimit(12.0);
    writeLargeOrbitFile();
    SmallBodyTables& tables = solarSystem->smallBodies();
    ASSERT_EQ(tables.importMinorPlanets(true, true, true).status, MinorPlanetTable::Status::Built);
    int loadedApart = 0;
    tables.setLoadsLargeCacheApart([&] { ++loadedApart; });

    model.setupDatabase(catalogues.folders());
    EXPECT_EQ(model.numMinorPlanets(), 0u);
    EXPECT_TRUE(chart().empty());
    tables.loadPendingApart();
    ASSERT_TRUE(QTest::qWaitFor([&] { return loadedApart == 1; }, 60000));
    EXPECT_FALSE(tables.isLoadingApart());
    ASSERT_EQ(model.numMinorPlanets(), SmallBodyPositions::kParallelThreshold);
    skyDate->calculateDate(std::nullopt, 3600.0);
    const std::vector<minorPlanet> apart = chart();
    ASSERT_EQ(tables.importMinorPlanets(false, false, false).status, MinorPlanetTable::Status::Loaded);
    const std::vector<minorPlanet> here = chart();
    ASSERT_FALSE(here.empty());
    EXPECT_TRUE(sameChart(apart, here));

    model.setupDatabase(catalogues.folders());
    tables.loadPendingApart();
    ASSERT_EQ(tables.importMinorPlanets(true, false, false).status, MinorPlanetTable::Status::Built);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tables.isLoadingApart(); }, 60000));
    QCoreApplication::processEvents();
    EXPECT_EQ(loadedApart, 1);
    EXPECT_EQ(model.numMinorPlanets(), fromLists);
}

// A large table is let go while an orbit file is imported, so that the two
// never fill memory together; an import that brings no table reads the old
// one back from its cache.
TEST_F(SolarSystemModelTest, AnImportLetsALargeTableGoAndAFailedOneReadsItBack)
{
    writeLargeOrbitFile();
    SmallBodyTables& tables = solarSystem->smallBodies();
    ASSERT_EQ(tables.importMinorPlanets(true, true, true).status, MinorPlanetTable::Status::Built);
    const std::vector<minorPlanet> before(model.minorPlanets().begin(), model.minorPlanets().end());

    MinorPlanetImporter::Work work = tables.orbitFileImport(true);
    EXPECT_EQ(model.numMinorPlanets(), 0u);
    catalogues.writeBuildFile("MPCORB.DAT", "no orbits here\n");
    MinorPlanetTable::Import failed = work({}, {});
    EXPECT_EQ(tables.adoptMinorPlanets(failed).status, MinorPlanetTable::Status::OrbitFileUnusable);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !tables.isLoadingApart(); }, 60000));
    ASSERT_EQ(model.numMinorPlanets(), before.size());
    for (std::size_t i = 0; i < before.size(); i += 997) {
        EXPECT_STREQ(model.minorPlanets()[i].name, before[i].name);
        EXPECT_EQ(model.minorPlanets()[i].meanAnomaly, before[i].meanAnomaly);
    }
    model.calculateStarPositions(true);
    EXPECT_TRUE(solarSystem->minorPlanetsOnScreen().has_value());

    writeLargeOrbitFile();
    work = tables.orbitFileImport(true);
    EXPECT_EQ(model.numMinorPlanets(), 0u);
    MinorPlanetTable::Import built = work({}, {});
    EXPECT_EQ(tables.adoptMinorPlanets(built).status, MinorPlanetTable::Status::Built);
    EXPECT_FALSE(tables.isLoadingApart());
    EXPECT_EQ(model.numMinorPlanets(), before.size());
}

TEST_F(SolarSystemModelTest, APanRecomputesNoBodyAndANewTimeDoes)
{
    model.calculateStarPositions(true);
    for (const bool newTime : {false, true}) {
        model.planets()[3].ra = model.comets()[0].ra = model.minorPlanets()[0].ra = 9.0f;
        if (newTime)
            skyDate->calculateDate(std::nullopt, 3600.0);
        else
            prefs().setAzimuth(prefs().azimuth() + 30.0);
        model.calculateStarPositions(false);
        EXPECT_EQ(float(model.planets()[3].ra) != 9.0f, newTime);
        EXPECT_EQ(float(model.comets()[0].ra) != 9.0f, newTime);
        EXPECT_EQ(float(model.minorPlanets()[0].ra) != 9.0f, newTime);
    }
}

TEST_F(SolarSystemModelTest, PathOfTheSelectedBodyIsTheModelsPath)
{
    prefs().setIsPath();
    model.calculateStarPositions(true);
    model.calculateStarPositions(true);

    // Jupiter: point 9 of the default path (200 days, 75 %) is the sky date.
    prefs().setFindIndex(kPlanetIndexBase + 4);
    const float jupiterRA = model.planets()[4].ra;
    solarSystem->calculatePlanetPath();
    EXPECT_TRUE(model.hasPlanetPath());
    const planet& jupiter = model.planets()[4];
    const auto apart = [](const auto& a, const auto& b) {
        return std::hypot(double(a.vecX) - double(b.vecX), double(a.vecY) - double(b.vecY),
                          double(a.vecZ) - double(b.vecZ));
    };
    EXPECT_LT(apart(model.planetPaths()[9], jupiter), 1e-9);
    EXPECT_GT(apart(model.planetPaths()[39], jupiter), 1e-3);
    EXPECT_EQ(float(jupiter.ra), jupiterRA);  // the forced pass that ends the path restores the sky date's records

    // A comet's point at the sky date is its own place; a star has no path.
    prefs().setFindIndex(kCometIndexBase + 0);
    solarSystem->calculatePlanetPath();
    EXPECT_LT(apart(model.planetPaths()[9], model.comets()[0]), 1e-12);
    prefs().setFindIndex(kStarIndexBase + 5);
    solarSystem->calculatePlanetPath();
    EXPECT_FALSE(model.hasPlanetPath());
}

// Callisto and Iapetus stand off the planet's centre within their orbits' radii (26.4 and about 59 radii).
TEST_F(SolarSystemModelTest, SatellitesFromThePlanetaryPass)
{
    model.calculateStarPositions(true);
    solarSystem->calculateJupiterSatellites();
    solarSystem->calculateSaturnSatellites();
    EXPECT_GE(solarSystem->jupIIlong(), 0.0);
    EXPECT_LT(solarSystem->jupIIlong(), 360.0);
    const double callisto = std::hypot(solarSystem->jupiterSatX()[3], solarSystem->jupiterSatY()[3]);
    const double iapetus = std::hypot(solarSystem->saturnSatX()[7], solarSystem->saturnSatY()[7]);
    EXPECT_TRUE(callisto > 0.1 && callisto < 26.8) << callisto;
    EXPECT_TRUE(iapetus > 0.1 && iapetus < 61.0) << iapetus;
}

TEST_F(SolarSystemModelTest, TrackedBodiesMoveTheTelescopeViewWithoutAMount)
{
    RecordingTracking tracking;
    solarSystem->setTelescopeTracking(&tracking);
    tracking.tracked = kPlanetIndexBase + 4;
    model.calculateStarPositions(true);
    ASSERT_EQ(tracking.places.size(), 1u);
    EXPECT_EQ(float(tracking.places[0][0]), float(model.planets()[4].ra));
    tracking.tracked = kMinorPlanetIndexBase + 1;
    model.calculateStarPositions(true);
    ASSERT_EQ(tracking.places.size(), 2u);
    EXPECT_EQ(float(tracking.places[1][1]), float(model.minorPlanets()[1].dec));
    tracking.connected = true;
    model.calculateStarPositions(true);
    EXPECT_EQ(tracking.places.size(), 2u);
}

}  // namespace
