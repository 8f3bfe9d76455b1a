#include "NomadReplies.h"

#include "scopeview/cone/NomadReply.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using NomadReplies::line;
using NomadReplies::reply;
using NomadReplies::Star;

const Star kA{"0900-0000001", 10.0, 20.0, 0.0, 0.0, 11.5};
const Star kB{"0900-0000002", 10.5, 20.5, 0.0, 0.0, 12.5};

TEST(NomadReplyTest, RepliesThatHoldNoStarsAreRefused)
{
    const QByteArray good = reply({kA, kB});
    QByteArray noHash = good;
    noHash[0] = ' ';
    QByteArray noCount = good;
    noCount.replace("#NOBJECTS", "#NOTHING_");
    const struct {
        const char* what;
        QByteArray text;
        NomadReply::Error error;
    } cases[] = {
        {"count 0 with lines", reply(0, {line(kA), line(kB)}), NomadReply::Error::Format},
        {"no count line", noCount, NomadReply::Error::Format},
        {"no MuDEC column", reply(2, {line(kA), line(kB)},
                                  QByteArray(NomadReplies::kTitles).replace("MuDEC", "MuDXX")),
         NomadReply::Error::Format},
        {"first line not a header", noHash, NomadReply::Error::Format},
        {"under 1000 characters", good.right(999), NomadReply::Error::NoData},
    };
    for (const auto& c : cases) {
        const NomadReply::Result r = NomadReply::parse(c.text, 0.0);
        EXPECT_EQ(r.error, c.error) << c.what;
        EXPECT_TRUE(r.stars.empty()) << c.what;
    }
}

TEST(NomadReplyTest, CountAndLinesBoundEachOther)
{
    const QByteArray id13 = "0900-00000013";
    const struct {
        const char* what;
        QByteArray text;
        std::vector<float> vMags;
    } cases[] = {
        {"more counted than present", reply(100000, {line(kA), line(kB)}), {11.5f, 12.5f}},
        {"fewer counted than present", reply(1, {line(kA), line(kB)}), {11.5f}},
        // A line that stops before the magnitude reads it as 0.
        {"short lines", reply(3, {line(kA).left(45), line(kB).left(30), line(kA)}),
         {0.0f, 0.0f, 11.5f}},
        {"line too short for a declination", reply(2, {line(kA).left(20), line(kB)}), {12.5f}},
        {"long line", reply(1, {line(kA) + "   extra columns 99.9 88.8"}), {11.5f}},
        {"blank and garbage lines skipped", reply(3, {"", "garbage", line(kB)}), {12.5f}},
        {"off the sphere skipped",
         reply(2, {line({"x", 400.0, 0.0}), line({"y", 10.0, -95.0})}), {}},
        // A number moved right of its title's columns reads only the part left inside.
        {"shifted magnitude", reply(1, {line(kA).left(49) + "    12.345"}), {12.0f}},
    };
    for (const auto& c : cases) {
        const NomadReply::Result r = NomadReply::parse(c.text, 0.0);
        ASSERT_EQ(r.error, NomadReply::Error::None) << c.what;
        ASSERT_EQ(r.stars.size(), c.vMags.size()) << c.what;
        for (std::size_t i = 0; i < c.vMags.size(); ++i)
            EXPECT_FLOAT_EQ(r.stars[i].vMag, c.vMags[i]) << c.what << " star " << i;
    }
    const NomadReply::Result r = NomadReply::parse(reply(1, {id13 + line(kA).mid(13)}), 0.0);
    ASSERT_EQ(r.stars.size(), 1u);
    EXPECT_STREQ(r.stars[0].nomadId, id13.constData());
    EXPECT_FLOAT_EQ(r.stars[0].ra2000, 10.0f);
    EXPECT_FLOAT_EQ(r.stars[0].dec2000, 20.0f);
}

TEST(NomadReplyTest, ProperMotionsFollowTheUnitTheReplyNames)
{
    const Star moving{"0900-0000003", 10.0, 20.0, 15.0, 30.0};
    const struct {
        const char* what;
        QByteArray units;
        double muRAPerUnit;
    } cases[] = {
        {"milliarcseconds", NomadReplies::kMasUnits, 2.7777778e-07},
        {"milliseconds of time", QByteArray(NomadReplies::kMasUnits).replace("mas/yr mas", " ms/yr mas"),
         4.167e-06},
    };
    for (const auto& c : cases) {
        const NomadReply::Result r =
            NomadReply::parse(reply(1, {line(moving)}, NomadReplies::kTitles, c.units), 0.0);
        ASSERT_EQ(r.stars.size(), 1u) << c.what;
        EXPECT_NEAR(r.stars[0].muRA, 15.0 * c.muRAPerUnit, 1e-9) << c.what;
        EXPECT_NEAR(r.stars[0].muDec, 30.0 * 2.7777778e-07, 1e-10) << c.what;
    }
}

nomadData star(float ra, float dec, float muDecMasPerYear = 0.0f)
{
    nomadData s{};
    s.ra2000 = ra;
    s.dec2000 = dec;
    s.muDec = float(muDecMasPerYear * 2.7777778e-07);
    return s;
}

TEST(NomadReplyTest, StarsAreCarriedToThePresent)
{
    // From 2000-01-01 to 2010-01-01: 3653 days of 365.
    const double t = 3653.0 / 365.0;
    const struct {
        const char* what;
        nomadData star;
        double raNow;
        double decNow;
        double tolerance;
    } cases[] = {
        // The annual precession alone: 3.075 s of time and 20.04" a year.
        {"at 0, 0", star(0.0f, 0.0f), 0.128, 0.0557, 5e-4},
        {"carried past 360", star(359.99f, 0.0f), 0.118, 0.0557, 5e-4},
        // 1000 mas a year for 10 years: 10" more in declination.
        {"proper motion", star(0.0f, 0.0f, 1000.0f), 0.128,
         0.0557 + 10.0 / 3600.0, 5e-4},
        // Carried over the north pole: reflected back under 90, turned by 180.
        {"over the pole", star(0.0f, 89.999f, 1e5f), 180.128,
         89.6675, 0.01},
    };
    for (const auto& c : cases) {
        nomadData s = c.star;
        NomadReply::carryToNow(s, t);
        EXPECT_NEAR(s.raNow, c.raNow, c.tolerance) << c.what;
        EXPECT_NEAR(s.decNow, c.decNow, c.tolerance) << c.what;
        EXPECT_GE(s.raNow, 0.0f) << c.what;
        EXPECT_LT(s.raNow, 360.0f) << c.what;
        EXPECT_LE(std::fabs(s.decNow), 90.0f) << c.what;
    }

    // The catalogue's RA motion is along the parallel: at 60 degrees 1000 mas a
    // year for 10 years moves RA by 20", not 10".
    nomadData still = star(10.0f, 60.0f);
    nomadData moving = still;
    moving.muRA = float(1000.0 * 2.7777778e-07);
    NomadReply::carryToNow(still, t);
    NomadReply::carryToNow(moving, t);
    EXPECT_NEAR(moving.raNow - still.raNow, 20.0 / 3600.0, 2e-5);
    EXPECT_FLOAT_EQ(moving.decNow, still.decNow);
    // At the pole RA has no meaning and stays finite.
    nomadData pole = moving;
    pole.dec2000 = 90.0f;
    NomadReply::carryToNow(pole, t);
    EXPECT_TRUE(std::isfinite(pole.raNow));
}

}  // namespace
