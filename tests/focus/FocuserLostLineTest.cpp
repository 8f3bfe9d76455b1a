#include "MoonLiteFixture.h"
#include "SerialFocuserFixture.h"
#include "support/Eventually.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The port of a focuser goes away during a move (`moving` tells when the
// focuser moves) while the window's own update timer runs: within three
// seconds the focuser is disconnected, the window says so and one alert
// names the focuser.
void expectLostMidMove(FocuserFrame& frame, FocuserControl& control, PtyDevice& port,
                       RecordingFocuserDisplay& display, const std::vector<RecordedAlert>& alerts,
                       const std::function<void()>& startMove, const std::function<bool()>& moving,
                       const QString& name)
{
    ASSERT_TRUE(frame.isUpdateTimerActive());
    startMove();
    ASSERT_TRUE(eventually(moving)) << "the focuser moves";
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
    // Nothing may come during a span of further update ticks: waiting it out is the check.
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
    const int before = device.answered();
    if (startMove)
        startMove();
    // The controller is heard before it falls silent.
    ASSERT_TRUE(eventually([&] { return device.answered() > before; }));
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
// after as many slow replies as a loss takes missing in a row, the focuser
// is still connected and none was taken for silence. The update ticks come
// quickly, so that each reply is asked for as soon as the one before came.
void expectSlowStaysConnected(FocuserFrame& frame, FocuserControl& control, const DeviceSimulator& device,
                              const std::vector<RecordedAlert>& alerts)
{
    frame.setUpdateInterval(std::chrono::milliseconds(100));
    const int before = device.answered();
    int mostSilent = 0;
    ASSERT_TRUE(eventually(
        [&] {
            mostSilent = std::max(mostSilent, control.silentReplies());
            return device.answered() >= before + FocuserFrame::kLostAfter && control.pendingExchanges() == 0;
        },
        60000));
    EXPECT_EQ(mostSilent, 0);
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
    // The simulated controller covers a move in the echoes of its goto.
    expectLostMidMove(
        *frame, *control, *port, display, alerts.alerts, [this] { frame->focusAction(RoboFrame::kGoto, 3000); },
        [this] { return simulator->commands().contains("FG003000"); }, "Robo-Focus");
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
    expectSlowStaysConnected(*frame, *control, port->simulator(), alerts.alerts);
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
    simulator->setStepsPerMs(0.1);
    connectOptec();
    expectLostMidMove(
        *frame, *control, *port, display, alerts.alerts, [this] { frame->focusAction(3, 5000); },
        [this] { return simulator->position() > 3500 && simulator->position() < 5000; }, "Optec");
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
    expectSlowStaysConnected(*frame, *control, port->simulator(), alerts.alerts);
}

// In its auto modes the controller is only listened to: a stream that
// comes seldom, but comes, is never taken for silence.
TEST_F(OptecLostLine, ASlowStreamInAutoModeStaysConnected)
{
    constexpr std::chrono::milliseconds kEvery{2500};
    simulator->setPosition(2468);
    simulator->setStreamEvery(kEvery);
    connectOptec();
    frame->modeAction(2);
    ASSERT_TRUE(eventually([this] { return display.status == "Auto Mode B"; }));
    // Records read one after another past the span in which a stream not
    // heard is taken for silence.
    const int records = int(OptecFrame::kSilentStreamTicks * FocuserFrame::kUpdateInterval / kEvery) + 1;
    for (int record = 0; record < records; ++record) {
        display.position.clear();
        ASSERT_TRUE(eventually([this] { return display.position == "2468"; })) << "record " << record;
        ASSERT_TRUE(control->isConnected());
    }
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
    moon->setMoveTime(std::chrono::seconds(30));
    connect();
    expectLostMidMove(
        *frame, *control, *port, display, alerts.alerts, [this] { frame->moveAction(MoonLiteFrame::kGoto, 9000); },
        [this] { return display.status == "Moving..."; }, "MoonLite");
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
    expectSlowStaysConnected(*frame, *control, port->simulator(), alerts.alerts);
}

class JMILostLine : public JMIFixture {};
TEST_F(JMILostLine, AVanishedPortDisconnectsWithAnAlert)
{
    jmi->setMoveTime(std::chrono::seconds(3));
    connect();
    expectLostMidMove(
        *frame, *control, *port, display, alerts.alerts, [this] { frame->moveAction(JMIFrame::kGoto, 3000); },
        [this] { return jmi->gotos().contains(3000) && control->isJMIMove(); }, "JMI");
}
