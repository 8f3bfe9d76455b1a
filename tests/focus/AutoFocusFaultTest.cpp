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

// Frames come as the event loop polls, until the run ends.
template <typename Position>
bool runsToItsEnd(AutoFocusRun& run, FakeFocuser& optics, FakeStarCamera& camera, Position position,
                  const ScopedAlertRecorder& alerts)
{
    camera.exposesBetweenFrames = true;
    run.curveAction(AutoFocusRun::kStartTag);
    return QTest::qWaitFor(
        [&] {
            optics.position = quint16(position());
            camera.deliver();
            return run.isCurveDone() || !alerts.alerts.empty();
        },
        kRunMs);
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

// A controller that falls silent mid-run: the run waits for it no longer
// than its limit, says so, and moves the focuser no further.
TEST_F(RoboAutoFocusFaults, AControllerFallenSilentEndsTheRunWithAMessage)
{
    connectFocuser();
    AutoFocusRun& sweep = run();
    sweep.setConfirmLimit(4000ms, 10ms);  // two of the transport's time limits
    camera.exposesBetweenFrames = true;
    sweep.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            optics.position = quint16(simulator->position());
            camera.deliver();
            return sweep.dataStore().size() > 1 && sweep.dataStore()[1].isMeasured();
        },
        kRunMs));
    port->simulator().dropAnswers();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sweep.isRun(); }, 15000));
    ASSERT_FALSE(alerts.alerts.empty());
    EXPECT_EQ(alerts.alerts[0].title, "Curve calculation failed");
    EXPECT_EQ(alerts.alerts[0].message,
              "The focuser did not confirm its move or position in time. It was left where it is.");
    EXPECT_FALSE(sweep.isCurveDone());
    const qsizetype atEnd = simulator->commands().size();
    QTest::qWait(1500);
    const QList<QByteArray> after = sentSince(atEnd);
    EXPECT_TRUE(std::none_of(after.begin(), after.end(), [](const QByteArray& command) {
        return command.startsWith("FI") || command.startsWith("FO") || command.startsWith("F ")
               || (command.startsWith("FG") && command != "FG000000");
    })) << after.join(' ').toStdString();
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
