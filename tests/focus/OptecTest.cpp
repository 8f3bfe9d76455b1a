#include "SerialFocuserFixture.h"

#include "focus/views/OptecWindow.h"
#include "support/MainThreadWatchdog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using Probe = OptecSimulator::Probe;

class OptecTest : public OptecFixture {};

TEST_F(OptecTest, ConnectsInManualModeAndReadsTheStoredSlope)
{
    simulator->setPosition(1234);
    connectOptec();
    EXPECT_EQ(display.status, "Connected");
    EXPECT_EQ(control->optecMode(), OptecControl::kModeManual);
    EXPECT_EQ(optecDisplay.currentSlope, 0);
    EXPECT_EQ(optecDisplay.average, "---");
    EXPECT_EQ(simulator->commands().value(0), "FMMODE");

    update();
    EXPECT_EQ(display.position, "1234");
    EXPECT_EQ(display.temperature, QString::fromUtf8("21.5\u00B0C"));
    EXPECT_EQ(control->lastUnits(), 1234);

    // The disconnect ends the controller's session and stores the speeds.
    const qsizetype first = simulator->commands().size();
    frame->focuserConnect();
    settle();
    EXPECT_EQ(sentSince(first), (QList<QByteArray>{"FMMODE", "FFMODE"}));
    EXPECT_EQ(speedSaves, 1);
    EXPECT_EQ(display.status, "Not Connected");
    EXPECT_TRUE(QTest::qWaitFor([this] { return serial->serialRefNum(kSerialSlotFocuser) == -1; }, 5000));
}

TEST_F(OptecTest, GoToSendsTheOneMoveItNeeds)
{
    simulator->setPosition(2000);
    connectOptec();
    // The status tick's reads would land among the go-to's commands.
    frame->setUpdateInterval(std::chrono::hours(1));
    struct Case {
        int target;
        QList<QByteArray> sent;
    };
    const Case cases[] = {
        {3500, {"FCENTR"}},
        {3500 + 100, {"FPOSRO", "FO0100"}},
        {3600, {"FPOSRO", "FI0000"}},
        {3000, {"FPOSRO", "FI0600"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        const qsizetype first = simulator->commands().size();
        bool done = false;
        control->optecSetUnits(c.target, [&done](bool ok) { done = ok; });
        settle();
        EXPECT_TRUE(done);
        EXPECT_EQ(sentSince(first), c.sent);
    }
}

// A position reply is "P=" and four digits: one that lost or gained bytes
// is none, and neither the field nor a go-to's move is taken from it.
TEST_F(OptecTest, APositionIsPAndItsFourDigits)
{
    simulator->setPosition(1234);
    connectOptec();
    frame->setUpdateInterval(std::chrono::hours(1));
    update();
    ASSERT_EQ(display.position, "1234");
    simulator->answerPositionWith({"P=12\r\n", "P=123400\r\n"});
    update();
    update();
    EXPECT_EQ(display.position, "1234");
    EXPECT_EQ(control->lastUnits(), 1234);

    simulator->answerPositionWith({"P=12\r\n"});
    const qsizetype first = simulator->commands().size();
    bool done = false;
    control->optecSetUnits(1300, [&done](bool ok) { done = ok; });
    settle();
    EXPECT_TRUE(done);
    EXPECT_EQ(sentSince(first), (QList<QByteArray>{"FPOSRO", "FPOSRO", "FO0066"}));
}

TEST_F(OptecTest, LongMovesAreSplitIntoFourDigitMoves)
{
    simulator->setPosition(0);
    connectOptec();
    const qsizetype first = simulator->commands().size();
    bool done = false;
    control->optecFOUT(12000, [&done](bool ok) { done = ok; });
    settle();
    EXPECT_TRUE(done);
    EXPECT_EQ(sentSince(first), (QList<QByteArray>{"FO9999", "FO2001"}));
    control->optecFIN(9999, [](bool) {});
    settle();
    EXPECT_EQ(simulator->commands().last(), "FI9999");
}

TEST_F(OptecTest, AMovingFocuserShowsMovingWhileTheProbeIsGood)
{
    simulator->setPosition(1000);
    connectOptec();
    // The test ticks the frame itself: an hour between the frame's own ticks
    // keeps a slow machine from adding one.
    frame->setUpdateInterval(std::chrono::hours(1));
    update();
    ASSERT_EQ(display.position, "1000");
    simulator->setStepsPerMs(0.001);  // a move that outlasts the test
    control->optecFOUT(500, [](bool) {});
    settle();
    update();
    EXPECT_EQ(display.position, "Moving...");

    // A failed probe raises its alert at each tick, and then a moving
    // focuser leaves the position field as it was.
    simulator->setProbe(Probe::Failed);
    update();
    EXPECT_FALSE(control->isTempOK());
    EXPECT_EQ(display.temperature, "ER=1");
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Temperature Probe Failure");
    EXPECT_EQ(alerts.alerts[0].message, "ER=1");
    display.position = "1000";
    update();
    EXPECT_EQ(display.position, "1000");
    EXPECT_EQ(alerts.alerts.size(), 2u);
    EXPECT_FALSE(frame->shouldSelectTab(FocuserFrame::kTemperatureTab));

    // Auto modes wait for a good probe.
    const qsizetype first = simulator->commands().size();
    frame->modeAction(1);
    settle();
    EXPECT_EQ(sentSince(first), QList<QByteArray>{});
    EXPECT_GE(alerts.beeps, 1);
}

// A reply that cannot be read is no news of a move: a focuser standing
// still keeps its position shown through garbled replies; only while a move
// is owed does an unread position show "Moving...".
TEST_F(OptecTest, AGarbledReplyIsNoNewsOfAMove)
{
    constexpr int kGarbleEvery = 9;
    constexpr int kPolls = 13;
    simulator->setPosition(1234);
    port->simulator().garbleEvery(kGarbleEvery);
    connectOptec();
    frame->setUpdateInterval(std::chrono::hours(1));
    for (int poll = 0; poll < kPolls; ++poll) {
        update();
        EXPECT_EQ(display.position, "1234") << poll;
    }
    // Every command is answered: the garbled answers were these commands',
    // the position's among them.
    const QList<QByteArray> sent = simulator->commands();
    int garbledPositions = 0;
    for (qsizetype at = kGarbleEvery - 1; at < sent.size(); at += kGarbleEvery)
        garbledPositions += sent.at(at) == "FPOSRO" ? 1 : 0;
    EXPECT_GE(garbledPositions, 2);
    EXPECT_TRUE(alerts.alerts.empty());

    // A move is owed until a position has been read.
    int units = 0;
    control->optecFOUT(100, [](bool) {});
    settle();
    EXPECT_TRUE(control->isMoveOwed());
    port->simulator().dropAnswers();
    control->optecReadUnits([&units](int read) { units = read; });
    settle();
    EXPECT_EQ(units, OptecControl::kUnitsMoving);
    EXPECT_TRUE(control->isMoveOwed());
}

// The controller answers a move only at its end: a move given up right
// after connecting names the position the go-to read before it, and the
// next connection names none until it reads one of its own.
TEST_F(OptecTest, AMoveGivenUpNamesThePositionLastRead)
{
    simulator->setPosition(3500);
    connectOptec();
    simulator->setStepsPerMs(0.001);  // 100 s for 100 steps, past the move's 12 s ceiling
    frame->focusAction(3, 3600);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.alerts.empty(); }, 30000));
    EXPECT_EQ(alerts.alerts[0].title, "The focuser's move was given up");
    EXPECT_TRUE(alerts.alerts[0].message.endsWith("Its last reported position is 3500."))
        << alerts.alerts[0].message.toStdString();

    frame->setUpdateInterval(std::chrono::hours(1));
    frame->focuserConnect();
    settle();
    frame->focuserConnect();
    settle();
    ASSERT_TRUE(control->isConnected());
    EXPECT_EQ(frame->lastKnownPosition(), std::nullopt);
}

TEST_F(OptecTest, ARemoteReadingRefusesTheTemperatureTab)
{
    connectOptec();
    EXPECT_TRUE(frame->shouldSelectTab(FocuserFrame::kTemperatureTab));
    simulator->setProbe(Probe::Remote);
    update();
    EXPECT_EQ(display.temperature, "Remote");
    EXPECT_FALSE(frame->shouldSelectTab(FocuserFrame::kTemperatureTab));
    EXPECT_TRUE(alerts.alerts.empty());
    // The window's copy stays bad once a good reading comes back.
    simulator->setProbe(Probe::Good);
    update();
    EXPECT_TRUE(control->isTempOK());
    EXPECT_FALSE(frame->shouldSelectTab(FocuserFrame::kTemperatureTab));
}

TEST_F(OptecTest, AutoModesShowWhatTheControllerStreams)
{
    simulator->setPosition(4321);
    simulator->setTemperature(-3.5);
    connectOptec();
    for (const int row : {1, 2}) {
        SCOPED_TRACE(row);
        frame->modeAction(row);
        settle();
        ASSERT_EQ(control->optecMode(), row + 1);
        display.position.clear();
        // The stream comes every 0.1 s: a tick finds one.
        ASSERT_TRUE(QTest::qWaitFor([this] {
            update();
            return !display.position.isEmpty();
        }, 5000));
        EXPECT_EQ(display.position, "4321");
        EXPECT_EQ(display.temperature, QString::fromUtf8("-3.5\u00B0C"));
        EXPECT_EQ(display.status, row == 1 ? "Auto Mode A" : "Auto Mode B");
    }
    frame->modeAction(0);
    settle();
    EXPECT_EQ(control->optecMode(), OptecControl::kModeManual);
    EXPECT_EQ(display.status, "Connected");
    frame->modeAction(5);
    EXPECT_EQ(alerts.beeps, 1);
}

TEST_F(OptecTest, SlopeLearningAveragesOverTheTemperatureChange)
{
    simulator->setPosition(1000);
    simulator->setTemperature(20.0);
    connectOptec();
    update();
    frame->tempControlAction(OptecFrame::kLearnStart);
    EXPECT_EQ(optecDisplay.startTemp, "20.0");

    // 1.0 degree and 37 steps, then 3.0 degrees and 123 steps from the start.
    simulator->setPosition(1037);
    simulator->setTemperature(21.0);
    update();
    frame->tempControlAction(OptecFrame::kLearnCalculate);
    EXPECT_EQ(frame->calcSlope(), 37);
    EXPECT_EQ(frame->avgSlope(), 37);
    simulator->setPosition(1123);
    simulator->setTemperature(23.0);
    update();
    frame->tempControlAction(OptecFrame::kLearnCalculate);
    EXPECT_EQ(frame->calcSlope(), 41);
    EXPECT_EQ(frame->avgSlope(), 40);
    EXPECT_EQ(optecDisplay.average, "40");
    EXPECT_EQ(optecDisplay.calculated, "41");
    EXPECT_EQ(optecDisplay.delta, "3.0");

    // No temperature change yet: a beep, not a division by zero.
    frame->tempControlAction(OptecFrame::kLearnStart);
    frame->tempControlAction(OptecFrame::kLearnCalculate);
    EXPECT_EQ(alerts.beeps, 1);
    EXPECT_EQ(frame->avgSlope(), 0);

    // Stored as slope B and read back.
    frame->tempModeAction(1);
    settle();
    frame->tempCalcAction(41);
    frame->tempControlAction(OptecFrame::kStoreCalculated);
    settle();
    EXPECT_EQ(simulator->slope('B'), 41);
    EXPECT_EQ(frame->currentSlope(), 41);
    EXPECT_EQ(optecDisplay.currentSlope, 41);
}

TEST_F(OptecTest, SpeedsComeFromTheSettingsAndAHeldKeyRepeats)
{
    start();
    for (int slot = 0; slot < 4; ++slot)
        frame->setOptecSpeed(slot, quint16(10 * (slot + 1)));
    EXPECT_EQ(optecDisplay.speeds, (std::array<quint16, 4>{10, 20, 30, 40}));
    frame->speedAction(2);
    EXPECT_EQ(frame->speedUnits(), 30);
    frame->speedTextAction(2, 35);
    EXPECT_EQ(frame->speedUnits(), 35);
    frame->speedTextAction(3, 45);
    EXPECT_EQ(frame->speedUnits(), 35);

    frame->focuserConnect();
    settle();
    const qsizetype first = simulator->commands().size();
    ASSERT_TRUE(frame->keyAction(Qt::Key_Up));
    EXPECT_TRUE(frame->isRepeating());
    const auto moves = [&] {
        QList<QByteArray> sent = sentSince(first);
        sent.removeIf([](const QByteArray& command) { return !command.startsWith("FI"); });
        return sent;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return moves().size() >= 3; }, 20000));
    ASSERT_TRUE(frame->keyUpAction(Qt::Key_Up));
    settle();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !frame->isRepeating(); }, 2000));
    const QList<QByteArray> sent = moves();
    EXPECT_TRUE(std::all_of(sent.begin(), sent.end(), [](const QByteArray& c) { return c == "FI0035"; }));
}

// Every exchange waits on the worker: a controller gone silent costs the
// transport's reads there, the main thread runs on, and the read fails.
TEST_F(OptecTest, ASilentControllerFailsOffTheMainThread)
{
    port->simulator().stopAnsweringAfter(2);  // the probe and the slope
    connectOptec();
    settle();
    MainThreadWatchdog watchdog;
    watchdog.start();
    int units = 0;
    control->optecReadUnits([&units](int read) { units = read; });
    float temp = 0.0f;
    control->optecReadTemp([&temp](float read) { temp = read; });
    settle();
    watchdog.stop();
    EXPECT_EQ(units, OptecControl::kUnitsUnread) << "no move is under way";
    EXPECT_EQ(temp, OptecControl::kTempUnread);
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(100));
}

TEST_F(OptecTest, ANoAnswerConnectRaisesTheAlert)
{
    port->simulator().dropAnswers();
    start();
    frame->focuserConnect();
    settle();
    EXPECT_FALSE(control->isConnected());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Optec connection failed.");
    // Not connected: the operations answer at once.
    int units = 0;
    control->optecReadUnits([&units](int read) { units = read; });
    EXPECT_EQ(units, 3500);
}

TEST_F(OptecTest, AnAutofocusRunOnTheControllerEndsWithAFit)
{
    simulator->setPosition(3000);
    connectOptec();
    FakeFocuser optics;  // where the camera sees the focuser
    FakeStarCamera camera{optics, 2990};
    cameras.setWebcam(&camera);
    AutoFocusRun& run = frame->autoFocus();
    run.setImages(7);
    run.setSamples(1);
    run.setSteps(20);
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        optics.position = quint16(simulator->position());
        camera.deliver();
        return run.isCurveDone() || !alerts.alerts.empty();
    }, 60000));
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_LE(std::abs(int(run.bestFocus()) - 2990), 70);  // 1 % of N
    EXPECT_EQ(simulator->commands().mid(2, 2), (QList<QByteArray>{"FPOSRO", "FI0070"}));
    EXPECT_EQ(simulator->commands().count("FO0020"), 6);

    // Going there empties the plot.
    const int best = run.bestFocus();
    run.curveAction(AutoFocusRun::kBestFocusTag);
    settle();
    EXPECT_EQ(simulator->position(), best);
    EXPECT_TRUE(std::all_of(run.dataStore().begin(), run.dataStore().end(),
                            [](const FocusSample& sample) { return sample.halfFluxRadius == 0.0f; }));
}

TEST_F(OptecTest, TheWindowShowsTheSpeedsAndReachesTheFrame)
{
    start();
    OptecWindow window;
    OptecFrame shown(*control, FocuserFrame::Links{*scope, *prefs, cameras}, {window, window, window}, {});
    window.attachOptec(shown);
    EXPECT_EQ(window.speedField(2)->value(), 125);
    shown.setOptecSpeed(3, 77);
    EXPECT_EQ(window.speedField(3)->value(), 77);
    window.speedField(0)->setValue(9);
    emit window.speedField(0)->editingFinished();
    EXPECT_EQ(shown.getOptecSpeed(0), 9);
    EXPECT_EQ(shown.speedUnits(), 9);
    // Not connected: a move beeps; the temperature tab is refused.
    window.findChildren<QPushButton*>().first()->click();
    EXPECT_FALSE(window.selectTab(FocuserFrame::kTemperatureTab));
    EXPECT_GE(alerts.beeps, 1);
    window.showLearning("40", "41", "20.0", "3.0");
    EXPECT_EQ(window.averageSlopeField()->text(), "40");
}

TEST_F(OptecTest, AGotoThatEndsShortIsTold)
{
    simulator->setPosition(2000);
    connectOptec();
    frame->setUpdateInterval(std::chrono::hours(1));
    simulator->stopNextMoveShort(4);
    control->optecSetUnits(3000, [](bool) {});
    settle();
    control->optecReadUnits([](int) {});
    settle();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].message, "The focuser stopped at 2996 instead of its target 3000.");
}
