#include "JMIFixture.h"

#include "support/MainThreadWatchdog.h"

#include <gtest/gtest.h>

class JMIFrameTest : public JMIFixture {
protected:
    // A camera whose star is sharpest at 4900 steps of the simulated focuser.
    void runAutoFocus()
    {
        cameras.setWebcam(&webcam);
        AutoFocusRun& run = frame->autoFocus();
        run.curveAction(AutoFocusRun::kStartTag);
        ASSERT_TRUE(QTest::qWaitFor([&] { return run.isRun(); }, 10000));
        watchdog.start();
        const bool ended = QTest::qWaitFor(
            [&] {
                starFocuser.position = jmi->position();
                webcam.deliver();
                return !run.isRun();
            },
            30000);
        watchdog.stop();
        ASSERT_TRUE(ended);
    }

    void statusTick()
    {
        frame->statusTick();
        ASSERT_TRUE(settle());
    }

    FakeFocuser starFocuser;
    FakeStarCamera webcam{starFocuser, 4900};
    MainThreadWatchdog watchdog;
};

TEST_F(JMIFrameTest, EveryFifthTickReadsTheStatusAndThreeSilentReadsLoseTheFocuser)
{
    jmi->setStatus(0x06);
    connect();
    EXPECT_EQ(display.status, "Frame error");  // read at connect
    jmi->setStatus(0x00);
    for (int tick = 0; tick < JMIFrame::kStatusEvery; ++tick)
        statusTick();
    EXPECT_EQ(display.status, "Connected");
    EXPECT_EQ(display.position, "0500");
    EXPECT_EQ(gauge.level, 500 * 100 / 65535);

    jmi->setStatus(0xC0);
    for (int tick = 0; tick < JMIFrame::kStatusEvery; ++tick)
        statusTick();
    EXPECT_EQ(display.status, "At 0 position");

    jmi->silenceStatus(true);
    for (int tick = 0; tick < 2 * JMIFrame::kStatusEvery; ++tick)
        statusTick();
    EXPECT_TRUE(control->isConnected());
    EXPECT_TRUE(alerts.alerts.empty());
    for (int tick = 0; tick < JMIFrame::kStatusEvery; ++tick)
        statusTick();
    EXPECT_FALSE(control->isConnected());
    EXPECT_FALSE(display.front);
    EXPECT_EQ(display.status, "Not Connected");
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Lost connection with JMI");
    EXPECT_EQ(alerts.alerts[0].message, "disconnected");
}

TEST_F(JMIFrameTest, MovesBeepWhenRefusedAndTheGotoStaysWithinTheMaximum)
{
    connect();
    frame->moveAction(JMIFrame::kGoto, 70000);
    EXPECT_EQ(alerts.beeps, 1);
    frame->setupAction(JMIFrame::kMax, 1000);
    ASSERT_TRUE(settle());
    frame->moveAction(JMIFrame::kGoto, 1001);
    EXPECT_EQ(alerts.beeps, 2);
    EXPECT_TRUE(jmi->gotos().isEmpty());

    frame->moveAction(JMIFrame::kIn);
    ASSERT_TRUE(settle());
    EXPECT_TRUE(control->isJMIMove());
    frame->moveAction(JMIFrame::kIn);  // while moving: stop
    ASSERT_TRUE(settle());
    EXPECT_FALSE(control->isJMIMove());
    EXPECT_EQ(jmi->commands().mid(jmi->commands().size() - 2), (QList<QByteArray>{"i", "s"}));

    alerts.choice = false;
    frame->setupAction(JMIFrame::kInitialize);
    ASSERT_TRUE(settle());
    EXPECT_FALSE(jmi->commands().contains("h"));
    alerts.choice = true;
    frame->setupAction(JMIFrame::kInitialize);
    ASSERT_TRUE(settle());
    EXPECT_TRUE(jmi->commands().contains("h"));
    EXPECT_EQ(alerts.beeps, 2);
}

// A manual move run into an end of the travel has ended there: the motor
// stands where it was heading, and nothing is given up.
TEST_F(JMIFrameTest, AManualMoveStandingAtAnEndOfTheTravelHasEnded)
{
    jmi->setPosition(0);
    connect();
    frame->moveAction(JMIFrame::kIn);
    ASSERT_TRUE(settle());
    EXPECT_TRUE(control->isJMIMove());
    statusTick();
    EXPECT_FALSE(control->isJMIMove());
    EXPECT_EQ(control->moveOverdue(), MoveWatch::Overdue::No);

    frame->setupAction(JMIFrame::kMax, 1000);
    ASSERT_TRUE(settle());
    jmi->setPosition(1000);
    frame->moveAction(JMIFrame::kOut);
    ASSERT_TRUE(settle());
    EXPECT_TRUE(control->isJMIMove());
    statusTick();
    EXPECT_FALSE(control->isJMIMove());
    EXPECT_EQ(control->moveOverdue(), MoveWatch::Overdue::No);
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(JMIFrameTest, AutofocusSweepsByGotosAndFits)
{
    jmi->setPosition(5000);
    connect();
    runAutoFocus();
    EXPECT_EQ(jmi->gotos(), (QList<quint16>{4650, 4750, 4850, 4950, 5050, 5150, 5250}));
    std::vector<quint16> sampled;
    for (const FocusSample& sample : frame->autoFocus().dataStore())
        sampled.push_back(sample.focusPosition);
    EXPECT_EQ(sampled, (std::vector<quint16>{4650, 4750, 4850, 4950, 5050, 5150, 5250}));
    EXPECT_TRUE(frame->autoFocus().isCurveDone());
    EXPECT_NEAR(frame->autoFocus().bestFocus(), 4900, 60);
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(JMIFrameTest, AutofocusWithBacklashStartsWithTwoLegsAndKeepsTheLoopRunning)
{
    jmi->setPosition(5000);
    connect();
    control->setIsJMIBacklash(true);
    control->setJMIBacklash(200);
    runAutoFocus();
    EXPECT_EQ(jmi->gotos().mid(0, 3), (QList<quint16>{4450, 4650, 4750}));
    EXPECT_EQ(frame->autoFocus().dataStore().front().focusPosition, 4650);
    EXPECT_TRUE(frame->autoFocus().isCurveDone());
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(1000));
}

TEST_F(JMIFrameTest, AGotoThatEndsShortIsTold)
{
    jmi->setPosition(1000);
    connect();
    jmi->stopNextMoveShort(3);
    frame->moveAction(JMIFrame::kGoto, 2000);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            statusTick();
            return !alerts.alerts.empty();
        },
        20000));
    EXPECT_EQ(alerts.alerts[0].message, "The focuser stopped at 1997 instead of its target 2000.");
}

// The user's stop is no short end, whenever its echo comes: here after the
// go-to's own end byte, which the stop's exchange then reads in its place.
// Nor does a compensated go-to's second leg go out after it.
TEST_F(JMIFrameTest, AStopTheUserAskedForIsNotToldAsAShortEndWhateverItsEcho)
{
    jmi->setPosition(1000);
    jmi->endMovesOnlyOnStop(true);
    connect();
    jmi->stopNextMoveShort(700);
    frame->moveAction(JMIFrame::kGoto, 2500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return control->isJMIMove(); }, 10000));
    frame->moveAction(JMIFrame::kStop);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            statusTick();
            return !control->isJMIMove() && control->jmiPosition() == 1800;
        },
        20000));
    // A position read after the move has ended tells nothing either.
    statusTick();
    EXPECT_TRUE(alerts.alerts.empty());

    control->setIsJMIBacklash(true);
    control->setJMIBacklash(100);
    frame->moveAction(JMIFrame::kGoto, 1500);
    ASSERT_TRUE(QTest::qWaitFor([&] { return control->isJMIMove(); }, 10000));
    frame->moveAction(JMIFrame::kStop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !control->isJMIMove(); }, 20000));
    ASSERT_TRUE(settle());
    EXPECT_EQ(jmi->gotos(), (QList<quint16>{2500, 1400}));
    EXPECT_TRUE(alerts.alerts.empty());
}
