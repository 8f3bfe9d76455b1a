#include "find/TypedPosition.h"
#include "model/Angles.h"

#include <gtest/gtest.h>

namespace {

using Angles::kDegree;

TEST(TypedPosition, PartsBecomeDegreesWithTheSignOfTheDegreesPart)
{
    const struct {
        const char* text;
        TypedPosition::Form form;
        double raDeg;
        double decDeg;
    } cases[] = {
        {"5:35.4:-5:27", TypedPosition::Form::FourPart, 83.85, -5.45},
        {"05:35:24:-00:27:00", TypedPosition::Form::SixPart, 83.85, -0.45},
        {"J:23:59:59.9:89:59:59.9", TypedPosition::Form::J2000, 359.999583, 89.999972},
        {" j : 0:0:0:0", TypedPosition::Form::J2000, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        const TypedPosition::Result r = TypedPosition::parse(c.text);
        ASSERT_EQ(r.outcome, TypedPosition::Outcome::Position) << c.text;
        EXPECT_EQ(r.position.form, c.form) << c.text;
        EXPECT_NEAR(r.position.ra / kDegree, c.raDeg, 1e-6) << c.text;
        EXPECT_NEAR(r.position.dec / kDegree, c.decDeg, 1e-6) << c.text;
    }
    EXPECT_EQ(TypedPosition::parse("J:1:2:3").outcome, TypedPosition::Outcome::Name);
    // Minutes of 600 once read as 10 h, and negative minutes were taken.
    for (const char* bad : {"1:2", "1:2:3:4:5", "1:x:3:4", "24:0:0:0", "1:0:-90:30", "nan:0:0:0", "0:600:0:0",
                            "1:-5:0:0", "1:5:10:-30", "1:5:60:0:0:0", "1:5:0:0:0:60", "-1:90:0:0", "J:0:0:0:0:60:0"})
        EXPECT_EQ(TypedPosition::parse(bad).outcome, TypedPosition::Outcome::BadFormat) << bad;
}

TEST(TypedPosition, AnnualRatesStayOnTheSphere)
{
    // 20.04" a year for 100 years carries a declination 0.1 degree short of
    // the pole 0.4567 past it: it comes back over the pole, 12 hours round
    // (after the 3.075 s a year of the right ascension, 1.28125 degrees).
    const TypedPosition::RaDec over =
        TypedPosition::annualRates(0.0, (90.0 - 0.1) * kDegree, 100.0);
    EXPECT_NEAR(over.dec / kDegree, 90.0 - (0.5567 - 0.1), 1e-4);
    EXPECT_NEAR(over.ra / kDegree, 181.28125, 1e-4);
    const TypedPosition::RaDec south =
        TypedPosition::annualRates(180.0 * kDegree, (-90.0 + 0.1) * kDegree, 100.0);
    EXPECT_NEAR(south.dec / kDegree, -90.0 + (0.5567 - 0.1), 1e-4);
    EXPECT_NEAR(south.ra / kDegree, 1.28125, 1e-4);
}

}  // namespace

namespace {

TEST(TypedPositionFormat, WritesTheFourPartTextInSinglePrecision)
{
    // 1 rad and -0.5 rad, as the planner sends them.
    EXPECT_EQ(TypedPosition::format(float(1.0 / Angles::kDegree), float(-0.5 / Angles::kDegree)),
              "3:49.183:-28:38.873");
    EXPECT_EQ(TypedPosition::format(0.0f, 0.0f), "0:0.000:0:0.000");
}

TEST(TypedPositionFormat, ReadsBackThroughParseIncludingSouthOfTheEquatorByLessThanADegree)
{
    const struct {
        float ra;
        float dec;
    } cases[] = {{10.0f, -0.5f}, {200.25f, 45.75f}, {359.99f, -89.5f}, {83.8f, -0.01f}, {0.0f, 0.3f}};
    for (const auto& c : cases) {
        const QString text = TypedPosition::format(c.ra, c.dec);
        const TypedPosition::Result r = TypedPosition::parse(text);
        ASSERT_EQ(r.outcome, TypedPosition::Outcome::Position) << text.toStdString();
        EXPECT_NEAR(r.position.ra / Angles::kDegree, c.ra, 1e-3) << text.toStdString();
        EXPECT_NEAR(r.position.dec / Angles::kDegree, c.dec, 1e-3) << text.toStdString();
    }
    EXPECT_TRUE(TypedPosition::format(10.0f, -0.5f).contains(":-0:"));
}

TEST(TypedPositionFormat, MinutesThatRoundToSixtyCarry)
{
    // 59.99995 minutes of RA and of arc would print as "60.000", which parse refuses.
    const QString text = TypedPosition::format(15.0f * (1.0f + 59.99995f / 60.0f), -(1.0f + 59.99995f / 60.0f));
    EXPECT_EQ(text, "2:0.000:-2:0.000");
    EXPECT_EQ(TypedPosition::parse(text).outcome, TypedPosition::Outcome::Position);
}

}  // namespace
