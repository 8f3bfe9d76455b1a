#include "model/catalogue/DeepSkyTableBuilder.h"
#include "model/catalogue/StarTableBuilder.h"

#include "CatalogueFixture.h"

#include <gtest/gtest.h>

namespace {

class StarCache : public ::testing::Test {
protected:
    CachedTable<star> table() const
    {
        return StarTableBuilder::table(fixture.folders().databaseDirectory,
                                       fixture.folders().buildDirectory);
    }
    QByteArray cacheBytes() const { return CatalogueFixture::readFile(table().cachePath); }

    // The first `bytes` of the cache of a build of 2000 stars.
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

TEST_F(StarCache, ShortTextOrUnwritableCacheWritesNothing)
{
    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(1999));
    std::vector<star> stars;
    EXPECT_EQ(table().load(stars), QString("Star number error."));
    EXPECT_FALSE(QFile::exists(table().cachePath));
    EXPECT_TRUE(stars.empty());

    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(2000));
    CachedTable<star> unwritable = table();
    unwritable.cachePath = fixture.folders().databaseDirectory + "missing folder/Stars.tvk";
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
}

TEST(DeepSkyCache, AtLeast10000ObjectsAndItsOwnMessages)
{
    CatalogueFixture fixture;
    const QString db = fixture.folders().databaseDirectory;
    const auto table = [&](const QString& folder) {
        return DeepSkyTableBuilder::table(folder, fixture.folders().buildDirectory);
    };
    std::vector<deepSky> objects;
    fixture.writeBuildFile("BuildDeepSky.txt", CatalogueFixture::deepSkyText(9999));
    EXPECT_EQ(table(db).load(objects), QString("Deep Sky number error."));
    EXPECT_FALSE(QFile::exists(db + "DeepSky.tvk"));

    fixture.writeBuildFile("BuildDeepSky.txt", CatalogueFixture::deepSkyText(10000));
    EXPECT_EQ(table(db + "missing folder/").load(objects), QString("Can not write deep sky data."));
    EXPECT_TRUE(objects.empty());

    ASSERT_FALSE(table(db).load(objects));
    const QByteArray cache = CatalogueFixture::readFile(db + "DeepSky.tvk");
    EXPECT_EQ(cache.size(), 1360000);
    EXPECT_EQ(cache, bytesOf(objects));
    fixture.writeDatabaseFile("DeepSky.tvk", cache.left(1359864));
    EXPECT_EQ(table(db).load(objects), QString("Deep Sky number error."));
}
