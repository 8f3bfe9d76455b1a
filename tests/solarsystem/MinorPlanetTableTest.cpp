#include "model/records/TvkFile.h"
#include "solarsystem/ElementFolders.h"
#include "solarsystem/smallbodies/MinorPlanetTable.h"
#include "solarsystem/MpcLines.h"
#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <new>
#include <string>

namespace {

using MinorPlanetTable::Status;

std::string repeated(std::string_view line, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        (text += line) += '\n';
    return text;
}

std::string orbitFile(int numbered, int unnumbered)
{
    return "MPCORB\n\n" + std::string(202, '-') + "\n" + repeated(MpcLines::kCeres, numbered) + "\n"
        + repeated(MpcLines::k2019KO2, unnumbered);
}

class MinorPlanetTableTest : public ElementFolders {
protected:
    QByteArray cacheBytes() const { return databaseFile("MinorPlanets.tvk"); }

    // Twelve bright lines, of which a month 0 and a short line are rejected, and five unusual ones.
    void writeLists() const
    {
        std::string vesta(MpcLines::kVesta);
        writeBuildFile("Soft00Bright.txt", repeated(MpcLines::kCeres, 5) + repeated(vesta.replace(23, 1, "0"), 1)
                                               + repeated(MpcLines::kVesta, 4)
                                               + repeated(MpcLines::kVesta.substr(0, 50), 1)
                                               + repeated(MpcLines::kVesta, 1));
        writeBuildFile("Soft00Unusual.txt", repeated(MpcLines::kEros, 5));
    }

    Status create(MinorPlanetTable::Request request)
    {
        return MinorPlanetTable::createMinorPlanetData(request, buildDirectory(), databaseDirectory(), table).status;
    }

    static MinorPlanetTable::Request request(bool rebuild, bool useOrbitFile = false, bool allOrbits = false)
    {
        MinorPlanetTable::Request r;
        r.rebuild = rebuild;
        r.useOrbitFile = useOrbitFile;
        r.allOrbits = allOrbits;
        r.processorCount = 3;
        return r;
    }

    std::vector<minorPlanet> table;
};

TEST_F(MinorPlanetTableTest, ListsGiveBrightThenUnusualWithoutGapsAndACache)
{
    writeLists();
    EXPECT_EQ(create({}), Status::Built);
    ASSERT_EQ(table.size(), 15u);
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].index, i);
        EXPECT_EQ(table[i].source, i < 10 ? kMPSourceBright : kMPSourceUnusual);
    }
    EXPECT_STREQ(table[5].name, "(4) Vesta");
    EXPECT_STREQ(table[14].name, "(433) Eros");
    EXPECT_EQ(cacheBytes().size(), qsizetype(15 * sizeof(minorPlanet)));

    // The cache is loaded unless a rebuild is asked.
    writeBuildFile("Soft00Unusual.txt", repeated(MpcLines::kEros, 9));
    EXPECT_EQ(create({}), Status::Loaded);
    EXPECT_EQ(table.size(), 15u);
    EXPECT_EQ(create(request(true)), Status::Built);
    EXPECT_EQ(table.size(), 19u);
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(MinorPlanetTableTest, CacheOfFewerThanTenRecordsIsRefused)
{
    std::vector<minorPlanet> nine(9);
    ASSERT_TRUE(TvkFile::save<minorPlanet>(databaseDirectory() + "MinorPlanets.tvk", nine));
    writeLists();
    EXPECT_EQ(create({}), Status::Failed);
    expectOneAlert("Startup Error", "Minor Planet number error.");
    EXPECT_TRUE(table.empty());
}

TEST_F(MinorPlanetTableTest, UnreadableListsAndTooFewLines)
{
    writeLists();
    ASSERT_TRUE(QFile::remove(buildDirectory() + "Soft00Unusual.txt"));
    EXPECT_EQ(create({}), Status::Built);
    expectOneAlert("Startup Error", "Can not open NEO file.");
    EXPECT_EQ(table.size(), 10u);

    ASSERT_TRUE(QFile::remove(buildDirectory() + "Soft00Bright.txt"));
    writeBuildFile("Soft00Unusual.txt", repeated(MpcLines::kEros, 12));
    table.resize(3);
    EXPECT_EQ(create(request(true)), Status::Failed);
    expectOneAlert("Startup Error", "Can not open MP file.");
    EXPECT_EQ(table.size(), 3u);

    // Nine list lines change nothing, silently; ten are enough.
    writeBuildFile("Soft00Bright.txt", repeated(MpcLines::kCeres, 6));
    writeBuildFile("Soft00Unusual.txt", repeated(MpcLines::kEros, 3));
    EXPECT_EQ(create(request(true)), Status::Failed);
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(table.size(), 3u);
    writeBuildFile("Soft00Unusual.txt", repeated(MpcLines::kEros, 4));
    EXPECT_EQ(create(request(true)), Status::Built);
    EXPECT_EQ(table.size(), 10u);
}

TEST_F(MinorPlanetTableTest, OrbitFileOnARebuildAllOrNumberedOrbits)
{
    writeLists();
    writeBuildFile("MPCORB.DAT", orbitFile(20, 7));
    EXPECT_EQ(create(request(false, true, true)), Status::Built);  // read only on a rebuild
    EXPECT_EQ(table.size(), 15u);

    std::vector<double> progress;
    MinorPlanetTable::Request all = request(true, true, true);
    all.progress = [&](double percent) { progress.push_back(percent); };
    EXPECT_EQ(create(all), Status::Built);
    ASSERT_EQ(table.size(), 27u);
    EXPECT_EQ(table[19].source, kMPSourceNumbered);
    EXPECT_EQ(table[20].source, kMPSourceUnnumbered);
    EXPECT_EQ(cacheBytes().size(), qsizetype(27 * sizeof(minorPlanet)));
    EXPECT_FALSE(progress.empty());

    EXPECT_EQ(create(request(true, true, false)), Status::Built);
    EXPECT_EQ(table.size(), 20u);

    // Damaged lines are counted for the user, not dropped silently.
    std::string damaged = orbitFile(20, 7);
    damaged.replace(damaged.find("00001"), 40, std::string(40, '#'));
    writeBuildFile("MPCORB.DAT", damaged);
    const MinorPlanetTable::Result counted =
        MinorPlanetTable::createMinorPlanetData(all, buildDirectory(), databaseDirectory(), table);
    EXPECT_EQ(counted.refusedLines, 1u);
    EXPECT_EQ(table.size(), 26u);
}

// A missing or unusable orbit file once fell back to the two lists and
// reported success: now nothing changes and the caller is told.
TEST_F(MinorPlanetTableTest, UnusableOrbitFileChangesNothingAndSaysSo)
{
    writeLists();
    ASSERT_EQ(create({}), Status::Built);
    const QByteArray cache = cacheBytes();
    EXPECT_EQ(create(request(true, true, true)), Status::OrbitFileUnusable);  // missing
    std::string noRule = orbitFile(20, 7);
    noRule.replace(noRule.find("-----"), 5, "=====");
    // Read from the mapped file: a byte above 127 or an empty file is refused as a read one is.
    std::string highByte = orbitFile(20, 7);
    highByte[highByte.size() / 2] = char(0xE9);
    for (const std::string& text : {noRule, orbitFile(5, 0), highByte, std::string()}) {
        writeBuildFile("MPCORB.DAT", text);
        EXPECT_EQ(create(request(true, true, true)), Status::OrbitFileUnusable);
    }
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(table.size(), 15u);
    EXPECT_EQ(cacheBytes(), cache);
}

// An import whose cache cannot be written leaves the table matching the cache on disk.
TEST_F(MinorPlanetTableTest, UnwritableCacheIsReportedAndTheOldTableStays)
{
    writeLists();
    table.resize(3);
    ASSERT_TRUE(QDir(databaseDirectory()).removeRecursively());
    EXPECT_EQ(create({}), Status::CacheNotWritten);
    expectOneAlert("Startup Error", "Can not write minor planet data.");
    EXPECT_EQ(table.size(), 3u);
}

// The cache is written from a table already in use: what the passes wrote
// into it never reaches the file, which is byte for byte the table as
// parsed, across the writer's blocks. A write cut short leaves the old cache.
TEST_F(MinorPlanetTableTest, TheCacheHoldsTheTableAsParsedWhateverThePassesWroteSince)
{
    writeBuildFile("MPCORB.DAT", orbitFile(2100, 40));
    MinorPlanetTable::Import import = MinorPlanetTable::parseOrbitFile(request(true, true, true), buildDirectory());
    ASSERT_EQ(import.result.status, Status::Built);
    ASSERT_EQ(import.table.size(), 2140u);
    EXPECT_FALSE(QFile::exists(databaseDirectory() + "MinorPlanets.tvk"));
    const QByteArray parsed = TvkFile::bytesOf<minorPlanet>(import.table).toByteArray();
    for (minorPlanet& m : import.table) {
        m.mag = m.ra = m.dec = m.geoDistance = m.helioDistance = m.plotLongitude = 1.5f;
        m.state = 3;
        m.vecX = m.vecY = m.vecZ = m.horX = m.horY = m.horZ = 0.5;
        m.screenX = m.screenY = 7.0f;
    }
    ASSERT_TRUE(MinorPlanetTable::writeCache(databaseDirectory(), import.table));
    EXPECT_EQ(cacheBytes(), parsed);

    const QByteArray cache = cacheBytes();
    {
        const FileSizeLimit limit(2048);
        EXPECT_FALSE(MinorPlanetTable::writeCache(databaseDirectory(), import.table));
        EXPECT_EQ(create(request(true, true, true)), Status::CacheNotWritten);
    }
    expectOneAlert("Startup Error", "Can not write minor planet data.");
    EXPECT_EQ(table.size(), 0u);
    EXPECT_EQ(cacheBytes(), cache);
    EXPECT_EQ(QDir(databaseDirectory()).entryList(QDir::Files), QStringList{"MinorPlanets.tvk"});
}

}  // namespace
