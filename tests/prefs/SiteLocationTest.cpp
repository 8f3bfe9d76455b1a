#include "prefs/SiteLocation.h"

#include "platform/TimeZoneResolver.h"

#include <gtest/gtest.h>

namespace {

const QDateTime kWinter(QDate(2026, 1, 15), QTime(12, 0), Qt::UTC);

TEST(SiteLocation, FieldsRoundToTheNearestSecondAndCarry)
{
    struct Case {
        double degrees;
        Sexagesimal shown;
    };
    const Case cases[] = {
        {-33.8686, {33, 52, 7}},
        {0.9999999, {1, 0, 0}},
        {151.2167, {151, 13, 0}},
        {-33.8667, {33, 52, 0}},
        {0.0, {0, 0, 0}},
        {59.99999, {60, 0, 0}},
    };
    for (const Case& c : cases) {
        const Sexagesimal s = SiteLocation::fields(c.degrees);
        EXPECT_EQ(s.whole, c.shown.whole) << c.degrees;
        EXPECT_EQ(s.minutes, c.shown.minutes) << c.degrees;
        EXPECT_EQ(s.seconds, c.shown.seconds) << c.degrees;
    }
}

TEST(SiteLocation, PopupHoldsUnknownTheAbbreviationsThenFiftyThreeOffsets)
{
    const QStringList abbreviations = TimeZoneResolver::abbreviations();
    const QStringList titles = SiteLocation::popupTitles(abbreviations);
    ASSERT_EQ(titles.size(), 1 + abbreviations.size() + 53);
    EXPECT_EQ(titles.first(), "Unknown");
    EXPECT_EQ(titles.mid(1, abbreviations.size()), abbreviations);
    EXPECT_EQ(TimeZoneResolver::resolve(titles[abbreviations.size() + 1]).offsetFromUtc(kWinter), -12 * 3600);
    EXPECT_EQ(TimeZoneResolver::resolve(titles[abbreviations.size() + 2]).offsetFromUtc(kWinter), -41400);
    EXPECT_EQ(TimeZoneResolver::resolve(titles.last()).offsetFromUtc(kWinter), 14 * 3600);
    // Every entry names a zone, so none falls back to "Unknown" when chosen.
    for (qsizetype i = 1; i < titles.size(); ++i)
        EXPECT_TRUE(TimeZoneResolver::resolve(titles[i]).isValid()) << titles[i].toStdString();
    EXPECT_EQ(TimeZoneResolver::abbreviations(), abbreviations);
    EXPECT_TRUE(std::is_sorted(abbreviations.begin(), abbreviations.end()));
}

TEST(SiteLocation, OffsetSelectsAbbreviationThenNameThenUnknown)
{
    struct Case {
        const char* what;
        QStringList abbreviations;
        QStringList extraTitles;  // after the fixed-offset names
        int offset;
        QString expected;
    };
    const Case cases[] = {
        {"first abbreviation with the offset", {"EST", "Asia/Kathmandu", "Asia/Katmandu"}, {}, 20700,
         "Asia/Kathmandu"},
        {"a zone name past the abbreviations", {"EST"}, {"Asia/Kathmandu"}, 20700, "Asia/Kathmandu"},
        {"nothing with 5.75 h", {"EST", "IST"}, {}, 20700, "Unknown"},
        {"abbreviation before the fixed name", {"JST"}, {}, 9 * 3600, "JST"},
        {"fixed name when no abbreviation has it", {"EST"}, {}, 3 * 3600 + 1800, "UTC+03:30"},
    };
    for (const Case& c : cases) {
        const QStringList titles = SiteLocation::popupTitles(c.abbreviations) + c.extraTitles;
        EXPECT_EQ(SiteLocation::matchingTitle(c.abbreviations, titles, c.offset, kWinter), c.expected) << c.what;
    }
}

}  // namespace
