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

// Parses a whole text with the star table's rules.
TableError parse(const QByteArray& bytes, std::vector<star>& stars)
{
    return StarTableBuilder::table("/db/", "/build/").parse(SourceText::fromBytes(bytes), stars);
}

constexpr char kSirius[] =
    "151881\tAlp CMa\tSirius\t-1.46\tA1\t1\t101.2875\t-16.7161\t-546.01\t-1223.07";

}  // namespace

TEST(StarRecord, FieldsGoToTheirPlaces)
{
    const star s = makeStar(7, kSirius);
    EXPECT_EQ(s.index, 7u);
    EXPECT_STREQ(s.sao, "151881");
    EXPECT_STREQ(s.bayer, "Alp CMa");
    EXPECT_STREQ(s.name, "Sirius");
    EXPECT_FLOAT_EQ(s.mag, -1.46f);
    EXPECT_STREQ(s.spectral, "A1");
    EXPECT_EQ(s.color, 'W');
    EXPECT_EQ(s.type, 1);
    EXPECT_DOUBLE_EQ(s.raDeg, 101.2875);
    EXPECT_DOUBLE_EQ(s.decDeg, -16.7161);
    EXPECT_EQ(s.state, 0);
    EXPECT_DOUBLE_EQ(s.horX, 0.0);
    EXPECT_EQ(s.screenX, 0.0f);
}

TEST(StarRecord, UnitVectorIsTheJ2000Direction)
{
    const star s = makeStar(0, kSirius);
    const double ra = 101.2875 * M_PI / 180.0, dec = -16.7161 * M_PI / 180.0;
    EXPECT_NEAR(s.vecX, std::cos(dec) * std::cos(ra), 1e-12);
    EXPECT_NEAR(s.vecY, std::cos(dec) * std::sin(ra), 1e-12);
    EXPECT_NEAR(s.vecZ, std::sin(dec), 1e-12);
    EXPECT_NEAR(s.vecX * s.vecX + s.vecY * s.vecY + s.vecZ * s.vecZ, 1.0, 1e-12);
}

TEST(StarRecord, ProperMotionOf36000MasPerYearIsOneDegreePerCentury)
{
    const star s = makeStar(0, "1\t\t\t5\tA0\t0\t0\t0\t36000\t-1000");
    EXPECT_NEAR(s.pmRA, 0.0174532925, 1e-9);
    // 1000 mas/yr = 100 arcseconds a century.
    EXPECT_NEAR(s.pmDec, -100.0 / 3600.0 * M_PI / 180.0, 1e-10);
}

TEST(StarRecord, ColourFollowsTheSpectralClass)
{
    EXPECT_EQ(StarTableBuilder::colorOf("K5"), 'O');
    EXPECT_EQ(StarTableBuilder::colorOf("A0"), 'W');
    EXPECT_EQ(StarTableBuilder::colorOf("O9"), 'B');
    EXPECT_EQ(StarTableBuilder::colorOf("B2"), 'B');
    EXPECT_EQ(StarTableBuilder::colorOf("G2"), 'Y');
    EXPECT_EQ(StarTableBuilder::colorOf("M1"), 'R');
    EXPECT_EQ(StarTableBuilder::colorOf("F5"), 'W');
    EXPECT_EQ(StarTableBuilder::colorOf(""), 'W');
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

    const star u = makeStar(0, "1\t\t\xc3\x85sa\t5\tK5\t0\t0\t0\t0\t0");
    EXPECT_STREQ(u.name, "");
}

TEST(StarText, NRecordsWithIndexesInSourceOrder)
{
    std::vector<star> stars;
    ASSERT_FALSE(parse(CatalogueFixture::starText(25), stars));
    ASSERT_EQ(stars.size(), 25u);
    for (std::uint32_t i = 0; i < 25; ++i)
        EXPECT_EQ(stars[i].index, i);
}

TEST(StarText, LinesAfterTheNthAreIgnored)
{
    QByteArray text = CatalogueFixture::starText(5, 3);
    std::vector<star> stars;
    ASSERT_FALSE(parse(text, stars));
    EXPECT_EQ(stars.size(), 3u);
}

TEST(StarText, LineOfNineOrElevenFieldsFailsTheBuild)
{
    for (const char* bad : {"1\t2\t3\t4\t5\t6\t7\t8\t9", "1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11"}) {
        QByteArray text = CatalogueFixture::starText(3, 4) + bad + "\n";
        std::vector<star> stars;
        EXPECT_EQ(parse(text, stars), QString("Can not build star data.")) << bad;
    }
}

TEST(StarText, FewerLinesThanTheCountFailsWithoutAllocatingForTheCount)
{
    std::vector<star> stars;
    EXPECT_EQ(parse(CatalogueFixture::starText(10, 11), stars),
              QString("Can not build star data."));
    // A count no memory could hold is refused before anything is allocated.
    EXPECT_EQ(parse(CatalogueFixture::starText(10, 4'000'000'000'000'000LL), stars),
              QString("Can not build star data."));
    EXPECT_EQ(parse(CatalogueFixture::starText(10, -3), stars),
              QString("Can not build star data."));
}
