#include "model/catalogue/DeepSkyTableBuilder.h"

#include "CatalogueFixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

deepSky make(const QByteArray& line)
{
    std::vector<std::string_view> fields;
    const SourceText text = SourceText::fromBytes("1\n" + line);
    text.splitRecord(0, fields);
    return DeepSkyTableBuilder::makeDeepSky(3, fields);
}

QByteArray objectLine(const QByteArray& size, const QByteArray& mag, const QByteArray& extra = {})
{
    return "NGC 224\tM31\tAndromeda Galaxy\t0\t0\t0\t0\t1\tAnd\t" + size + "\t" + mag +
           "\t10.6847\t41.2687" + extra;
}

}  // namespace

TEST(DeepSkyRecord, FieldsGoToTheirPlaces)
{
    const deepSky d =
        make("NGC 5194\tM51\tWhirlpool Galaxy\t0\t1\t85\t0\t1\tCVn\t11.2\t8.4\t202.4696\t47.1953");
    EXPECT_EQ(d.index, 3u);
    EXPECT_STREQ(d.ngc, "NGC 5194");
    EXPECT_STREQ(d.messier, "M51");
    EXPECT_STREQ(d.name, "Whirlpool Galaxy");
    EXPECT_EQ(d.caldwell, 0);
    EXPECT_EQ(d.herschel, 1);
    EXPECT_EQ(d.arp, 85);
    EXPECT_EQ(d.type, 0);
    EXPECT_EQ(d.list, 1);
    EXPECT_STREQ(d.con, "CVn");
    EXPECT_FLOAT_EQ(d.size, 11.2f);
    EXPECT_FLOAT_EQ(d.mag, 8.4f);
    const double ra = 202.4696 * M_PI / 180.0, dec = 47.1953 * M_PI / 180.0;
    EXPECT_NEAR(d.vecX, std::cos(dec) * std::cos(ra), 1e-12);
    EXPECT_NEAR(d.vecY, std::cos(dec) * std::sin(ra), 1e-12);
    EXPECT_NEAR(d.vecZ, std::sin(dec), 1e-12);
}

TEST(DeepSkyRecord, BlankMagnitudeIs16BlankSizeIs0AndLongTextIsLeftEmpty)
{
    for (const char* blank : {" ", "", " 9"}) {
        EXPECT_FLOAT_EQ(make(objectLine("3", blank)).mag, 16.0f) << blank;
        EXPECT_FLOAT_EQ(make(objectLine(blank, "8.5")).size, 0.0f) << blank;
    }
    EXPECT_FLOAT_EQ(make(objectLine("178", "8.5")).size, 178.0f);
    const deepSky d =
        make("NGC 1234567\tM1234\tA name of twenty chars\t0\t0\t0\t0\t0\tAndr\t1\t2\t3\t4");
    EXPECT_STREQ(d.ngc, "");
    EXPECT_STREQ(d.messier, "");
    EXPECT_STREQ(d.name, "");
    EXPECT_STREQ(d.con, "");
}

TEST(DeepSkyText, FourteenthFieldIsIgnoredAndTwelveFieldsFail)
{
    const CachedTable<deepSky> table = DeepSkyTableBuilder::table("/db/", "/build/");
    std::vector<deepSky> objects;
    EXPECT_FALSE(
        table.parse(SourceText::fromBytes("1\n" + objectLine("3", "4", "\tnote") + "\n"), objects));
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_NEAR(objects[0].vecZ, std::sin(41.2687 * M_PI / 180.0), 1e-12);
    EXPECT_EQ(
        table.parse(SourceText::fromBytes("1\nNGC 1\t\t\t0\t0\t0\t0\t0\tPeg\t1\t2\t3\n"), objects),
        QString("Can not build deep sky data."));
}
