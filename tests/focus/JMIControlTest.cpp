#include "JMIFixture.h"

#include <gtest/gtest.h>

class JMIControlTest : public JMIFixture {};

TEST_F(JMIControlTest, AnInwardGotoWithBacklashEndsWithItsSecondLeg)
{
    connect();
    EXPECT_EQ(jmi->commands().value(0), "b");
    EXPECT_EQ(control->jmiPosition(), 500);  // read at connect
    control->setIsJMIBacklash(true);
    control->setJMIBacklash(100);

    ASSERT_TRUE(outcome([&](auto done) { control->jmiGoto(30, done); }));
    EXPECT_TRUE(control->isJMIMove());
    ASSERT_TRUE(waitForMoveEnd());
    EXPECT_EQ(jmi->gotos(), (QList<quint16>{0, 30}));
    EXPECT_FALSE(control->isMoveTimerActive());

    // Outward: one leg.
    ASSERT_TRUE(outcome([&](auto done) { control->jmiGetPosition(done); }));
    ASSERT_TRUE(outcome([&](auto done) { control->jmiGoto(400, done); }));
    ASSERT_TRUE(waitForMoveEnd());
    EXPECT_EQ(jmi->gotos(), (QList<quint16>{0, 30, 400}));

    // Backlash off: one leg inward too, its end signalled with "r".
    jmi->setGotoEnd('r');
    control->setIsJMIBacklash(false);
    ASSERT_TRUE(outcome([&](auto done) { control->jmiGetPosition(done); }));
    ASSERT_TRUE(outcome([&](auto done) { control->jmiGoto(200, done); }));
    ASSERT_TRUE(waitForMoveEnd());
    EXPECT_EQ(jmi->gotos(), (QList<quint16>{0, 30, 400, 200}));
}

TEST_F(JMIControlTest, AGotoEndFoundByAPositionReadEndsTheWaitAtTheNextTick)
{
    jmi->setMoveTime(std::chrono::milliseconds(300));
    connect();
    ASSERT_TRUE(outcome([&](auto done) { control->jmiGoto(30, done); }));
    // The focuser sends its end before the position: the read fails, keeps
    // the last good position and tells the move timer.
    EXPECT_FALSE(outcome([&](auto done) { control->jmiGetPosition(done); }));
    EXPECT_EQ(control->jmiPosition(), 500);
    EXPECT_TRUE(control->isJMIMove());
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(waitForMoveEnd());
    EXPECT_LT(clock.elapsed(), 2 * JMIControl::kMoveInterval.count() + 1000);
}

TEST_F(JMIControlTest, AFailedPositionReadKeepsTheLastGoodPosition)
{
    connect();
    jmi->setPosition(1234);
    ASSERT_TRUE(outcome([&](auto done) { control->jmiGetPosition(done); }));
    port->closeMaster();
    EXPECT_FALSE(outcome([&](auto done) { control->jmiGetPosition(done); }));
    EXPECT_EQ(control->jmiPosition(), 1234);
}

TEST_F(JMIControlTest, TheMaximumSetsTheSpeedsAndTheBacklashStaysWithinAQuarter)
{
    // Not connected: only shown, with the sliders.
    control->setJMIMaxValue(400);
    EXPECT_EQ(setup.maxValue, 400);
    EXPECT_FLOAT_EQ(setup.sliders[0], 1.0f);

    control->setJMIBacklash(100);
    EXPECT_EQ(control->jmiBacklash(), 100);
    EXPECT_EQ(stored("JMIBacklashValuePref"), "100");
    control->setJMIBacklash(101);
    EXPECT_EQ(alerts.beeps, 1);
    EXPECT_EQ(control->jmiBacklash(), 100);
    EXPECT_EQ(setup.backlash, 100);

    connect();
    control->setJMIMaxValue(65535);
    ASSERT_TRUE(settle());
    EXPECT_EQ(jmi->maximum(), 65535);
    // The window's position and status reads may come in between.
    QList<QByteArray> sent = jmi->commands();
    sent.removeIf([](const QByteArray& command) { return command == "p" || command == "t"; });
    ASSERT_GE(sent.size(), 4);
    EXPECT_EQ(sent.mid(sent.size() - 4),
              (QList<QByteArray>{"w\xFF\xFF", QByteArray("d\x19\x99", 3), QByteArray("e\x0C\xCC", 3),
                                 QByteArray("f\x02\x8F", 3)}));
    EXPECT_EQ(stored("JMIMaxValuePref"), "65535");

    // A slider sends the speeds and stores its factor.
    // The window's status reads may come in between.
    const qsizetype before = jmi->commands().size();
    control->setSpeedFactor(1, 25);
    ASSERT_TRUE(settle());
    EXPECT_TRUE(jmi->commands().mid(before).contains(QByteArray("f\x05\x1E", 3)));
    EXPECT_FLOAT_EQ(control->jmiSlowAdj(), 2.0f);
    EXPECT_EQ(stored("JMISlowAdjPref").toFloat(), 2.0f);
}

TEST_F(JMIControlTest, WrongEchoesAndSilenceFailTheCommands)
{
    port->simulator().garbleReplies("x");
    port->start();
    EXPECT_FALSE(frame->isFocuserConnected());
    frame->focuserConnect();
    ASSERT_TRUE(settle());
    EXPECT_FALSE(control->isConnected());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "JMI connection failed.");
    // Not connected: the speeds are not sent.
    EXPECT_FALSE(control->jmiSetSpeeds());
}

TEST_F(JMIControlTest, RepliesSplitByAPauseAreReadWhole)
{
    port->simulator().splitRepliesInHalf(std::chrono::milliseconds(40));
    jmi->setPosition(0x1234);
    connect();
    EXPECT_EQ(control->jmiPosition(), 0x1234);
}
