#include "focus/JMIProtocol.h"
#include "focus/JMISpeeds.h"

#include <gtest/gtest.h>

using namespace JMIProtocol;

TEST(JMIProtocolTest, ValuesGoHighByteFirstAndRepliesAreCheckedByEcho)
{
    EXPECT_EQ(command('g', 0x1234), QByteArray("g\x12\x34", 3));
    EXPECT_EQ(command('w', 65535), QByteArray("w\xFF\xFF", 3));
    EXPECT_EQ(command('p'), "p");

    EXPECT_EQ(position(QByteArray("p\x12\x34", 3)), 0x1234);
    EXPECT_EQ(position(QByteArray("p\xFF\x00", 3)), 0xFF00);
    // A short reply, another letter or no reply is no position.
    EXPECT_EQ(position(QByteArray("p\x12")), std::nullopt);
    EXPECT_EQ(position(QByteArray("x\x12\x34", 3)), std::nullopt);
    EXPECT_EQ(position(std::nullopt), std::nullopt);
    EXPECT_TRUE(isGotoComplete(QByteArray("cp\x12", 3)));

    EXPECT_TRUE(isIDAnswer(QByteArray("bj")));
    EXPECT_TRUE(isIDAnswer(QByteArray("?j")));  // the probe is judged by its second byte
    EXPECT_FALSE(isIDAnswer(QByteArray("b")));
    EXPECT_FALSE(isEcho(QByteArray(), 'g'));
}

TEST(JMIProtocolTest, StatusBitsGiveTheirCodesAndTexts)
{
    EXPECT_EQ(statusCode(std::nullopt), kStatusFailed);
    EXPECT_EQ(statusCode(QByteArray("x\x00", 2)), kStatusBadEcho);
    EXPECT_EQ(statusCode(QByteArray("t")), kStatusBadEcho);
    EXPECT_EQ(statusCode(QByteArray("t\x00", 2)), 0);
    EXPECT_EQ(statusCode(QByteArray("t\x06", 2)), 2);
    EXPECT_EQ(statusCode(QByteArray("t\xC0", 2)), 7);
    EXPECT_EQ(statusCode(QByteArray("t\x80", 2)), 8);
    EXPECT_EQ(statusCode(QByteArray("t\x0C", 2)), 3);
    EXPECT_EQ(statusCode(QByteArray("t\x31", 2)), 0);  // bits without a meaning here

    EXPECT_EQ(statusText(2), "Frame error");
    EXPECT_EQ(statusText(7), "At 0 position");
    EXPECT_EQ(statusText(8), "At max position");
    EXPECT_EQ(statusText(-1), "Com error");
    EXPECT_EQ(statusText(0), "Connected");
    EXPECT_TRUE(statusText(-2).isEmpty());
}

TEST(JMIProtocolTest, SpeedsFollowTheMaximumAndTheSliders)
{
    const JMISpeeds speeds = JMISpeeds::forMaximum(65535, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(speeds.move, 3276);
    EXPECT_EQ(speeds.shuttle, 655);
    EXPECT_EQ(speeds.posn, 6553);
    // Factors that would overflow 16 bits give the largest speed.
    EXPECT_EQ(JMISpeeds::forMaximum(65535, 1.0f, 16.0f, 40.0f).posn, 65535);
    EXPECT_EQ(JMISpeeds::forMaximum(65535, 1.0f, 16.0f, 40.0f).move, 65535);

    EXPECT_FLOAT_EQ(JMISpeedSlider::factor(25), 2.0f);
    EXPECT_FLOAT_EQ(JMISpeedSlider::factor(-25), 0.5f);
    EXPECT_FLOAT_EQ(JMISpeedSlider::factor(0), 1.0f);
    EXPECT_EQ(JMISpeedSlider::position(2.0f), 25);
    EXPECT_EQ(JMISpeedSlider::position(0.5f), -25);
    EXPECT_EQ(JMISpeedSlider::position(0.0f), 0);
}
