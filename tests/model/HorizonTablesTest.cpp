#include "model/catalogue/HorizonTables.h"

#include "CatalogueFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class Horizons : public ::testing::Test {
protected:
    void create(bool rebuild)
    {
        HorizonTables::createCustomHorizons(slots_, fixture.folders().databaseDirectory,
                                            fixture.folders().buildDirectory, rebuild);
    }
    QString cachePath(int k) const
    {
        return fixture.folders().databaseDirectory + HorizonTables::cacheName(k);
    }
    void writeText(int k, int points, long long declared) const
    {
        fixture.writeBuildFile(
            HorizonTables::textName(k),
            CatalogueFixture::horizonText(CatalogueFixture::horizonPoints(points), declared));
    }

    CatalogueFixture fixture;
    HorizonTables::Slots slots_;
};

}  // namespace

TEST(HorizonPoint, AzimuthIsTurnedToTheSouth)
{
    const AltAzLocn p = HorizonTables::makePoint(270.0, 10.0);
    EXPECT_NEAR(p.horX, 0.0, 1e-12);
    EXPECT_NEAR(p.horY, std::cos(10.0 * M_PI / 180.0), 1e-12);
    EXPECT_NEAR(p.horZ, -std::sin(10.0 * M_PI / 180.0), 1e-12);
    EXPECT_EQ(p.visible, 0);

    // 360 + 180 is brought back once, to 180: toward the north.
    const AltAzLocn north = HorizonTables::makePoint(360.0, 0.0);
    EXPECT_NEAR(north.horX, -1.0, 1e-12);
    EXPECT_NEAR(north.horY, 0.0, 1e-12);
}

TEST_F(Horizons, TextOfTwelvePointsFillsItsSlotAndIsCached)
{
    writeText(2, 12, 12);
    create(false);
    EXPECT_EQ(slots_[2].size(), 12u);
    EXPECT_TRUE(slots_[0].empty());
    EXPECT_EQ(CatalogueFixture::readFile(cachePath(2)).size(), 432);

    // The next launch reads the cache and not the text.
    writeText(2, 20, 20);
    HorizonTables::Slots next;
    HorizonTables::createCustomHorizons(next, fixture.folders().databaseDirectory,
                                        fixture.folders().buildDirectory, false);
    ASSERT_EQ(next[2].size(), 12u);
    EXPECT_EQ(CatalogueFixture::bytesOf(std::span<const AltAzLocn>(next[2])),
              CatalogueFixture::bytesOf(std::span<const AltAzLocn>(slots_[2])));
}

TEST_F(Horizons, RebuildReadsTheTextsAgain)
{
    writeText(1, 12, 12);
    create(false);
    writeText(1, 15, 15);
    create(true);
    EXPECT_EQ(slots_[1].size(), 15u);
    EXPECT_EQ(CatalogueFixture::readFile(cachePath(1)).size(), 15 * 36);
}

TEST_F(Horizons, CacheOfNinePointsLeavesItsSlotEmptyEvenWithAText)
{
    fixture.writeDatabaseFile(HorizonTables::cacheName(3), QByteArray(324, '\0'));
    writeText(3, 12, 12);
    create(false);
    EXPECT_TRUE(slots_[3].empty());
}

TEST_F(Horizons, TextAnnouncingNinePointsIsIgnored)
{
    writeText(0, 12, 12);
    create(false);
    QFile::remove(cachePath(0));
    writeText(0, 9, 9);
    create(false);
    EXPECT_EQ(slots_[0].size(), 12u);
    EXPECT_FALSE(QFile::exists(cachePath(0)));
}

TEST_F(Horizons, TextStoppingEarlyKeepsTheTenOrMorePointsReadButIsNotCached)
{
    writeText(4, 11, 30);
    create(false);
    ASSERT_EQ(slots_[4].size(), 11u);
    EXPECT_FALSE(QFile::exists(cachePath(4)));
    EXPECT_NEAR(slots_[4][10].horZ, -std::sin(6.0 * M_PI / 180.0), 1e-12);

    // A bad line ends the reading as a missing one does.
    fixture.writeBuildFile(HorizonTables::textName(4),
                           CatalogueFixture::horizonText(CatalogueFixture::horizonPoints(12), 14) +
                               "1\t2\t3\n10\t10\n");
    create(true);
    EXPECT_EQ(slots_[4].size(), 12u);
}

TEST_F(Horizons, TextStoppingBeforeTenPointsLeavesTheSlotAsBefore)
{
    writeText(4, 12, 12);
    create(false);
    writeText(4, 9, 30);
    create(true);
    EXPECT_EQ(slots_[4].size(), 12u);
}

TEST_F(Horizons, AbsurdCountsAreNoHorizon)
{
    writeText(1, 12, -12);
    writeText(2, 12, 5'000'000'000'000LL);
    create(false);
    EXPECT_TRUE(slots_[1].empty());
    EXPECT_EQ(slots_[2].size(), 12u);
    EXPECT_FALSE(QFile::exists(cachePath(2)));
}
