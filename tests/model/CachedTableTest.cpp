#include "model/catalogue/DeepSkyTableBuilder.h"
#include "model/catalogue/StarTableBuilder.h"

#include "CatalogueFixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class StarCache : public ::testing::Test {
protected:
    CachedTable<star> table() const
    {
        return StarTableBuilder::table(fixture.folders().databaseDirectory,
                                       fixture.folders().buildDirectory);
    }
    QByteArray cacheBytes() const { return CatalogueFixture::readFile(table().cachePath); }

    // A valid cache of `count` stars: the first records of a build of 2000.
    QByteArray builtCache(int bytes)
    {
        fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(2000));
        std::vector<star> stars;
        EXPECT_FALSE(table().build(stars));
        return cacheBytes().left(bytes);
    }

    CatalogueFixture fixture;
};

template <class Record>
QByteArray bytesOf(const std::vector<Record>& records)
{
    return CatalogueFixture::bytesOf(std::span<const Record>(records));
}

}  // namespace

TEST_F(StarCache, BuildWritesTheRecordsThatALaterLoadReadsBack)
{
    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(2000));
    std::vector<star> built;
    ASSERT_FALSE(table().load(built));
    ASSERT_EQ(built.size(), 2000u);
    EXPECT_EQ(cacheBytes().size(), 2000 * 148);
    EXPECT_EQ(cacheBytes(), bytesOf(built));

    // The source is no longer read once the cache exists.
    fixture.writeBuildFile("BuildStar.txt", "garbage\n");
    std::vector<star> loaded;
    ASSERT_FALSE(table().load(loaded));
    EXPECT_EQ(bytesOf(loaded), bytesOf(built));
}

TEST_F(StarCache, LoadNeedsAtLeast2000Stars)
{
    fixture.writeDatabaseFile("Stars.tvk", builtCache(295852));
    std::vector<star> stars;
    EXPECT_EQ(table().load(stars), QString("Star number error."));
    EXPECT_TRUE(stars.empty());

    fixture.writeDatabaseFile("Stars.tvk", builtCache(296000));
    ASSERT_FALSE(table().load(stars));
    EXPECT_EQ(stars.size(), 2000u);
}

TEST_F(StarCache, TrailingPartialRecordIsIgnored)
{
    QByteArray bytes = builtCache(296000);
    fixture.writeDatabaseFile("Stars.tvk", bytes + QByteArray(147, 'x'));
    std::vector<star> stars;
    ASSERT_FALSE(table().load(stars));
    EXPECT_EQ(bytesOf(stars), bytes);
}

TEST_F(StarCache, ShortTextWritesNoCache)
{
    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(100));
    std::vector<star> stars;
    EXPECT_EQ(table().load(stars), QString("Star number error."));
    EXPECT_FALSE(QFile::exists(table().cachePath));
    EXPECT_TRUE(stars.empty());

    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(1999));
    EXPECT_EQ(table().load(stars), QString("Star number error."));
    EXPECT_FALSE(QFile::exists(table().cachePath));
}

TEST_F(StarCache, MissingSourceAndCacheCannotOpenTheRequiredFile)
{
    std::vector<star> stars;
    EXPECT_EQ(table().load(stars), QString("Can not open required file."));
}

TEST_F(StarCache, CacheThatCannotBeWrittenFailsTheBuild)
{
    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(2000));
    CachedTable<star> unwritable = table();
    unwritable.cachePath = fixture.folders().databaseDirectory + "missing folder/Stars.tvk";
    std::vector<star> stars;
    EXPECT_EQ(unwritable.load(stars), QString("Can not write star data."));
    EXPECT_TRUE(stars.empty());
}

TEST_F(StarCache, FailedBuildLeavesTheOldCacheAndTableAsTheyWere)
{
    const QByteArray old = builtCache(296000);
    std::vector<star> stars;
    ASSERT_FALSE(table().load(stars));
    const QByteArray before = bytesOf(stars);

    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(2500, 2501));
    EXPECT_EQ(table().build(stars), QString("Can not build star data."));
    EXPECT_EQ(cacheBytes(), old);
    EXPECT_EQ(bytesOf(stars), before);

    QFile::remove(table().sourcePath);
    EXPECT_EQ(table().build(stars), QString("Can not open required file."));
    EXPECT_EQ(cacheBytes(), old);
    EXPECT_EQ(bytesOf(stars), before);
}

TEST(DeepSkyCache, BuildAndLoadAtTheMinimumOf10000Objects)
{
    CatalogueFixture fixture;
    const CachedTable<deepSky> table = DeepSkyTableBuilder::table(
        fixture.folders().databaseDirectory, fixture.folders().buildDirectory);
    fixture.writeBuildFile("BuildDeepSky.txt", CatalogueFixture::deepSkyText(10000));
    std::vector<deepSky> objects;
    ASSERT_FALSE(table.load(objects));
    const QByteArray cache = CatalogueFixture::readFile(table.cachePath);
    EXPECT_EQ(cache.size(), 1360000);
    EXPECT_EQ(cache, bytesOf(objects));

    fixture.writeDatabaseFile("DeepSky.tvk", cache.left(1359864));
    EXPECT_EQ(table.load(objects), QString("Deep Sky number error."));
}

TEST(DeepSkyCache, ShortTextWritesNoCache)
{
    CatalogueFixture fixture;
    const CachedTable<deepSky> table = DeepSkyTableBuilder::table(
        fixture.folders().databaseDirectory, fixture.folders().buildDirectory);
    fixture.writeBuildFile("BuildDeepSky.txt", CatalogueFixture::deepSkyText(9999));
    std::vector<deepSky> objects;
    EXPECT_EQ(table.load(objects), QString("Deep Sky number error."));
    EXPECT_FALSE(QFile::exists(table.cachePath));
}

TEST(DeepSkyCache, CacheThatCannotBeWrittenFailsTheBuild)
{
    CatalogueFixture fixture;
    const CachedTable<deepSky> table = DeepSkyTableBuilder::table(
        fixture.folders().databaseDirectory + "missing folder/", fixture.folders().buildDirectory);
    fixture.writeBuildFile("BuildDeepSky.txt", CatalogueFixture::deepSkyText(10000));
    std::vector<deepSky> objects;
    EXPECT_EQ(table.load(objects), QString("Can not write deep sky data."));
    EXPECT_TRUE(objects.empty());
}
