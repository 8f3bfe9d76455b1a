#include "platform/TimeZoneResolver.h"

#include <gtest/gtest.h>

#include <QDateTime>

TEST(TimeZoneResolver, TakesIanaNamesAndAbbreviationsThatFollowTheirRegionsDaylightSaving)
{
    EXPECT_EQ(TimeZoneResolver::resolve("Europe/Berlin").id(), QByteArray("Europe/Berlin"));
    // Qt would take "PST" as a zone with offset 0; the table maps it to the region.
    const QTimeZone pacific = TimeZoneResolver::resolve("PST");
    ASSERT_TRUE(pacific.isValid());
    const QDateTime winter(QDate(2024, 1, 15), QTime(12, 0), Qt::UTC);
    const QDateTime summer(QDate(2024, 7, 15), QTime(12, 0), Qt::UTC);
    EXPECT_EQ(pacific.offsetFromUtc(winter), -8 * 3600);
    EXPECT_EQ(pacific.offsetFromUtc(summer), -7 * 3600);
    EXPECT_EQ(TimeZoneResolver::resolve("cet").offsetFromUtc(winter), 3600);
}

TEST(TimeZoneResolver, UnknownNamesAreInvalid)
{
    for (const char* name : {"", "XYZ", "Mars/Olympus_Mons"})
        EXPECT_FALSE(TimeZoneResolver::resolve(name).isValid()) << name;
    EXPECT_TRUE(TimeZoneResolver::ianaForAbbreviation("Nowhere").isEmpty());
}
