#include "model/records/TvkFile.h"
#include "solarsystem/smallbodies/CometTable.h"
#include "solarsystem/ElementFolders.h"
#include "solarsystem/MpcLines.h"
#include "support/FileSizeLimit.h"
#include "support/FullFileSystem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <string>

namespace {

class CometTableTest : public ElementFolders {
protected:
    QString cachePath() const { return databaseDirectory() + "Comets.tvk"; }
    QByteArray cacheBytes() const { return databaseFile("Comets.tvk"); }

    // `count` comets, Encke, Hale-Bopp and the 73P fragment in turn, as the element file.
    void writeElements(int count, const std::string& tail = {}) const
    {
        const std::string_view lines[] = {MpcLines::kEncke, MpcLines::kHaleBopp, MpcLines::kSchwassmannWachmannT};
        std::string text;
        for (int i = 0; i < count; ++i)
            (text += lines[i % 3]) += '\n';
        writeBuildFile("Soft00Cmt.txt", text + tail);
    }

    bool create(bool rebuild)
    {
        return CometTable::createCometData(rebuild, buildDirectory(), databaseDirectory(), comets);
    }

    std::vector<comet> comets;
};

TEST_F(CometTableTest, ImportWritesTheCacheThatTheNextStartLoadsAndARebuildRewrites)
{
    writeElements(12);
    ASSERT_TRUE(create(false));
    ASSERT_EQ(comets.size(), 12u);
    EXPECT_EQ(cacheBytes().size(), qsizetype(12 * sizeof(comet)));

    writeElements(15);  // ignored while the cache can be read
    std::vector<comet>().swap(comets);
    ASSERT_TRUE(create(false));
    ASSERT_EQ(comets.size(), 12u);
    EXPECT_STREQ(comets[1].name, "C/1995 O1 (Hale-Bopp)");
    EXPECT_EQ(comets[11].index, 11u);

    ASSERT_TRUE(create(true));
    EXPECT_EQ(comets.size(), 15u);
    EXPECT_EQ(cacheBytes().size(), qsizetype(15 * sizeof(comet)));
    EXPECT_TRUE(recorder.alerts.empty());
}

// Ten records are the least a cache may hold; a trailing partial record is ignored.
TEST_F(CometTableTest, CacheOfTenRecordsIsTakenAndOfNineRefused)
{
    std::vector<comet> nine(9);
    ASSERT_TRUE(TvkFile::save<comet>(cachePath(), nine));
    writeElements(12);
    comets.resize(4);
    EXPECT_FALSE(create(false));
    expectOneAlert("Startup Failed", "Comet database error.");
    EXPECT_EQ(comets.size(), 4u);

    std::vector<comet> ten(10);
    ten[9].index = 9;
    ASSERT_TRUE(TvkFile::save<comet>(cachePath(), ten));
    QFile f(cachePath());
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("partial");
    f.close();
    ASSERT_TRUE(create(false));
    ASSERT_EQ(comets.size(), 10u);
    EXPECT_EQ(comets[9].index, 9u);
}

TEST_F(CometTableTest, MissingNonAsciiOrMalformedElementFile)
{
    EXPECT_FALSE(create(false));
    expectOneAlert("Startup Error", "Can not open comet database file.");

    std::string accented(MpcLines::kEncke);
    accented[110] = char(0xE9);
    writeElements(12, accented + "\n");
    EXPECT_FALSE(create(false));
    expectOneAlert("Startup Error", "Can not open comet database file.");

    writeElements(12, "\n");
    EXPECT_FALSE(create(false));
    expectOneAlert("Comet database error", "Format error in comet build data file.");
}

// A failed import once replaced the table while the count kept the old value.
TEST_F(CometTableTest, FailedImportKeepsTableAndCache)
{
    writeElements(12);
    ASSERT_TRUE(create(false));
    const QByteArray cache = cacheBytes();
    std::string badLine(MpcLines::kEncke);
    badLine.replace(19, 2, "13");  // month 13
    writeElements(5, badLine + "\n");
    EXPECT_FALSE(create(true));
    expectOneAlert("Startup Error", "Comet database build error.");
    ASSERT_EQ(comets.size(), 12u);
    EXPECT_EQ(comets[11].index, 11u);
    EXPECT_EQ(cacheBytes(), cache);
}

// A cache write that failed left the new table in memory, unlike the cache on disk.
TEST_F(CometTableTest, ACacheThatCannotBeWrittenKeepsTheOldTableAndCache)
{
    writeElements(12);
    ASSERT_TRUE(create(false));
    const QByteArray cache = cacheBytes();
    writeElements(15);
    {
        const FileSizeLimit limit(rlim_t(cache.size()));  // room for 12 records, not 15
        EXPECT_FALSE(create(true));
    }
    expectOneAlert("Startup Error", "Can not write comet data.");
    EXPECT_EQ(comets.size(), 12u);
    EXPECT_EQ(cacheBytes(), cache);

    ASSERT_TRUE(QDir(databaseDirectory()).removeRecursively());
    EXPECT_FALSE(create(true));
    expectOneAlert("Startup Error", "Can not write comet data.");
    EXPECT_EQ(comets.size(), 12u);
}

TEST_F(CometTableTest, AFullDiskKeepsTheOldTableAndCache)
{
    const FullFileSystem disk(databaseDirectory());
    if (!disk.isMounted())
        GTEST_SKIP() << "No right to mount a small file system here.";
    writeElements(12);
    ASSERT_TRUE(create(false));
    const QByteArray cache = cacheBytes();
    disk.fill();
    writeElements(15);
    EXPECT_FALSE(create(true));
    expectOneAlert("Startup Error", "Can not write comet data.");
    EXPECT_EQ(comets.size(), 12u);
    EXPECT_EQ(cacheBytes(), cache);
}

}  // namespace
