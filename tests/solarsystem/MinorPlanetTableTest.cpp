#include "model/records/TvkFile.h"
#include "solarsystem/ElementFolders.h"
#include "solarsystem/smallbodies/MinorPlanetTable.h"
#include "solarsystem/MpcLines.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <string>

namespace {

using MinorPlanetTable::Status;

std::string patched(std::string_view line, std::size_t column, std::string_view text)
{
    std::string s(line);
    s.replace(column - 1, text.size(), text);
    return s;
}

std::string repeated(std::string_view line, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += line;
        text += '\n';
    }
    return text;
}

std::string orbitFile(int numbered, int unnumbered)
{
    std::string text = "MPCORB\n\n" + std::string(202, '-') + "\n";
    return text + repeated(MpcLines::kCeres, numbered) + "\n" + repeated(MpcLines::k2019KO2, unnumbered);
}

class MinorPlanetTableTest : public ElementFolders {
protected:
    QString cachePath() const { return databaseDirectory() + "MinorPlanets.tvk"; }
    void write(const char* name, const std::string& text) const { writeBuildFile(name, text); }
    QByteArray cacheBytes() const { return databaseFile("MinorPlanets.tvk"); }

    // Twelve bright lines, two of them rejected, and five unusual ones.
    void writeLists() const
    {
        std::string bright = repeated(MpcLines::kCeres, 5);
        bright += patched(MpcLines::kVesta, 24, "0") + "\n";  // month 0
        bright += repeated(MpcLines::kVesta, 4);
        bright += std::string(MpcLines::kVesta.substr(0, 50)) + "\n";  // too short
        bright += repeated(MpcLines::kVesta, 1);
        write("Soft00Bright.txt", bright);
        write("Soft00Unusual.txt", repeated(MpcLines::kEros, 5));
    }

    Status create(MinorPlanetTable::Request request)
    {
        return MinorPlanetTable::createMinorPlanetData(request, buildDirectory(), databaseDirectory(),
                                                       table);
    }

    static MinorPlanetTable::Request orbitRequest(bool allOrbits)
    {
        MinorPlanetTable::Request r;
        r.rebuild = true;
        r.useOrbitFile = true;
        r.allOrbits = allOrbits;
        r.processorCount = 3;
        return r;
    }

    void expectOneAlert(const char* message) const
    {
        ElementFolders::expectOneAlert("Startup Error", message);
    }

    std::vector<minorPlanet> table;
};

TEST_F(MinorPlanetTableTest, ListsGiveBrightThenUnusualWithoutGaps)
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
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(MinorPlanetTableTest, TheCacheIsLoadedUnlessARebuildIsAsked)
{
    writeLists();
    ASSERT_EQ(create({}), Status::Built);
    write("Soft00Unusual.txt", repeated(MpcLines::kEros, 9));
    EXPECT_EQ(create({}), Status::Loaded);
    EXPECT_EQ(table.size(), 15u);
    MinorPlanetTable::Request rebuild;
    rebuild.rebuild = true;
    EXPECT_EQ(create(rebuild), Status::Built);
    EXPECT_EQ(table.size(), 19u);
}

TEST_F(MinorPlanetTableTest, CacheOfFewerThanTenRecordsIsRefused)
{
    std::vector<minorPlanet> nine(9);
    ASSERT_TRUE(TvkFile::save<minorPlanet>(cachePath(), nine));
    writeLists();
    EXPECT_EQ(create({}), Status::Failed);
    expectOneAlert("Minor Planet number error.");
    EXPECT_TRUE(table.empty());
}

TEST_F(MinorPlanetTableTest, UnreadableUnusualListLeavesTheBrightOne)
{
    writeLists();
    ASSERT_TRUE(QFile::remove(buildDirectory() + "Soft00Unusual.txt"));
    EXPECT_EQ(create({}), Status::Built);
    expectOneAlert("Can not open NEO file.");
    EXPECT_EQ(table.size(), 10u);
}

TEST_F(MinorPlanetTableTest, UnreadableBrightListChangesNothing)
{
    write("Soft00Unusual.txt", repeated(MpcLines::kEros, 12));
    table.resize(3);
    EXPECT_EQ(create({}), Status::Failed);
    expectOneAlert("Can not open MP file.");
    EXPECT_EQ(table.size(), 3u);
}

TEST_F(MinorPlanetTableTest, FewerThanTenListLinesChangeNothingSilently)
{
    write("Soft00Bright.txt", repeated(MpcLines::kCeres, 6));
    write("Soft00Unusual.txt", repeated(MpcLines::kEros, 3));
    table.resize(3);
    EXPECT_EQ(create({}), Status::Failed);
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(table.size(), 3u);
    write("Soft00Unusual.txt", repeated(MpcLines::kEros, 4));
    EXPECT_EQ(create({}), Status::Built);
    EXPECT_EQ(table.size(), 10u);
}

TEST_F(MinorPlanetTableTest, OrbitFileAllOrbits)
{
    write("MPCORB.DAT", orbitFile(20, 7));
    std::vector<double> progress;
    MinorPlanetTable::Request request = orbitRequest(true);
    request.progress = [&](double percent) { progress.push_back(percent); };
    EXPECT_EQ(create(request), Status::Built);
    ASSERT_EQ(table.size(), 27u);
    EXPECT_EQ(table[19].source, kMPSourceNumbered);
    EXPECT_EQ(table[20].source, kMPSourceUnnumbered);
    EXPECT_EQ(cacheBytes().size(), qsizetype(27 * sizeof(minorPlanet)));
    EXPECT_FALSE(progress.empty());
}

TEST_F(MinorPlanetTableTest, OrbitFileNumberedOnly)
{
    write("MPCORB.DAT", orbitFile(20, 7));
    EXPECT_EQ(create(orbitRequest(false)), Status::Built);
    EXPECT_EQ(table.size(), 20u);
}

TEST_F(MinorPlanetTableTest, OrbitFileIsReadOnlyOnARebuild)
{
    writeLists();
    write("MPCORB.DAT", orbitFile(20, 7));
    MinorPlanetTable::Request request = orbitRequest(true);
    request.rebuild = false;
    EXPECT_EQ(create(request), Status::Built);
    EXPECT_EQ(table.size(), 15u);
}

TEST_F(MinorPlanetTableTest, UnusableOrbitFileChangesNothingAndSaysSo)
{
    writeLists();
    ASSERT_EQ(create({}), Status::Built);
    const QByteArray cache = cacheBytes();

    EXPECT_EQ(create(orbitRequest(true)), Status::OrbitFileUnusable);  // missing
    std::string noRule = orbitFile(20, 7);
    noRule.replace(noRule.find("-----"), 5, "=====");
    write("MPCORB.DAT", noRule);
    EXPECT_EQ(create(orbitRequest(true)), Status::OrbitFileUnusable);
    write("MPCORB.DAT", orbitFile(5, 0));
    EXPECT_EQ(create(orbitRequest(true)), Status::OrbitFileUnusable);

    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(table.size(), 15u);
    EXPECT_EQ(cacheBytes(), cache);
}

TEST_F(MinorPlanetTableTest, UnwritableCacheIsReportedAndTheTableStands)
{
    writeLists();
    ASSERT_TRUE(QDir(databaseDirectory()).removeRecursively());
    EXPECT_EQ(create({}), Status::CacheNotWritten);
    expectOneAlert("Can not write minor planet data.");
    EXPECT_EQ(table.size(), 15u);
}

}  // namespace
