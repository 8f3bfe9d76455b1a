#include "platform/SystemLocation.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

TEST(SystemLocation, ReadsBothCoordinateForms)
{
    const auto berlin = SystemLocation::parseCoordinates("+5230+01322");
    ASSERT_TRUE(berlin);
    EXPECT_DOUBLE_EQ(berlin->latitude, 52.5);
    EXPECT_NEAR(berlin->longitude, 13.0 + 22.0 / 60.0, 1e-12);

    const auto losAngeles = SystemLocation::parseCoordinates("+340308-1181434");
    ASSERT_TRUE(losAngeles);
    EXPECT_NEAR(losAngeles->latitude, 34.0 + 3.0 / 60 + 8.0 / 3600, 1e-12);
    EXPECT_NEAR(losAngeles->longitude, -(118.0 + 14.0 / 60 + 34.0 / 3600), 1e-12);
}

TEST(SystemLocation, RejectsMalformedCoordinates)
{
    for (const char* bad : {"", "+5230", "5230+01322", "+52a0+01322", "+5290+01322",
                            "+523+01322", "+9130+01322", "+5230+18100"})
        EXPECT_FALSE(SystemLocation::parseCoordinates(bad)) << bad;
}

TEST(SystemLocation, FindsTheZoneInTheTable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zone1970.tab");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# comment\n"
               "DE,DK\t+5230+01322\tEurope/Berlin\tmost of Germany\n"
               "US\tbroken\tAmerica/Nowhere\n"
               "AU\t-3352+15113\tAustralia/Sydney\tNew South Wales\n");
    file.close();

    const auto sydney = SystemLocation::locationOfZone("Australia/Sydney", path);
    ASSERT_TRUE(sydney);
    EXPECT_NEAR(sydney->latitude, -(33 + 52.0 / 60), 1e-12);
    EXPECT_FALSE(SystemLocation::locationOfZone("America/Nowhere", path));
    EXPECT_FALSE(SystemLocation::locationOfZone("Europe/Paris", path));
    EXPECT_FALSE(SystemLocation::locationOfZone("Europe/Berlin", dir.filePath("missing.tab")));
}
