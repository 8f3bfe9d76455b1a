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

TEST(TimeZoneResolver, ReadsEveryFixedOffsetNameQtGivesAndRefusesPlaceholders)
{
    const QDateTime winter(QDate(2024, 1, 15), QTime(12, 0), Qt::UTC);
    // The 53 half-hour steps from 12 hours west to 14 hours east.
    for (int seconds = -12 * 3600; seconds <= 14 * 3600; seconds += 1800) {
        const QString name = QString::fromUtf8(QTimeZone(seconds).id());
        const QTimeZone zone = TimeZoneResolver::resolve(name);
        ASSERT_TRUE(zone.isValid()) << name.toStdString();
        EXPECT_EQ(zone.offsetFromUtc(winter), seconds) << name.toStdString();
    }
    EXPECT_EQ(TimeZoneResolver::resolve("UTC-05:30").offsetFromUtc(winter), -19800);
    // Qt takes these as valid zones at offset 0; a site's placeholder must not move the clock.
    for (const char* name : {"Unknown", "Undefined", "UTC+15", "UTC+14:30", "UTC+05:60", "UTC+5", "GMT+3"})
        EXPECT_FALSE(TimeZoneResolver::resolve(name).isValid()) << name;
}
