#include "model/catalogue/GridTables.h"

#include "CatalogueFixture.h"

#include <gtest/gtest.h>

TEST(RAGrid, LengthsFrom182640To182699BytesGive3044Points)
{
    CatalogueFixture fixture;
    std::vector<RALocn> points;
    for (int length : {182640, 182699}) {
        fixture.writeTvkFile("RAGrid.tvk", QByteArray(length, '\0'));
        EXPECT_FALSE(GridTables::loadRAGrid(fixture.folders().tvkDirectory, points)) << length;
        EXPECT_EQ(points.size(), 3044u);
    }
}

TEST(RAGrid, OtherLengthsAreRefused)
{
    CatalogueFixture fixture;
    std::vector<RALocn> points;
    for (int length : {182639, 182700, 0}) {
        fixture.writeTvkFile("RAGrid.tvk", QByteArray(length, '\0'));
        EXPECT_EQ(GridTables::loadRAGrid(fixture.folders().tvkDirectory, points),
                  QString("Can not build RA Grid data."))
            << length;
    }
    QFile::remove(fixture.folders().tvkDirectory + "RAGrid.tvk");
    EXPECT_EQ(GridTables::loadRAGrid(fixture.folders().tvkDirectory, points),
              QString("Can not build RA Grid data."));
    EXPECT_TRUE(points.empty());
}

TEST(AltAzGrid, LengthsFrom112104To112139BytesGive3114Points)
{
    CatalogueFixture fixture;
    std::vector<AltAzLocn> points;
    for (int length : {112104, 112139}) {
        fixture.writeTvkFile("AltAzGrid.tvk", QByteArray(length, '\0'));
        EXPECT_FALSE(GridTables::loadAltAzGrid(fixture.folders().tvkDirectory, points)) << length;
        EXPECT_EQ(points.size(), 3114u);
    }
}

TEST(AltAzGrid, OtherLengthsAreRefused)
{
    CatalogueFixture fixture;
    std::vector<AltAzLocn> points;
    for (int length : {112103, 112140}) {
        fixture.writeTvkFile("AltAzGrid.tvk", QByteArray(length, '\0'));
        EXPECT_EQ(GridTables::loadAltAzGrid(fixture.folders().tvkDirectory, points),
                  QString("Can not build AltAz grid data."))
            << length;
    }
    QFile::remove(fixture.folders().tvkDirectory + "AltAzGrid.tvk");
    EXPECT_EQ(GridTables::loadAltAzGrid(fixture.folders().tvkDirectory, points),
              QString("Can not build AltAz grid data."));
}
