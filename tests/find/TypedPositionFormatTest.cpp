#include "find/TypedPosition.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kRadToDeg = 180.0 / M_PI;

TypedPosition::Position readBack(const QString& text)
{
    const TypedPosition::Result result = TypedPosition::parse(text);
    EXPECT_EQ(result.outcome, TypedPosition::Outcome::Position) << text.toStdString();
    return result.position;
}

}  // namespace

TEST(TypedPositionText, TheFinderReadsBackWhatIsWritten)
{
    struct Case {
        float hours;
        float degrees;
        const char* text;
    };
    for (const Case c : {Case{5.5f, 22.25f, "5:30.000:22:15.000"}, Case{12.0f, -0.5f, "12:0.000:-0:30.000"},
                         Case{0.0f, -45.75f, "0:0.000:-45:45.000"}, Case{23.9f, 90.0f, "23:54.000:90:0.000"}}) {
        const QString text = TypedPosition::format(c.hours * 15.0f, c.degrees);
        EXPECT_EQ(text, QString::fromLatin1(c.text));
        const TypedPosition::Position p = readBack(text);
        EXPECT_NEAR(p.ra * kRadToDeg / 15.0, c.hours, 1e-4) << c.text;
        EXPECT_NEAR(p.dec * kRadToDeg, c.degrees, 1e-4) << c.text;
    }
}

TEST(TypedPositionText, RoundingNeverWritesSixtyMinutes)
{
    const QString text = TypedPosition::format(1.9999999f * 15.0f, -29.999999f);
    EXPECT_EQ(text, "2:0.000:-30:0.000");
    readBack(text);
    // 24 h is 0 h, which the finder takes.
    EXPECT_EQ(TypedPosition::format(360.0f, 0.0f), "0:0.000:0:0.000");
}

TEST(TypedPositionText, ATinyNegativeDeclinationRoundedToZeroIsNotSouth)
{
    EXPECT_EQ(TypedPosition::format(45.0f, -0.000001f), "3:0.000:0:0.000");
}
