#include "MoonLiteFixture.h"

#include "support/MainThreadWatchdog.h"

#include <gtest/gtest.h>

class MoonLiteFrameTest : public MoonLiteFixture {
protected:
    // Waits for the compensation tick's temperature read.
    void tempTick()
    {
        const auto before = moon->commands().count("GT");
        frame->tempTick();
        ASSERT_TRUE(QTest::qWaitFor([&] { return moon->commands().count("GT") > before && !frame->isBlock(); }, 5000));
    }

    void statusTick()
    {
        frame->statusTick();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !frame->isBlock(); }, 10000));
        ASSERT_TRUE(settle());
    }

    FakeFocuser starFocuser;
    FakeStarCamera webcam{starFocuser, 59900};
};

TEST_F(MoonLiteFrameTest, LearningMeasuresTheSlopeOverAtLeastOneDegreeOfCooling)
{
    connect();
    tempAction(MoonLiteFrame::kLearn);
    EXPECT_TRUE(frame->isMoonLearn());
    EXPECT_EQ(moonDisplay.learnTitle, "Reset");
    EXPECT_FALSE(moonDisplay.compensation);

    moon->setTemperature(9.5f);
    tempAction(MoonLiteFrame::kCalculate);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "The tempeature difference is not large enough.");
    EXPECT_EQ(alerts.alerts[0].message, "Wait until the MoonLite cools down some more.");
    EXPECT_TRUE(frame->isMoonLearn());

    moon->setTemperature(7.5f);
    moon->setPosition(5100);
    tempAction(MoonLiteFrame::kCalculate);
    EXPECT_FLOAT_EQ(frame->moonSlope(), 40.0f);
    EXPECT_FLOAT_EQ(control->moonSlope(), 40.0f);
    EXPECT_EQ(moonDisplay.slope, "40");
    EXPECT_EQ(moonDisplay.delta, "2.5 \u00B0C");
    EXPECT_EQ(moonDisplay.learnTitle, "Learn");
    EXPECT_TRUE(moonDisplay.compensation);
    EXPECT_FALSE(frame->isMoonLearn());

    // The slope reaches the settings with the next saved maximum.
    frame->setupAction(MoonLiteFrame::kMax);
    ASSERT_TRUE(QTest::qWaitFor([&] { return moonDisplay.maximum == 5100; }, 10000));
    EXPECT_EQ(stored("MoonSlopePref").toFloat(), 40.0f);
    EXPECT_EQ(stored("MoonMaxPref"), "5100");
}

TEST_F(MoonLiteFrameTest, CompensationMovesOutAsTheFocuserCools)
{
    connect();
    tempAction(MoonLiteFrame::kCompensation, 40.0, true);
    EXPECT_TRUE(frame->isTempTimerActive());
    EXPECT_FALSE(moonDisplay.ratePopup);

    tempTick();
    ASSERT_TRUE(allHeard());
    EXPECT_TRUE(moon->gotos().isEmpty());

    moon->setTemperature(9.5f);
    tempTick();
    ASSERT_TRUE(waitForGoto(1));
    EXPECT_EQ(moon->gotos(), QList<quint16>{5020});
    ASSERT_TRUE(QTest::qWaitFor([&] { return moon->position() == 5020; }, 5000));

    // A slope of 3 makes one step of half a degree: too few.
    tempAction(MoonLiteFrame::kSlopeField, 3.0);
    moon->setTemperature(9.0f);
    tempTick();
    ASSERT_TRUE(allHeard());
    EXPECT_EQ(moon->gotos().size(), 1);

    tempAction(MoonLiteFrame::kCompensation, 3.0, false);
    frame->tempTick();
    EXPECT_FALSE(frame->isTempTimerActive());
}

TEST_F(MoonLiteFrameTest, TheStatusTimerShowsMotionAndSkipsWhileBlocked)
{
    moon->setMoveTime(std::chrono::milliseconds(2000));
    connect();
    ASSERT_TRUE(control->moonMoveTo(6000));
    ASSERT_TRUE(waitForGoto(1));
    statusTick();
    EXPECT_EQ(display.status, "Moving...");
    frame->moveAction(MoonLiteFrame::kIn);  // while moving: stop
    ASSERT_TRUE(QTest::qWaitFor([&] { return moon->commands().last() == "FQ"; }, 5000));
    statusTick();
    EXPECT_EQ(display.status, "Connected");

    frame->moveAction(MoonLiteFrame::kSpeedCells, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return moon->stepDelay() == 16; }, 5000));
    frame->moveAction(MoonLiteFrame::kGoto, 1234, true);  // Alt: redefines the position
    ASSERT_TRUE(QTest::qWaitFor([&] { return moon->position() == 1234; }, 5000));
    EXPECT_EQ(moon->gotos().size(), 1);
}

TEST_F(MoonLiteFrameTest, AutofocusFromPositionZeroBeeps)
{
    moon->setPosition(0);
    connect();
    cameras.setWebcam(&webcam);
    frame->autoFocus().curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return alerts.beeps == 1; }, 10000));
    EXPECT_FALSE(frame->autoFocus().isRun());
    EXPECT_TRUE(moon->gotos().isEmpty());
}

TEST_F(MoonLiteFrameTest, AutofocusFromSixtyThousandEndsWithAFitAndNeverBlocks)
{
    moon->setPosition(60000);
    moon->setMoveTime(std::chrono::milliseconds(300));
    connect();
    cameras.setWebcam(&webcam);
    AutoFocusRun& run = frame->autoFocus();
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.isRun(); }, 10000));
    MainThreadWatchdog watchdog;
    watchdog.start();
    const bool ended = QTest::qWaitFor(
        [&] {
            starFocuser.position = moon->position();
            webcam.deliver();
            return !run.isRun();
        },
        30000);
    watchdog.stop();
    ASSERT_TRUE(ended);
    EXPECT_EQ(moon->gotos(), (QList<quint16>{59650, 59750, 59850, 59950, 60050, 60150, 60250}));
    EXPECT_EQ(run.dataStore().front().focusPosition, 59650);
    EXPECT_TRUE(run.isCurveDone());
    EXPECT_NEAR(run.bestFocus(), 59900, 60);
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(1000));

    // Going to the best focus empties the plot.
    const quint16 best = run.bestFocus();
    run.curveAction(AutoFocusRun::kBestFocusTag);
    EXPECT_FALSE(run.dataStore().front().isMeasured());
    ASSERT_TRUE(waitForGoto(8));
    EXPECT_EQ(moon->gotos().last(), best);
}

// At its slowest speed setting the motor makes 10 steps a second: a sweep
// of 7 positions 100 steps apart takes over a minute and a half, and is
// waited for as long as the focuser says it moves.
TEST_F(MoonLiteFrameTest, AutofocusAtTheSlowestSpeedEndsWithAFit)
{
    moon->setPosition(60000);
    moon->setDelayUnit(std::chrono::microseconds(3125));  // delay code 32: 100 ms a step
    connect();
    frame->moveAction(MoonLiteFrame::kSpeedCells, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return moon->stepDelay() == 32; }, 5000));
    cameras.setWebcam(&webcam);
    AutoFocusRun& run = frame->autoFocus();
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            starFocuser.position = moon->position();
            webcam.deliver();
            return run.isCurveDone() || !alerts.alerts.empty();
        },
        240000));
    EXPECT_TRUE(alerts.alerts.empty()) << alerts.alerts.front().message.toStdString();
    EXPECT_EQ(moon->gotos(), (QList<quint16>{59650, 59750, 59850, 59950, 60050, 60150, 60250}));
    EXPECT_NEAR(run.bestFocus(), 59900, 60);
    EXPECT_FALSE(moon->commands().contains("FQ"));
}

// A motor that answers "moving" for ever and stays where it is: a
// "moving" answer is no progress, and the run stops it at its limit.
TEST_F(MoonLiteFrameTest, AMotorThatSaysItMovesButStaysIsStoppedWithAMessage)
{
    moon->setPosition(60000);
    connect();
    cameras.setWebcam(&webcam);
    moon->stallMotor();
    AutoFocusRun& run = frame->autoFocus();
    run.setConfirmLimit(std::chrono::milliseconds(3000));
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            webcam.deliver();
            return !alerts.alerts.empty();
        },
        20000));
    EXPECT_FALSE(run.isRun());
    EXPECT_EQ(alerts.alerts[0].message, "The focuser stopped reporting progress during its move. It was sent a "
                                        "stop. Its last reported position is 60000.");
    EXPECT_TRUE(QTest::qWaitFor([&] { return moon->commands().contains("FQ"); }, 5000));
}

TEST_F(MoonLiteFrameTest, AbortingAutofocusStopsTheFocuser)
{
    moon->setPosition(60000);
    moon->setMoveTime(std::chrono::milliseconds(3000));
    connect();
    cameras.setWebcam(&webcam);
    AutoFocusRun& run = frame->autoFocus();
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.isRun() && moon->gotos().size() == 1; }, 10000));
    run.curveAction(AutoFocusRun::kStartTag);
    EXPECT_FALSE(run.isRun());
    ASSERT_TRUE(QTest::qWaitFor([&] { return moon->commands().last() == "FQ"; }, 5000));
    EXPECT_LT(moon->position(), 60000);
    EXPECT_GT(moon->position(), 59650);
}

TEST_F(MoonLiteFrameTest, AGotoThatEndsShortIsTold)
{
    moon->setPosition(1000);
    connect();
    moon->stopNextMoveShort(7);
    frame->moveAction(MoonLiteFrame::kGoto, 1200);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            statusTick();
            return !alerts.alerts.empty();
        },
        20000));
    EXPECT_EQ(alerts.alerts[0].message, "The focuser stopped at 1193 instead of its target 1200.");
}
