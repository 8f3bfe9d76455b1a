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

}  // namespace

class RoboLostLine : public RoboFixture {};
TEST_F(RoboLostLine, AVanishedPortDisconnectsWithAnAlert)
{
    connectFocuser();
    expectLostMidMove(*frame, *control, *port, display, alerts.alerts,
                      [this] { frame->focusAction(RoboFrame::kGoto, 3000); }, "Robo-Focus");
}

class OptecLostLine : public OptecFixture {};
TEST_F(OptecLostLine, AVanishedPortDisconnectsWithAnAlert)
{
    connectOptec();
    expectLostMidMove(*frame, *control, *port, display, alerts.alerts,
                      [this] { frame->focusAction(3, 5000); }, "Optec");
}

class MoonLiteLostLine : public MoonLiteFixture {};
TEST_F(MoonLiteLostLine, AVanishedPortDisconnectsWithAnAlert)
{
    connect();
    expectLostMidMove(*frame, *control, *port, display, alerts.alerts,
                      [this] { frame->moveAction(MoonLiteFrame::kGoto, 9000); }, "MoonLite");
}

class JMILostLine : public JMIFixture {};
TEST_F(JMILostLine, AVanishedPortDisconnectsWithAnAlert)
{
    connect();
    expectLostMidMove(*frame, *control, *port, display, alerts.alerts,
                      [this] { frame->moveAction(JMIFrame::kGoto, 3000); }, "JMI");
}
