#include "model/catalogue/StarTableBuilder.h"

#include "CatalogueFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

star makeStar(std::uint32_t index, const QByteArray& line)
{
    const SourceText text = SourceText::fromBytes("1\n" + line);
    std::vector<std::string_view> fields;
    text.splitRecord(0, fields);
    return StarTableBuilder::makeStar(index, fields);
}

}  // namespace

TEST(StarRecord, FieldsGoToTheirPlaces)
{
    const star s = makeStar(
        7, "151881\tAlp CMa\tSirius\t-1.46\tA1\t1\t101.2875\t-16.7161\t-546.01\t-1223.07");
    EXPECT_EQ(s.index, 7u);
    EXPECT_STREQ(s.sao, "151881");
    EXPECT_STREQ(s.bayer, "Alp CMa");
    EXPECT_STREQ(s.name, "Sirius");
    EXPECT_FLOAT_EQ(s.mag, -1.46f);
    EXPECT_STREQ(s.spectral, "A1");
    EXPECT_EQ(s.type, 1);
    EXPECT_DOUBLE_EQ(s.raDeg, 101.2875);
    EXPECT_DOUBLE_EQ(s.decDeg, -16.7161);
    const double ra = 101.2875 * M_PI / 180.0, dec = -16.7161 * M_PI / 180.0;
    EXPECT_NEAR(s.vecX, std::cos(dec) * std::cos(ra), 1e-12);
    EXPECT_NEAR(s.vecY, std::cos(dec) * std::sin(ra), 1e-12);
    EXPECT_NEAR(s.vecZ, std::sin(dec), 1e-12);
}

TEST(StarRecord, ProperMotionOf36000MasPerYearIsOneDegreePerCentury)
{
    const star s = makeStar(0, "1\t\t\t5\tA0\t0\t0\t0\t36000\t-1000");
    EXPECT_NEAR(s.pmRA, 0.0174532925, 1e-9);
    EXPECT_NEAR(s.pmDec, -100.0 / 3600.0 * M_PI / 180.0, 1e-10);  // 100" a century
}

TEST(StarRecord, ColourFollowsTheSpectralClass)
{
    for (const auto& [spectral, colour] : {std::pair{"K5", 'O'}, {"A0", 'W'}, {"O9", 'B'},
                                           {"B2", 'B'}, {"G2", 'Y'}, {"M1", 'R'}, {"F5", 'W'},
                                           {"", 'W'}})
        EXPECT_EQ(StarTableBuilder::colorOf(spectral), colour) << spectral;
}

TEST(StarRecord, TextTooLongOrNotAsciiIsLeftEmpty)
{
    const star s =
        makeStar(0, "1234567\tAlp Bet Gam Del\tA name of fifteen\t5\tK5III\t0\t0\t0\t0\t0");
    EXPECT_STREQ(s.sao, "");
    EXPECT_STREQ(s.bayer, "");
    EXPECT_STREQ(s.name, "");
    EXPECT_STREQ(s.spectral, "");
    EXPECT_EQ(s.color, 'W');

    const star t = makeStar(0, "123456\tAlp Bet Ga\tFourteen chars\t5\tK5\t0\t0\t0\t0\t0");
    EXPECT_STREQ(t.sao, "123456");
    EXPECT_STREQ(t.bayer, "Alp Bet Ga");
    EXPECT_STREQ(t.name, "Fourteen chars");
    EXPECT_STREQ(makeStar(0, "1\t\t\xc3\x85sa\t5\tK5\t0\t0\t0\t0\t0").name, "");
}

// N records in source order; lines after the Nth ignored; a line of 9 or 11
// fields, fewer lines than N, or a negative or absurd N (refused before
// anything is allocated for it) fail the build.
TEST(StarText, TheCountLineAndTheFieldCountRule)
{
    using F = CatalogueFixture;
    struct Case {
        QByteArray text;
        int count;  // -1: the build fails
    };
    const Case cases[] = {
        {F::starText(25), 25},
        {F::starText(5, 3), 3},
        {F::starText(3, 4) + "1\t2\t3\t4\t5\t6\t7\t8\t9\n", -1},
        {F::starText(3, 4) + "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\n", -1},
        {F::starText(10, 11), -1},
        {F::starText(10, 4'000'000'000'000'000LL), -1},
        {F::starText(10, -3), -1},
    };
    for (const Case& c : cases) {
        std::vector<star> stars;
        const TableError error =
            StarTableBuilder::table("/db/", "/build/").parse(SourceText::fromBytes(c.text), stars);
        if (c.count < 0) {
            EXPECT_EQ(error, QString("Can not build star data.")) << c.text.left(30).toStdString();
            continue;
        }
        ASSERT_FALSE(error);
        ASSERT_EQ(stars.size(), std::size_t(c.count));
        for (std::uint32_t i = 0; i < stars.size(); ++i)
            EXPECT_EQ(stars[i].index, i);
    }
}
