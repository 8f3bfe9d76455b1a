#include "FocusFakes.h"

#include "focus/AutoFocusRun.h"
#include "focus/FocusCameras.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

#include <chrono>
#include <cstdlib>

class AutoFocusRunTest : public ::testing::Test {
protected:
    AutoFocusRunTest() { cameras.setWebcam(&camera); }

    // Frames arrive and the curve timer ticks until the run ends.
    void runToEnd(int ticks = 200)
    {
        for (int i = 0; i < ticks && run.isRun(); ++i) {
            camera.deliver();
            run.curveTick();
        }
    }
    // Frames arrive and the curve timer ticks until the sample at `index` is taken.
    void sampleUpTo(size_t index, int ticks = 20)
    {
        for (int i = 0; i < ticks && !run.dataStore()[index].isMeasured(); ++i) {
            camera.deliver();
            run.curveTick();
        }
    }
    void start(quint16 images, quint16 samples, quint16 steps = 100)
    {
        run.setImages(images);
        run.setSamples(samples);
        run.setSteps(steps);
        run.curveAction(AutoFocusRun::kStartTag);
    }

    ScopedAlertRecorder alerts;
    FakeFocuser focuser;
    FakeStarCamera camera{focuser, 3020};
    FocusCameras cameras;
    RecordingFocusDisplay display;
    AutoFocusRun run{focuser, display, cameras, std::chrono::microseconds(0)};
};

TEST_F(AutoFocusRunTest, ASweepFindsTheBestFocus)
{
    start(7, 2);
    EXPECT_TRUE(run.isRun());
    EXPECT_TRUE(run.isTimerBlock());
    EXPECT_TRUE(display.running);
    EXPECT_TRUE(run.isCurveTimerActive());
    EXPECT_EQ(focuser.position, 2650);  // half of 7 x 100 inward

    runToEnd();
    ASSERT_FALSE(run.isRun());
    EXPECT_TRUE(run.isCurveDone());
    EXPECT_LE(std::abs(int(run.bestFocus()) - 3020), 70);  // 1 % of N
    EXPECT_EQ(display.shownBest, run.bestFocus());
    EXPECT_EQ(display.shownRMS, run.rmsError());
    EXPECT_FALSE(display.running);
    EXPECT_FALSE(run.isTimerBlock());
    EXPECT_FALSE(run.isCurveTimerActive());
    EXPECT_EQ(display.progress.back(), 0);
    EXPECT_EQ(run.curvePt(), QPoint());
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(AutoFocusRunTest, TheStoreKeepsItsRunsGroupingWhenTheFieldsChangeAfterIt)
{
    start(7, 2);
    runToEnd();
    ASSERT_TRUE(run.isCurveDone());
    run.setImages(3);
    run.setSamples(5);
    EXPECT_EQ(run.storeLayout().images, 7);
    EXPECT_EQ(run.storeLayout().samples, 2);
    // The next run takes the new grouping.
    start(3, 5);
    EXPECT_EQ(run.storeLayout().images, 3);
    EXPECT_EQ(run.storeLayout().samples, 5);
}

TEST_F(AutoFocusRunTest, TheFocuserMovesAfterEachPositionsSamplesOnFreshFrames)
{
    start(4, 2, 50);
    runToEnd();
    ASSERT_EQ(run.dataStore().size(), 8u);
    // One inward move, then one outward move between positions, none after the last.
    EXPECT_EQ(focuser.moves, (std::vector<int>{-100, 50, 50, 50}));
    const std::vector<quint16> expected{2900, 2900, 2950, 2950, 3000, 3000, 3050, 3050};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(run.dataStore()[i].focusPosition, expected[i]) << i;
        EXPECT_TRUE(run.dataStore()[i].isMeasured()) << i;
    }
    EXPECT_EQ(display.positions, expected);
    EXPECT_EQ(camera.reusedFrames, 0);
    EXPECT_EQ(display.progress, (std::vector<int>{0, 0, 25, 25, 50, 50, 75, 75, 100, 0}));
}

TEST_F(AutoFocusRunTest, StartDuringARunAbortsWithoutAFit)
{
    start(7, 1);
    sampleUpTo(0);
    run.curveAction(AutoFocusRun::kStartTag);
    EXPECT_FALSE(run.isRun());
    EXPECT_FALSE(run.isCurveDone());
    EXPECT_FALSE(run.isTimerBlock());
    EXPECT_FALSE(run.isCurveTimerActive());
    EXPECT_FALSE(display.running);
    // The samples taken so far stay for the view.
    EXPECT_TRUE(run.dataStore()[0].isMeasured());
    EXPECT_FALSE(run.dataStore()[1].isMeasured());
}

// A position that cannot be read is asked again at each tick: one that
// comes later is the sample's; one that stays unreadable past the focuser's
// limit stops the run with the alert, the focuser left where it is.
TEST_F(AutoFocusRunTest, AFailedPositionReadStopsTheRunWithTheAlert)
{
    focuser.readsLeft = 2;  // the start and the first sample
    run.setConfirmLimit(std::chrono::milliseconds(1000));
    start(4, 1, 50);
    sampleUpTo(1);
    run.curveTick();
    EXPECT_EQ(display.positions, std::vector<quint16>{2900});
    focuser.readsLeft = 1;  // the second sample's, at last
    sampleUpTo(2);
    EXPECT_EQ(display.positions, (std::vector<quint16>{2900, 2950}));

    runToEnd();
    EXPECT_TRUE(run.isRun()) << "the focuser's limit has not passed";
    const std::vector<int> moves = focuser.moves;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            runToEnd(1);
            return !run.isRun();
        },
        10000));
    EXPECT_FALSE(run.isCurveDone());
    EXPECT_FALSE(run.isTimerBlock());
    EXPECT_FALSE(run.isCurveTimerActive());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Curve calculation failed");
    EXPECT_EQ(alerts.alerts[0].message,
              "The focuser did not confirm its move or position in time. It was left where it is.");
    EXPECT_EQ(run.bestFocus(), 0);
    EXPECT_EQ(focuser.moves, moves);
    EXPECT_EQ(focuser.halts, 0) << "no move was under way";
}

// A move is waited for as long as the focuser shows progress, however slow
// its motor; once the progress stops for the limit, the motor is stopped
// and the alert says so and where the focuser was last.
TEST_F(AutoFocusRunTest, AMoveIsWaitedForWhileItProgressesAndStoppedWhenItStalls)
{
    focuser.ready = false;
    run.setConfirmLimit(std::chrono::milliseconds(200));
    start(4, 1, 100);
    focuser.progressing = true;
    QElapsedTimer moving;
    moving.start();
    QTest::qWaitFor(
        [&] {
            run.curveTick();
            return !run.isRun() || moving.elapsed() >= 1000;
        },
        10000);
    EXPECT_TRUE(run.isRun()) << "five limits passed with progress at each tick";
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_EQ(focuser.halts, 0);

    focuser.progressing = false;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            run.curveTick();
            return !run.isRun();
        },
        10000));
    EXPECT_FALSE(run.isCurveTimerActive());
    EXPECT_EQ(focuser.halts, 1);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Curve calculation failed");
    EXPECT_EQ(alerts.alerts[0].message, "The focuser stopped reporting progress during its move. It was sent a "
                                        "stop. Its last reported position is 2800.");
    EXPECT_EQ(focuser.moves, std::vector<int>{-200});
    EXPECT_FALSE(run.dataStore()[0].isMeasured());
}

// Progress restarts the limit, but not past the move's ceiling.
TEST_F(AutoFocusRunTest, AMoveThatProgressesPastItsCeilingIsStopped)
{
    focuser.ready = false;
    start(4, 1, 100);
    focuser.progressing = true;
    run.curveTick();
    EXPECT_TRUE(run.isRun());
    focuser.pastCeiling = true;
    run.curveTick();
    EXPECT_FALSE(run.isRun());
    EXPECT_EQ(focuser.halts, 1);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].message, "The focuser's move took longer than its steps take at the slowest speed. "
                                        "It was sent a stop. Its last reported position is 2800.");
}

TEST_F(AutoFocusRunTest, AStalledMoveOfAFocuserWithoutAStopSaysItMayStillMove)
{
    focuser.ready = false;
    focuser.hasStop = false;
    run.setConfirmLimit(std::chrono::milliseconds(0));
    start(4, 1, 100);
    run.curveTick();
    EXPECT_FALSE(run.isRun());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].message, "The focuser stopped reporting progress during its move. It has no stop "
                                        "command and may still be moving. Its last reported position is 2800.");
}

// The answer to a read or move the focuser never gives is bounded too.
TEST_F(AutoFocusRunTest, AnAnswerThatNeverComesEndsTheRunAfterTheLimit)
{
    start(3, 1);
    run.setConfirmLimit(std::chrono::milliseconds(0));
    focuser.deferAnswers = true;
    sampleUpTo(0);
    ASSERT_TRUE(run.isAwaitingFocuser());
    run.curveTick();
    EXPECT_FALSE(run.isRun());
    EXPECT_FALSE(run.isAwaitingFocuser());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    focuser.answer();
    // Nor does a tick after the run's end take a sample.
    camera.deliver();
    run.curveTick();
    EXPECT_TRUE(display.positions.empty());
    EXPECT_EQ(focuser.moves, std::vector<int>{-150});
}

// Frames exposed while the focuser moved, and the one whose exposure spans
// the move's end, are not measured: every sample shows the optics where the
// sample's position says they were.
TEST_F(AutoFocusRunTest, EverySampleIsMeasuredOnAFrameExposedAfterItsMoveEnded)
{
    focuser.movingTicks = 3;
    camera.exposesBetweenFrames = true;
    start(5, 2, 60);
    runToEnd();
    ASSERT_TRUE(run.isCurveDone());
    ASSERT_EQ(camera.measuredAt.size(), 10u);
    for (size_t i = 0; i < camera.measuredAt.size(); ++i)
        EXPECT_EQ(camera.measuredAt[i], run.dataStore()[i].focusPosition) << i;
    EXPECT_EQ(camera.reusedFrames, 0);
}

TEST_F(AutoFocusRunTest, AFlatSweepEndsWithTheAlertAndNoBestFocus)
{
    // The camera sees no star at all: every sample has area 0.
    FakeFocuser still;
    still.position = 3000;
    FakeStarCamera dark(still);
    FocusCameras darkCameras;
    darkCameras.setWebcam(&dark);
    AutoFocusRun flat{focuser, display, darkCameras, std::chrono::microseconds(0)};
    flat.curveAction(AutoFocusRun::kStartTag);
    for (int i = 0; i < 100 && flat.isRun(); ++i) {
        dark.setHasFocusImage(true);
        flat.curveTick();
    }
    EXPECT_FALSE(flat.isRun());
    EXPECT_FALSE(flat.isCurveDone());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Curve calculation failed");
}

TEST_F(AutoFocusRunTest, StartRefusals)
{
    focuser.connected = false;
    run.curveAction(AutoFocusRun::kStartTag);
    EXPECT_EQ(alerts.beeps, 1);
    EXPECT_FALSE(run.isRun());

    focuser.connected = true;
    focuser.readsLeft = 0;
    run.curveAction(AutoFocusRun::kStartTag);
    EXPECT_EQ(alerts.beeps, 2);
    EXPECT_FALSE(run.isRun());

    // A refused inward move: the alert, no timer, the run marked until aborted.
    focuser.readsLeft = -1;
    focuser.refuseMoves = true;
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Curve calculation failed to start");
    EXPECT_TRUE(run.isRun());
    EXPECT_FALSE(run.isCurveTimerActive());
    run.curveAction(AutoFocusRun::kStartTag);
    EXPECT_FALSE(run.isRun());
}

TEST_F(AutoFocusRunTest, TicksWaitForAFrameTheGateAndTheSettling)
{
    focuser.ready = false;
    start(7, 1);
    camera.deliver();
    run.curveTick();  // the move has not ended
    EXPECT_FALSE(run.dataStore()[0].isMeasured());
    focuser.ready = true;
    run.curveTick();  // it has: the frame exposed during it is dropped
    EXPECT_FALSE(camera.hasFocusImage());
    run.curveTick();  // no frame yet
    camera.deliver();
    run.curveTick();  // the frame whose exposure spans the end
    EXPECT_FALSE(run.dataStore()[0].isMeasured());
    camera.deliver();
    run.curveTick();
    EXPECT_TRUE(run.dataStore()[0].isMeasured());

    // A move that settles for a long time holds the next sample off.
    AutoFocusRun slow{focuser, display, cameras, std::chrono::hours(1)};
    focuser.settleTicks = 10;
    slow.curveAction(AutoFocusRun::kStartTag);
    camera.setHasFocusImage(false);
    camera.deliver();
    slow.curveTick();
    EXPECT_FALSE(slow.dataStore()[0].isMeasured());
    slow.curveAction(AutoFocusRun::kStartTag);
}

TEST_F(AutoFocusRunTest, GoingToTheBestFocus)
{
    run.curveAction(AutoFocusRun::kBestFocusTag);
    EXPECT_EQ(alerts.beeps, 1);
    EXPECT_TRUE(focuser.gotos.empty());

    focuser.clearsPlot = true;
    start(7, 1);
    runToEnd();
    ASSERT_TRUE(run.isCurveDone());
    const quint16 best = run.bestFocus();
    run.curveAction(AutoFocusRun::kBestFocusTag);
    EXPECT_EQ(focuser.gotos, std::vector<quint16>{best});
    EXPECT_EQ(run.bestFocus(), 0);
    EXPECT_FALSE(run.isCurveDone());
    for (const FocusSample& sample : run.dataStore())
        EXPECT_FALSE(sample.isMeasured());
}

// The focuser answers on the worker's time: the ticks wait for its answer,
// and an answer that comes after the run was aborted changes nothing.
TEST_F(AutoFocusRunTest, LateAnswersHoldTheTicksAndAnAbortDropsThem)
{
    focuser.deferAnswers = true;
    start(3, 1);
    EXPECT_FALSE(run.isRun()) << "the position is still to come";
    EXPECT_TRUE(run.isAwaitingFocuser());
    focuser.answer();  // the position, then the inward move
    focuser.answer();
    ASSERT_TRUE(run.isRun());
    ASSERT_TRUE(run.isCurveTimerActive());

    sampleUpTo(0);
    EXPECT_TRUE(run.isAwaitingFocuser());
    camera.deliver();
    run.curveTick();  // still waiting: no second sample
    EXPECT_EQ(display.positions.size(), 0u);
    focuser.answer();  // the sample's position
    EXPECT_EQ(display.positions.size(), 1u);
    EXPECT_TRUE(run.isAwaitingFocuser()) << "the advance is still to come";

    run.curveAction(AutoFocusRun::kStartTag);  // abort
    EXPECT_FALSE(run.isRun());
    EXPECT_FALSE(run.isAwaitingFocuser());
    const int redraws = display.redraws;
    focuser.answer();
    EXPECT_FALSE(run.isRun());
    EXPECT_EQ(display.redraws, redraws);
    EXPECT_FALSE(run.isCurveDone());
    EXPECT_TRUE(alerts.alerts.empty());

    // Start pressed again before the position came back aborts the start.
    run.curveAction(AutoFocusRun::kStartTag);
    run.curveAction(AutoFocusRun::kStartTag);
    focuser.answer();
    EXPECT_FALSE(run.isRun());
    EXPECT_FALSE(run.isAwaitingFocuser());
}
