#include "MoonLiteFixture.h"
#include "SerialFocuserFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

// Each focuser family on a line as loaded adapters, slow controllers and
// wireless links give it: every reply 300 ms late and in two pieces 150 ms
// apart, every ninth garbled. Each connects, reads its position (and
// temperature), lands two go-tos and two moves, stops, and takes its
// settings, driven through its window as the program drives it.

namespace {

using namespace std::chrono_literals;

constexpr int kLandingMs = 15000;

void makeLineHostile(DeviceSimulator& device)
{
    device.setReplyDelay(300ms);
    device.splitRepliesInHalf(150ms);
    device.garbleEvery(9);
}

// An action whose own reply may be the garbled one is given again, as a user
// would; only actions that may be repeated (absolute targets, settings) go
// through here, and twice in a row no reply is garbled.
bool lands(const std::function<void()>& act, const std::function<bool()>& landed)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        act();
        if (QTest::qWaitFor(landed, kLandingMs))
            return true;
    }
    return false;
}

// A move of so many steps from where the focuser is: given once, it must land.
bool landsOnce(const std::function<void()>& act, const std::function<bool()>& landed)
{
    act();
    return QTest::qWaitFor(landed, kLandingMs);
}

// The session went on through the garbled replies: still connected, no
// alert, and enough replies went out for one at least to have been garbled.
void expectSessionHeld(bool connected, const std::vector<RecordedAlert>& alerts, const DeviceSimulator& device)
{
    EXPECT_TRUE(connected);
    EXPECT_TRUE(alerts.empty());
    EXPECT_GE(device.answered(), 9);
}

QString fourDigits(int value)
{
    return QString::asprintf("%.4d", value);
}

}  // namespace

class RoboSplitReplies : public RoboFixture {
protected:
    bool at(int steps) const
    {
        return simulator->position() == steps && control->roboPosition() == steps && !control->isRoboMove()
               && display.position == fourDigits(steps);
    }
};
TEST_F(RoboSplitReplies, EverythingLandsThroughLateSplitAndGarbledReplies)
{
    simulator->setPosition(3000);
    simulator->setTemperatureValue(600);
    makeLineHostile(port->simulator());
    connectFocuser();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return display.position == "3000" && display.temperature == QString::fromUtf8("26.9\u00B0C"); },
        30000));

    for (const int target : {3100, 2900})
        EXPECT_TRUE(lands([&] { frame->focusAction(RoboFrame::kGoto, target); }, [&] { return at(target); }))
            << target;
    frame->focusAction(RoboFrame::kSpeed, 50);
    EXPECT_TRUE(landsOnce([&] { frame->focusAction(RoboFrame::kOut); }, [&] { return at(2950); }));
    EXPECT_TRUE(landsOnce([&] { frame->focusAction(RoboFrame::kIn); }, [&] { return at(2900); }));

    ASSERT_TRUE(frame->keyUpAction(Qt::Key_Up));
    EXPECT_TRUE(QTest::qWaitFor([this] { return simulator->commands().contains("F "); }, kLandingMs));

    EXPECT_TRUE(lands([&] { frame->editTextAction(RoboFrame::kMaximumField, 60000); },
                      [&] { return simulator->maximum() == 60000 && roboDisplay.maximum == 60000; }));
    EXPECT_TRUE(lands([&] { frame->editTextAction(RoboFrame::kBacklashField, 40); },
                      [&] { return control->roboBacklash() == 40 && roboDisplay.backlash == 40; }));
    EXPECT_TRUE(lands([&] { frame->editTextAction(RoboFrame::kStepSizeField, 8); },
                      [&] { return simulator->config()[2] == 8; }));
    expectSessionHeld(control->isConnected(), alerts.alerts, port->simulator());
}

// A motor whose steps take time, each step echoed, on the same line: the
// stream is read 20 ticks after each go-to, before the late echoes come, and
// the temperature is due at every tick. Nothing but the user's stop reaches
// the moving motor (it would stop there), and each move is shown ended only
// once it has.
TEST_F(RoboSplitReplies, NothingButTheStopReachesAMovingMotor)
{
    simulator->setPosition(3000);
    simulator->setStepTime(5ms);
    makeLineHostile(port->simulator());
    connectFocuser();
    frame->setUpdateInterval(std::chrono::hours(1));
    const auto ticksUntil = [this](const std::function<bool()>& landed) {
        return QTest::qWaitFor(
            [&] {
                update();
                return landed();
            },
            kLandingMs * 2);
    };
    for (const int target : {3200, 3000, 3200}) {
        frame->focusAction(RoboFrame::kGoto, target);
        EXPECT_TRUE(ticksUntil([&] { return at(target); })) << target;
    }
    EXPECT_EQ(simulator->bytesDuringMoves(), QList<QByteArray>{});

    // The user's stop does reach it, and the window shows where it stopped.
    frame->focusAction(RoboFrame::kGoto, 3800);
    ASSERT_TRUE(QTest::qWaitFor([this] { return simulator->position() > 3300; }, kLandingMs));
    ASSERT_TRUE(frame->keyUpAction(Qt::Key_Up));
    EXPECT_TRUE(ticksUntil([&] { return !control->isRoboMove(); }));
    const int stopped = simulator->position();
    EXPECT_LT(stopped, 3800);
    EXPECT_TRUE(at(stopped));
    ASSERT_EQ(simulator->bytesDuringMoves().size(), 1);
    EXPECT_TRUE(simulator->bytesDuringMoves().first().startsWith("F "));
    expectSessionHeld(control->isConnected(), alerts.alerts, port->simulator());
}

class OptecSplitReplies : public OptecFixture {
protected:
    bool at(int units) const
    {
        return simulator->position() == units && display.position == fourDigits(units);
    }
};
// The controller has no stop: its moves are short steps.
TEST_F(OptecSplitReplies, EverythingLandsThroughLateSplitAndGarbledReplies)
{
    simulator->setPosition(2000);
    simulator->setTemperature(21.5);
    makeLineHostile(port->simulator());
    connectOptec();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return display.position == "2000" && display.temperature == QString::fromUtf8("21.5\u00B0C"); },
        30000));

    for (const int target : {2500, 1500})
        EXPECT_TRUE(lands([&] { frame->focusAction(3, target); }, [&] { return at(target); })) << target;
    frame->speedAction(2);  // the medium speed: 125 steps
    EXPECT_TRUE(landsOnce([&] { frame->focusAction(2); }, [&] { return at(1625); }));
    EXPECT_TRUE(landsOnce([&] { frame->focusAction(1); }, [&] { return at(1500); }));

    // Slope A written and read back.
    frame->tempCalcAction(37);
    EXPECT_TRUE(lands([&] { frame->tempControlAction(OptecFrame::kStoreCalculated); },
                      [&] { return simulator->slope('A') == 37 && frame->currentSlope() == 37; }));
    expectSessionHeld(control->isConnected(), alerts.alerts, port->simulator());
}

// A go-to asked right after garbled position replies waits for a position
// it can trust, then goes; with none to be had it is refused, and said so.
TEST_F(OptecSplitReplies, AGoToAfterGarbledPositionsIsSentOrRefusedAloud)
{
    QByteArray garbled = "P=2000\r\n";
    std::transform(garbled.begin(), garbled.end(), garbled.begin(), [](char c) { return char(~c); });
    simulator->setPosition(2000);
    makeLineHostile(port->simulator());
    connectOptec();
    ASSERT_TRUE(QTest::qWaitFor([this] { return display.position == "2000"; }, 30000));

    simulator->answerPositionWith({garbled, garbled});
    frame->focusAction(3, 1300);
    EXPECT_TRUE(QTest::qWaitFor([this] { return at(1300); }, kLandingMs * 2));
    EXPECT_TRUE(alerts.alerts.empty());

    simulator->answerPositionWith(QList<QByteArray>(8, garbled));
    const qsizetype first = simulator->commands().size();
    frame->focusAction(3, 1800);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.alerts.empty(); }, kLandingMs * 4));
    EXPECT_EQ(alerts.alerts[0].title, "The go-to to 1800 was not sent.");
    EXPECT_EQ(alerts.alerts[0].message, "The focuser did not report its position.");
    EXPECT_FALSE(sentSince(first).contains("FO0500"));
    EXPECT_EQ(simulator->position(), 1300);
}

class MoonLiteSplitReplies : public MoonLiteFixture {
protected:
    bool at(int steps) const
    {
        return moon->position() == steps && display.position == QString::number(steps);
    }
};
TEST_F(MoonLiteSplitReplies, EverythingLandsThroughLateSplitAndGarbledReplies)
{
    makeLineHostile(port->simulator());
    connect();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return display.position == "5000" && display.temperature == QString::fromUtf8("10.0 \u00B0C"); },
        30000));

    for (const int target : {6000, 5500})
        EXPECT_TRUE(lands([&] { frame->moveAction(MoonLiteFrame::kGoto, target); }, [&] { return at(target); }))
            << target;
    // The maximum becomes where the focuser is; the moves go to either end.
    EXPECT_TRUE(lands([&] { frame->setupAction(MoonLiteFrame::kMax); }, [&] { return moonDisplay.maximum == 5500; }));
    EXPECT_TRUE(lands([&] { frame->moveAction(MoonLiteFrame::kIn); }, [&] { return at(0); }));
    EXPECT_TRUE(lands([&] { frame->moveAction(MoonLiteFrame::kOut); }, [&] { return at(5500); }));

    ASSERT_TRUE(frame->keyUpAction(Qt::Key_Up));
    EXPECT_TRUE(QTest::qWaitFor([this] { return moon->commands().contains("FQ"); }, kLandingMs));

    EXPECT_TRUE(lands([&] { frame->moveAction(MoonLiteFrame::kSpeedCells, 2); },
                      [&] { return moon->stepDelay() == 16; }));
    expectSessionHeld(control->isConnected(), alerts.alerts, port->simulator());
}

class JMISplitReplies : public JMIFixture {
protected:
    bool at(int steps) const
    {
        return jmi->position() == steps && control->jmiPosition() == steps && !control->isJMIMove()
               && display.position == fourDigits(steps);
    }
};
// The controller has no thermometer; its moves run until stopped.
TEST_F(JMISplitReplies, EverythingLandsThroughLateSplitAndGarbledReplies)
{
    makeLineHostile(port->simulator());
    connect();
    ASSERT_TRUE(QTest::qWaitFor([this] { return display.position == "0500"; }, 30000));

    for (const int target : {800, 300})
        EXPECT_TRUE(lands([&] { frame->moveAction(JMIFrame::kGoto, target); }, [&] { return at(target); }))
            << target;
    for (const int direction : {JMIFrame::kIn, JMIFrame::kOut}) {
        SCOPED_TRACE(direction);
        EXPECT_TRUE(lands([&] { frame->moveAction(direction); }, [&] { return control->isJMIMove(); }));
        const qsizetype stops = jmi->commands().count("s");
        EXPECT_TRUE(lands([&] { frame->moveAction(JMIFrame::kStop); },
                          [&] { return !control->isJMIMove() && jmi->commands().count("s") > stops; }));
    }

    EXPECT_TRUE(lands([&] { frame->setupAction(JMIFrame::kMax, 1000); },
                      [&] { return jmi->maximum() == 1000 && setup.maxValue == 1000; }));
    frame->setupAction(JMIFrame::kBacklashBox, 100, true);
    EXPECT_TRUE(control->isJMIBacklash());
    EXPECT_TRUE(lands([&] { frame->moveAction(JMIFrame::kGoto, 200); }, [&] { return at(200); }));
    expectSessionHeld(control->isConnected(), alerts.alerts, port->simulator());
}
