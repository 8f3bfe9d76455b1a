#include "MoonLiteFixture.h"
#include "SerialFocuserFixture.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The port of a focuser goes away during a move while the window's own
// update timer runs: within three seconds the focuser is disconnected, the
// window says so and one alert names the focuser.
void expectLostMidMove(FocuserFrame& frame, FocuserControl& control, PtyDevice& port,
                       RecordingFocuserDisplay& display, const std::vector<RecordedAlert>& alerts,
                       const std::function<void()>& startMove, const QString& name)
{
    ASSERT_TRUE(frame.isUpdateTimerActive());
    startMove();
    QTest::qWait(300);
    ASSERT_TRUE(control.isConnected());
    port.closeMaster();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !alerts.empty(); }, 10000));
    // An update tick (1 s, MoonLite 1.5 s), the check half a second on and the worker's answers.
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(control.isConnected());
    EXPECT_EQ(display.status, "Not Connected");
    EXPECT_EQ(display.position, "----");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].title, "Lost connection with " + name);
    EXPECT_EQ(alerts[0].message, "disconnected");
    QTest::qWait(1500);
    EXPECT_EQ(alerts.size(), 1u) << "a lost focuser is reported once";
}

// The controller stops answering while its port stays open, during a move
// or idle: once a few replies have not come (each waits the transport's
// two seconds) the focuser is disconnected with one alert naming it.
void expectLostWhenSilent(FocuserFrame& frame, FocuserControl& control, DeviceSimulator& device,
                          RecordingFocuserDisplay& display, const std::vector<RecordedAlert>& alerts,
                          const std::function<void()>& startMove, const QString& name,
                          std::chrono::milliseconds within)
{
    ASSERT_TRUE(frame.isUpdateTimerActive());
    if (startMove)
        startMove();
    QTest::qWait(300);
    ASSERT_TRUE(control.isConnected());
    device.dropAnswers();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !alerts.empty(); }, 60000));
    EXPECT_LT(clock.elapsed(), within.count());
    EXPECT_FALSE(control.isConnected());
    EXPECT_EQ(display.status, "Not Connected");
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].title, "Lost connection with " + name);
    EXPECT_EQ(alerts[0].message, "disconnected");
}

// Replies that come late, but within the transport's time, never count:
// after enough update ticks for a loss the focuser is still connected.
void expectSlowStaysConnected(FocuserControl& control, const std::vector<RecordedAlert>& alerts,
                              std::chrono::milliseconds span)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < span.count()) {
        QTest::qWait(200);
        ASSERT_EQ(control.silentReplies(), 0);
    }
    EXPECT_TRUE(control.isConnected());
    EXPECT_TRUE(alerts.empty());
}

constexpr std::chrono::milliseconds kSlowReply{1000};

}  // namespace

class RoboLostLine : public RoboFixture {
protected:
    // The temperature, asked every fifth tick and then at each tick until
    // it comes, is the reply an idle controller owes: five ticks and three
    // reads of a stream wait and the transport's time each.
    static constexpr std::chrono::milliseconds kWithin{20000};
};
TEST_F(RoboLostLine, AVanishedPortDisconnectsWithAnAlert)
{
    connectFocuser();
    expectLostMidMove(*frame, *control, *port, display, alerts.alerts,
                      [this] { frame->focusAction(RoboFrame::kGoto, 3000); }, "Robo-Focus");
}
TEST_F(RoboLostLine, SilenceMidMoveDisconnectsWithAnAlert)
{
    connectFocuser();
    expectLostWhenSilent(*frame, *control, port->simulator(), display, alerts.alerts,
                         [this] { frame->focusAction(RoboFrame::kGoto, 3000); }, "Robo-Focus", kWithin);
}
TEST_F(RoboLostLine, SilenceWhileIdleDisconnectsWithAnAlert)
{
    connectFocuser();
    expectLostWhenSilent(*frame, *control, port->simulator(), display, alerts.alerts, {}, "Robo-Focus",
                         kWithin);
}
TEST_F(RoboLostLine, ASlowControllerStaysConnected)
{
    port->simulator().setReplyDelay(kSlowReply);
    connectFocuser();
    // Four temperature reads at least.
    expectSlowStaysConnected(*control, alerts.alerts, std::chrono::milliseconds(14000));
}

class OptecLostLine : public OptecFixture {
protected:
    // Each tick asks the position (which a moving controller may leave
    // unsaid, so it does not count) and the temperature, the transport's
    // time each: three ticks.
    static constexpr std::chrono::milliseconds kWithin{20000};
};
TEST_F(OptecLostLine, AVanishedPortDisconnectsWithAnAlert)
{
    connectOptec();
    expectLostMidMove(*frame, *control, *port, display, alerts.alerts,
                      [this] { frame->focusAction(3, 5000); }, "Optec");
}
TEST_F(OptecLostLine, SilenceMidMoveDisconnectsWithAnAlert)
{
    simulator->setStepsPerMs(0.5);
    connectOptec();
    expectLostWhenSilent(*frame, *control, port->simulator(), display, alerts.alerts,
                         [this] { frame->focusAction(3, 6000); }, "Optec", kWithin);
}
TEST_F(OptecLostLine, SilenceWhileIdleDisconnectsWithAnAlert)
{
    connectOptec();
    expectLostWhenSilent(*frame, *control, port->simulator(), display, alerts.alerts, {}, "Optec", kWithin);
}
TEST_F(OptecLostLine, ASlowControllerStaysConnected)
{
    port->simulator().setReplyDelay(kSlowReply);
    connectOptec();
    expectSlowStaysConnected(*control, alerts.alerts, std::chrono::milliseconds(9000));
}

// In its auto modes the controller is only listened to: a stream that
// comes seldom, but comes, is never taken for silence.
TEST_F(OptecLostLine, ASlowStreamInAutoModeStaysConnected)
{
    simulator->setPosition(2468);
    simulator->setStreamEvery(std::chrono::milliseconds(2500));
    connectOptec();
    frame->modeAction(2);
    ASSERT_TRUE(QTest::qWaitFor([this] { return display.status == "Auto Mode B"; }, 10000));
    display.position.clear();
    QTest::qWait(14000);
    EXPECT_TRUE(control->isConnected());
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_EQ(display.position, "2468") << "the stream was read";
    EXPECT_EQ(display.status, "Auto Mode B");
}

class MoonLiteLostLine : public MoonLiteFixture {
protected:
    // Each 1.5 s tick asks whether the motor moves and where it is, the
    // transport's time each: two ticks.
    static constexpr std::chrono::milliseconds kWithin{15000};
};
TEST_F(MoonLiteLostLine, AVanishedPortDisconnectsWithAnAlert)
{
    connect();
    expectLostMidMove(*frame, *control, *port, display, alerts.alerts,
                      [this] { frame->moveAction(MoonLiteFrame::kGoto, 9000); }, "MoonLite");
}
TEST_F(MoonLiteLostLine, SilenceMidMoveDisconnectsWithAnAlert)
{
    connect();
    expectLostWhenSilent(*frame, *control, port->simulator(), display, alerts.alerts,
                         [this] { frame->moveAction(MoonLiteFrame::kGoto, 9000); }, "MoonLite", kWithin);
}
TEST_F(MoonLiteLostLine, SilenceWhileIdleDisconnectsWithAnAlert)
{
    connect();
    expectLostWhenSilent(*frame, *control, port->simulator(), display, alerts.alerts, {}, "MoonLite", kWithin);
}
TEST_F(MoonLiteLostLine, ASlowControllerStaysConnected)
{
    port->simulator().setReplyDelay(kSlowReply);
    connect();
    expectSlowStaysConnected(*control, alerts.alerts, std::chrono::milliseconds(9000));
}

class JMILostLine : public JMIFixture {};
TEST_F(JMILostLine, AVanishedPortDisconnectsWithAnAlert)
{
    connect();
    expectLostMidMove(*frame, *control, *port, display, alerts.alerts,
                      [this] { frame->moveAction(JMIFrame::kGoto, 3000); }, "JMI");
}
