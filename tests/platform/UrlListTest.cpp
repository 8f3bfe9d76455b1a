#include "platform/UrlList.h"

#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <QByteArray>

namespace {

const QByteArray kSevenLines = "https://maker.example/\n"
                               "https://maker.example/download/\n"
                               "https://mpc.example/Soft00Cmt.txt\n"
                               "https://mpc.example/Soft00Bright.txt\n"
                               "https://mpc.example/Soft00Unusual.txt\n"
                               "https://mpc.example/MPCORB.DAT\n"
                               "https://maker.example/version.txt\n";

}  // namespace

TEST(UrlList, SevenEndpointsInOrderWithAnyLineBreak)
{
    for (const QByteArray& text :
         {kSevenLines, QByteArray(kSevenLines).replace('\n', '\r'),
          QByteArray(kSevenLines).replace("\n", "\r\n"), kSevenLines.chopped(1)}) {
        const UrlList list = UrlList::parse(text);
        EXPECT_EQ(list.tvkSite, QUrl("https://maker.example/"));
        EXPECT_EQ(list.softwareSite, QUrl("https://maker.example/download/"));
        EXPECT_EQ(list.cometSite, QUrl("https://mpc.example/Soft00Cmt.txt"));
        EXPECT_EQ(list.mpSite, QUrl("https://mpc.example/Soft00Bright.txt"));
        EXPECT_EQ(list.neoSite, QUrl("https://mpc.example/Soft00Unusual.txt"));
        EXPECT_EQ(list.mpcorbSite, QUrl("https://mpc.example/MPCORB.DAT"));
        EXPECT_EQ(list.versionSite, QUrl("https://maker.example/version.txt"));
        EXPECT_EQ(list.grsLong, 157.0);
    }
}

TEST(UrlList, TheGreatRedSpotLineIsReadOnlyWhenItHoldsALongitude)
{
    const struct {
        QByteArray after;
        double grsLong;
    } cases[] = {
        {"150.5\n", 150.5}, {"150.5", 150.5}, {"  42\r", 42.0}, {"0\n\n", 0.0},
        {"12", 157.0},  // two characters are not a line
        {"\n\n", 157.0}, {"abc\n", 157.0}, {"360\n", 157.0}, {"-5\n", 157.0},
        {"nan\n", 157.0}, {"inf\n", 157.0}, {"1e400\n", 157.0}, {"15O\n", 157.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlList::parse(kSevenLines + c.after).grsLong, c.grsLong) << c.after.data();
}

TEST(UrlList, BadOrMissingLinesLeaveOnlyTheirEndpointEmpty)
{
    QByteArray text = kSevenLines;
    text.replace("https://mpc.example/Soft00Bright.txt", "not a web address");
    text.replace("https://maker.example/download/", "file:///etc/passwd");
    const UrlList bad = UrlList::parse(text);
    EXPECT_TRUE(bad.mpSite.isEmpty());
    EXPECT_TRUE(bad.softwareSite.isEmpty());
    EXPECT_EQ(bad.neoSite, QUrl("https://mpc.example/Soft00Unusual.txt"));

    const UrlList cut = UrlList::parse("https://maker.example/\nhttps://maker.example/download/\n");
    EXPECT_EQ(cut.softwareSite, QUrl("https://maker.example/download/"));
    EXPECT_TRUE(cut.cometSite.isEmpty());
    EXPECT_TRUE(cut.versionSite.isEmpty());
    EXPECT_EQ(cut.grsLong, 157.0);

    const UrlList none = UrlList::read("/nonexistent/URL List.txt");
    EXPECT_TRUE(none.tvkSite.isEmpty());
    EXPECT_TRUE(none.mpcorbSite.isEmpty());
    EXPECT_EQ(none.grsLong, 157.0);
}

TEST(UrlList, ServiceAddressesFollowTheGreatRedSpotLine)
{
    const QByteArray services = "https://one.example\n"
                                "https://two.example\r\n"
                                "ftp://three.example\n"
                                "https://dss.example\n";
    const UrlList list = UrlList::parse(kSevenLines + "160\n" + services);
    EXPECT_EQ(list.grsLong, 160.0);
    EXPECT_EQ(list.simbadSite, QUrl("https://one.example"));
    EXPECT_EQ(list.simbadMirrorSite, QUrl("https://two.example"));
    EXPECT_TRUE(list.sesameSite.isEmpty());
    EXPECT_EQ(list.dssSite, QUrl("https://dss.example"));
    EXPECT_TRUE(list.esoSite.isEmpty());
    EXPECT_TRUE(list.nomadSite.isEmpty());

    // Without the longitude line the next line is not taken for a service.
    EXPECT_TRUE(UrlList::parse(kSevenLines).simbadSite.isEmpty());
}

TEST(UrlList, AYearlyListIsAskedForUnderTheYearGiven)
{
    const struct {
        const char* pattern;
        const char* expected;
    } cases[] = {
        {"https://mpc.example/Ephemerides/Bright/2026/Soft00Bright.txt",
         "https://mpc.example/Ephemerides/Bright/2031/Soft00Bright.txt"},
        {"https://mpc.example/Bright/1999", "https://mpc.example/Bright/2031"},
        // No segment of four digits alone: nothing to replace.
        {"https://mpc.example/Soft00Bright.txt", "https://mpc.example/Soft00Bright.txt"},
        {"https://mpc.example/v20260/Bright.txt", "https://mpc.example/v20260/Bright.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UrlList::forYear(QUrl(c.pattern), 2031), QUrl(c.expected)) << c.pattern;
}
