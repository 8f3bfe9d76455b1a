#include "MoonLiteFixture.h"

#include <gtest/gtest.h>

class MoonLiteControlTest : public MoonLiteFixture {};

TEST_F(MoonLiteControlTest, ConnectReadsTheControllerState)
{
    moon->setCoefficientDigits(0x05);
    moon->setStepDelay(8);
    moon->setTemperature(-1.0f);
    connect();
    ASSERT_TRUE(QTest::qWaitFor([&] { return moon->commands().size() >= 6; }, 5000));
    EXPECT_EQ(moon->commands().mid(0, 6), (QList<QByteArray>{"GP", "GC", "GD", "GH", "GP", "C"}));
    EXPECT_EQ(control->moonTempCoeff(), -10);
    EXPECT_EQ(control->stepDelay(), 8);
    EXPECT_EQ(moonDisplay.cell, 3);
    EXPECT_EQ(display.position, "5000");
    EXPECT_EQ(moonDisplay.maximum, 65535);
    // The temperature comes a moment later, below 0 °C as it is.
    ASSERT_TRUE(QTest::qWaitFor([&] { return display.temperature == "-1.0 \u00B0C"; }, 5000));
    EXPECT_FLOAT_EQ(control->moonCurrTemp(), -1.0f);

    ASSERT_TRUE(control->moonSetTempCoeff(-10));
    ASSERT_TRUE(control->moonSetCurrPosn(0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return moon->commands().contains("SP0000"); }, 5000));
    EXPECT_TRUE(moon->commands().contains("SC0A"));
}

TEST_F(MoonLiteControlTest, AMoveSendsItsPositionThenTheGotoAfterASettle)
{
    connect();
    ASSERT_TRUE(control->moonMoveTo(4660));
    EXPECT_TRUE(control->isGotoPending());
    ASSERT_TRUE(waitForGoto(1));
    EXPECT_EQ(moon->gotos(), QList<quint16>{4660});
    const QList<QByteArray> sent = moon->commands();
    EXPECT_LT(sent.indexOf("SN1234"), sent.indexOf("FG"));

    // A stop drops a go-to not yet sent.
    ASSERT_TRUE(control->moonMoveTo(100));
    ASSERT_TRUE(control->moonStop());
    ASSERT_TRUE(allHeard());
    EXPECT_EQ(moon->gotos().size(), 1);

    // Out of the travel: refused.
    control->moonSetMax(5000);
    ASSERT_TRUE(answerOf<quint16>([&](auto done) { control->moonGetCurrPosn(done); }));
    EXPECT_FALSE(control->moonInOut(qint16(5001 - control->moonCurrPosn())));
    EXPECT_FALSE(control->moonInOut(qint16(-int(control->moonCurrPosn()) - 1)));
    EXPECT_EQ(stored("MoonMaxPref"), "5000");
}

TEST_F(MoonLiteControlTest, ShortOrNonHexRepliesKeepTheOldValues)
{
    moon->setCoefficientDigits(0x05);
    connect();
    moon->sendNonHexDigits(true);
    moon->setPosition(1234);
    EXPECT_EQ(answerOf<quint16>([&](auto done) { control->moonGetCurrPosn(done); }), std::nullopt);
    EXPECT_EQ(control->moonCurrPosn(), 5000);
    bool read = false;
    control->readConnectState([&] { read = true; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return read; }, 10000));
    EXPECT_EQ(control->moonTempCoeff(), -10);
    moon->sendNonHexDigits(false);

    moon->dropHash(true);
    EXPECT_EQ(answerOf<quint16>([&](auto done) { control->moonGetCurrPosn(done); }), std::nullopt);
    EXPECT_EQ(control->moonCurrPosn(), 5000);
    EXPECT_EQ(answerOf<bool>([&](auto done) { control->moonGetMotorMove(done); }), std::nullopt);
    moon->dropHash(false);
    EXPECT_EQ(answerOf<quint16>([&](auto done) { control->moonGetCurrPosn(done); }), 1234);
}

TEST_F(MoonLiteControlTest, AShortReplyIsNoAnswerToTheProbe)
{
    port->simulator().shortenReplies(3);
    port->start();
    frame->focuserConnect();
    ASSERT_TRUE(settle());
    EXPECT_FALSE(control->isConnected());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "MoonLite connection failed.");
}

TEST_F(MoonLiteControlTest, RepliesSplitByAPauseAreReadWhole)
{
    port->simulator().splitRepliesInHalf(std::chrono::milliseconds(40));
    moon->setPosition(0xBEEF);
    connect();
    EXPECT_EQ(control->moonCurrPosn(), 0xBEEF);
    EXPECT_EQ(answerOf<bool>([&](auto done) { control->moonGetMotorMove(done); }), false);
}
