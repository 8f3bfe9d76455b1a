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
    bool isCached(int k) const
    {
        return QFile::exists(fixture.folders().databaseDirectory + HorizonTables::cacheName(k));
    }
    QByteArray cache(int k) const
    {
        return CatalogueFixture::readFile(fixture.folders().databaseDirectory +
                                          HorizonTables::cacheName(k));
    }
    void writeText(int k, int points, long long declared, const QByteArray& extra = {}) const
    {
        fixture.writeBuildFile(HorizonTables::textName(k),
                               CatalogueFixture::horizonText(CatalogueFixture::horizonPoints(points),
                                                             declared) + extra);
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
    // 360 + 180 is brought back once, to 180: toward the north.
    EXPECT_NEAR(HorizonTables::makePoint(360.0, 0.0).horX, -1.0, 1e-12);
}

TEST_F(Horizons, TextFillsItsSlotAndIsCachedUntilARebuild)
{
    writeText(2, 12, 12);
    create(false);
    EXPECT_EQ(slots_[2].size(), 12u);
    EXPECT_TRUE(slots_[0].empty());
    EXPECT_EQ(cache(2).size(), 432);

    // The next launch reads the cache and not the text; a rebuild reads the text.
    writeText(2, 20, 20);
    HorizonTables::Slots next;
    HorizonTables::createCustomHorizons(next, fixture.folders().databaseDirectory,
                                        fixture.folders().buildDirectory, false);
    ASSERT_EQ(next[2].size(), 12u);
    EXPECT_EQ(CatalogueFixture::bytesOf(std::span<const AltAzLocn>(next[2])), cache(2));
    create(true);
    EXPECT_EQ(slots_[2].size(), 20u);
    EXPECT_EQ(cache(2).size(), 20 * 36);
}

TEST_F(Horizons, FewerThanTenPointsAreNoHorizon)
{
    fixture.writeDatabaseFile(HorizonTables::cacheName(3), QByteArray(324, '\0'));
    writeText(3, 12, 12);
    create(false);
    EXPECT_TRUE(slots_[3].empty());

    // A text announcing nine, or stopping before ten, leaves the slot as before.
    writeText(0, 12, 12);
    writeText(4, 12, 12);
    create(false);
    QFile::remove(fixture.folders().databaseDirectory + HorizonTables::cacheName(0));
    writeText(0, 9, 9);
    writeText(4, 9, 30);
    create(true);
    EXPECT_EQ(slots_[0].size(), 12u);
    EXPECT_EQ(slots_[4].size(), 12u);
    EXPECT_FALSE(isCached(0));
}

TEST_F(Horizons, TextStoppingEarlyKeepsTheTenOrMorePointsReadButIsNotCached)
{
    writeText(4, 11, 30);
    create(false);
    ASSERT_EQ(slots_[4].size(), 11u);
    EXPECT_FALSE(isCached(4));
    EXPECT_NEAR(slots_[4][10].horZ, -std::sin(6.0 * M_PI / 180.0), 1e-12);
    // A bad line ends the reading as a missing one does.
    writeText(4, 12, 14, "1\t2\t3\n10\t10\n");
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
    EXPECT_FALSE(isCached(2));
}
