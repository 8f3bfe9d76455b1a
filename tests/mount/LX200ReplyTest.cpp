#include "mount/families/LX200Reply.h"

#include <gtest/gtest.h>

#include <optional>

TEST(LX200ReplyTest, PositionRepliesParseWholeOrNotAtAll)
{
    struct Case {
        QByteArray reply;
        std::optional<double> hours;
        bool longFormat;
    };
    const Case ras[] = {
        {"02:45:54#", 2.765, true},
        {"02:45.9#", 2.765, false},
        {"23:59:59#", 23.0 + 59.0 / 60 + 59.0 / 3600, true},
        {"24:00:00#", std::nullopt, false},
        {"12:60:00#", std::nullopt, false},
        {"12:00:60#", std::nullopt, false},
        {"12:60.0#", std::nullopt, false},
        // A fragment, and the tail of a reply split by a pause.
        {"02:4", std::nullopt, false},
        {"5.9#02:4", std::nullopt, false},
        {QByteArray(60, ' ') + "02:45:54#", std::nullopt, false},
    };
    for (const Case& c : ras) {
        SCOPED_TRACE(c.reply.toStdString());
        const auto ra = LX200Reply::parseRA(c.reply);
        ASSERT_EQ(ra.has_value(), c.hours.has_value());
        if (ra) {
            EXPECT_NEAR(ra->hours, *c.hours, 1e-9);
            EXPECT_EQ(ra->longFormat, c.longFormat);
        }
    }

    struct DecCase {
        QByteArray reply;
        bool longFormat;
        std::optional<double> degrees;
    };
    const DecCase decs[] = {
        {"-00\xdf" "30#", false, -0.5},
        {"+45*30:36#", true, 45.51},
        {"+45*30:36#", false, 45.5},
        {" -10\xdf" "15'00#", true, -10.25},
        {"+-10*15#", false, std::nullopt},
        {"-10*1-5#", false, std::nullopt},
        {"+91*00#", false, std::nullopt},
        {"+89*60#", false, std::nullopt},
        {"+45#", false, std::nullopt},
    };
    for (const DecCase& c : decs) {
        SCOPED_TRACE(c.reply.toStdString());
        const auto dec = LX200Reply::parseDec(c.reply, c.longFormat);
        ASSERT_EQ(dec.has_value(), c.degrees.has_value());
        if (dec) {
            EXPECT_NEAR(dec->degrees, *c.degrees, 1e-9);
        }
    }
    EXPECT_TRUE(LX200Reply::parseDec("+45*30#", false)->usesStar);
}

TEST(LX200ReplyTest, LongitudesComeBackEastPositive)
{
    const std::pair<QByteArray, std::optional<double>> cases[] = {
        {"349*00#", 11.0},        // a Classic: 0-360 westward, no sign
        {"011*30#", -11.5},
        {"000*00#", 0.0},
        {"-011*00#", 11.0},
        {"+120*00#", -120.0},
        {"+181*00#", std::nullopt},
        {"361*00#", std::nullopt},
    };
    for (const auto& [reply, east] : cases) {
        SCOPED_TRACE(reply.toStdString());
        EXPECT_EQ(LX200Reply::parseLongitude(reply), east);
    }
    EXPECT_EQ(LX200Reply::parseLatitude("-33*30#"), -33.5);
}
