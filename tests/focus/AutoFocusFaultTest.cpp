#include "SerialFocuserFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

// Autofocus runs on the controllers as a line and a motor give them: answers
// lost on the way, a motor slower than the settling time, a controller that
// falls silent (garbled replies: FocuserSessionTest, through the webcam). The
// camera's star follows where the motor truly is, each frame exposed from
// the delivery of the one before: every sample must show the focus its
// recorded position has, and every run must end on its own.

namespace {

using namespace std::chrono_literals;

constexpr int kRunMs = 90000;
// A sweep of 950 steps at 10 steps a second.
constexpr int kSlowRunMs = 240000;

// Frames come as the event loop polls, until the run ends.
template <typename Position>
bool runsToItsEnd(AutoFocusRun& run, FakeFocuser& optics, FakeStarCamera& camera, Position position,
                  const ScopedAlertRecorder& alerts, int waitMs = kRunMs)
{
    camera.exposesBetweenFrames = true;
    run.curveAction(AutoFocusRun::kStartTag);
    return QTest::qWaitFor(
        [&] {
            optics.position = quint16(position());
            camera.deliver();
            return run.isCurveDone() || !alerts.alerts.empty();
        },
        waitMs);
}

void expectSamplesWhereMeasured(const AutoFocusRun& run, const FakeStarCamera& camera)
{
    ASSERT_EQ(camera.measuredAt.size(), run.dataStore().size());
    for (size_t i = 0; i < camera.measuredAt.size(); ++i)
        EXPECT_EQ(camera.measuredAt[i], run.dataStore()[i].focusPosition) << i;
    EXPECT_EQ(camera.reusedFrames, 0);
}

}  // namespace

class RoboAutoFocusFaults : public RoboFixture {
protected:
    void SetUp() override
    {
        RoboFixture::SetUp();
        simulator->setPosition(3000);
        simulator->setBacklash(3, 0);
        simulator->setStepTime(5ms);
        cameras.setWebcam(&camera);
    }
    AutoFocusRun& run()
    {
        AutoFocusRun& run = frame->autoFocus();
        run.setImages(5);
        run.setSamples(1);
        run.setSteps(20);
        return run;
    }
    bool runs(AutoFocusRun& run)
    {
        return runsToItsEnd(run, optics, camera, [this] { return simulator->position(); }, alerts);
    }

    FakeFocuser optics;
    FakeStarCamera camera{optics, 3010};
};

TEST_F(RoboAutoFocusFaults, EveryTenthReplyDropped)
{
    port->simulator().dropEvery(10);
    connectFocuser();
    AutoFocusRun& sweep = run();
    ASSERT_TRUE(runs(sweep));
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_TRUE(sweep.isCurveDone());
    expectSamplesWhereMeasured(sweep, camera);
    EXPECT_GE(port->simulator().answered(), 10);
}

// A controller that hangs mid-move: the run waits no longer than its limit
// from the last step echo, stops the motor, says so and where it was last
// reported, and moves the focuser no further.
TEST_F(RoboAutoFocusFaults, AControllerHungMidMoveIsStoppedWithAMessage)
{
    simulator->hangMidMove(30);  // the inward move, of 50 steps
    connectFocuser();
    AutoFocusRun& sweep = run();
    sweep.setConfirmLimit(4000ms);  // two of the transport's time limits
    camera.exposesBetweenFrames = true;
    sweep.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            camera.deliver();
            return !alerts.alerts.empty();
        },
        kRunMs));
    EXPECT_FALSE(sweep.isRun());
    EXPECT_EQ(alerts.alerts[0].title, "Curve calculation failed");
    EXPECT_EQ(alerts.alerts[0].message, "The focuser stopped reporting progress during its move. It was sent a "
                                        "stop. Its last reported position is 2970.");
    EXPECT_FALSE(sweep.isCurveDone());
    EXPECT_TRUE(QTest::qWaitFor([&] { return simulator->commands().contains("F "); }, 5000));
    EXPECT_EQ(simulator->position(), 2970);
    const qsizetype atEnd = simulator->commands().size();
    QTest::qWait(1500);
    const QList<QByteArray> after = sentSince(atEnd);
    EXPECT_TRUE(std::none_of(after.begin(), after.end(), [](const QByteArray& command) {
        return command.startsWith("FI") || command.startsWith("FO") || (command.startsWith("FG") && command != "FG000000");
    })) << after.join(' ').toStdString();
}

// A move whose end record is lost, on a line that carries a stray byte
// every 0.7 s: the move ends 2 s after its last echo and the run goes on.
TEST_F(RoboAutoFocusFaults, ALostEndRecordAmongStrayBytesStillEndsWithAFit)
{
    simulator->loseEndRecordOfMove(2);
    port->simulator().babble("X", 700ms);
    connectFocuser();
    AutoFocusRun& sweep = run();
    sweep.setImages(7);
    ASSERT_TRUE(runs(sweep));
    port->simulator().babble({}, 0ms);
    EXPECT_TRUE(alerts.alerts.empty()) << alerts.alerts.front().message.toStdString();
    EXPECT_TRUE(sweep.isCurveDone());
    expectSamplesWhereMeasured(sweep, camera);
    EXPECT_EQ(simulator->bytesDuringMoves(), QList<QByteArray>{});
}

// The motor steps at 10 a second: a sweep of 7 positions 100 steps apart
// takes over a minute and a half, and is waited for as long as the step
// echoes come.
TEST_F(RoboAutoFocusFaults, ASlowMotorIsWaitedForWhileItSteps)
{
    simulator->setStepTime(100ms);
    connectFocuser();
    AutoFocusRun& sweep = frame->autoFocus();
    sweep.setImages(7);
    sweep.setSamples(1);
    sweep.setSteps(100);
    ASSERT_TRUE(runsToItsEnd(sweep, optics, camera, [this] { return simulator->position(); }, alerts, kSlowRunMs));
    EXPECT_TRUE(alerts.alerts.empty()) << alerts.alerts.front().message.toStdString();
    EXPECT_TRUE(sweep.isCurveDone());
    EXPECT_EQ(simulator->commands().count("FI000350"), 1);
    EXPECT_EQ(simulator->commands().count("FO000100"), 6);
    EXPECT_FALSE(simulator->commands().contains("F "));
    EXPECT_EQ(simulator->bytesDuringMoves(), QList<QByteArray>{});
    expectSamplesWhereMeasured(sweep, camera);
}

// The controller answers a move at once and its motor takes longer than the
// settling time: the samples wait for a position read that says it stands.
class OptecAutoFocusFaults : public OptecFixture {};

TEST_F(OptecAutoFocusFaults, ASlowMotorIsWaitedForBeforeEachSample)
{
    simulator->setPosition(3000);
    simulator->setStepsPerMs(0.03);  // 20 steps: 667 ms, past the 383 ms of settling
    connectOptec();
    FakeFocuser optics;
    FakeStarCamera camera{optics, 3010};
    cameras.setWebcam(&camera);
    AutoFocusRun& run = frame->autoFocus();
    run.setImages(5);
    run.setSamples(1);
    run.setSteps(20);
    ASSERT_TRUE(runsToItsEnd(run, optics, camera, [this] { return simulator->position(); }, alerts));
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_TRUE(run.isCurveDone());
    expectSamplesWhereMeasured(run, camera);
}
