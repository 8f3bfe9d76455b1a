#include "app/AssembledProgram.h"
#include "app/FocusLink.h"
#include "app/MountLink.h"
#include "app/OptecAssembly.h"
#include "app/OptecWindowLink.h"
#include "app/RoboAssembly.h"
#include "app/WebcamLink.h"
#include "camera/FakeFrameSource.h"
#include "focus/OptecControl.h"
#include "focus/OptecFrame.h"
#include "focus/RoboControl.h"
#include "focus/RoboFrame.h"
#include "focus/views/RoboWindow.h"
#include "focus/views/FocusMenu.h"
#include "focus/views/OptecWindow.h"
#include "mount/SerialControl.h"
#include "mount/panels/ConnectMenu.h"
#include "focus/AutoFocusRun.h"
#include "support/OptecSimulator.h"
#include "support/PtyDevice.h"
#include "support/RoboFocusSimulator.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <cmath>

namespace {

QAction* focuserItem(FocusMenu& menu, int tag)
{
    for (QAction* action : menu.actions()) {
        if (action->data().toInt() == tag)
            return action;
    }
    return nullptr;
}

constexpr int kWebcamItem = 50;

// The webcam's view of a star whose width follows the focuser's true
// position, sharpest at 2995 steps.
QImage starAt(int position)
{
    constexpr int kWidth = 160;
    constexpr int kHeight = 120;
    const double defocus = (position - 2995) / 20.0;
    const double twoSigmaSquared = 2.0 * (1.5 * 1.5 + defocus * defocus);
    QImage sky(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double r2 = (x - 80.3) * (x - 80.3) + (y - 60.6) * (y - 60.6);
            const int v = int(8.0 + 230.0 * std::exp(-r2 / twoSigmaSquared));
            sky.setPixel(x, y, qRgb(v, v, v));
        }
    return sky;
}

// The simulator's thread ends before the controller model it serves goes.
struct SimulatorStop {
    PtyDevice& port;
    ~SimulatorStop() { port.closeMaster(); }
};

}  // namespace

// The serial focusers as the program builds them, on simulated controllers
// behind the mount's serial transport: the Focuser menu connects them, their
// exchanges run on the mount's worker, and their settings go through the
// settings object.
class FocuserSessionTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        stored = {{"OptecFineSpeedPref", 3}, {"OptecSlowSpeedPref", 30}, {"OptecMedSpeedPref", 300},
                  {"OptecFastSpeedPref", 3000}, {"RoboTempSlopePref", 12.5}};
        AssembledProgram::SetUp();
        chart->prefControl().readPrefs();
        SerialControl& serial = chart->mountLink().serialControl();
        serial.setExtraPorts({port.path()});
        serial.getPortNames();
    }
    void TearDown() override
    {
        chart.reset();
        port.closeMaster();
    }
    FocusMenu& menu() { return *chart->focusLink().focusMenu(); }
    // The webcam and `robo` (at 3000, its steps `perStep` apart, its
    // backlash and faults set) connected from their menus, the focuser's
    // start-up reads answered.
    void connectRoboWithWebcam(RoboFocusSimulator& robo,
                               std::chrono::milliseconds perStep = std::chrono::milliseconds(5))
    {
        robo.setPosition(3000);
        robo.setStepTime(perStep);
        port.start();
        chart->webcamLink().useSource(source);
        chart->mountLink().connectMenu()->itemWithTag(kWebcamItem)->trigger();
        RoboAssembly& assembly = chart->focusLink().robo();
        focuserItem(menu(), FocusMenu::kRoboTag)->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.window().statusField()->text() == "Connected"; }, 20000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.control().pendingExchanges() == 0; }, 10000));
    }

    ScopedAlertRecorder alerts;
    PtyDevice port;
    // Outlives the program, whose webcam plays it.
    FakeFrameSource source;
};

TEST_F(FocuserSessionTest, TheOptecConnectsFromTheFocuserMenuAndKeepsItsSpeeds)
{
    OptecSimulator optec(port.simulator());
    const SimulatorStop stop{port};
    optec.setPosition(2500);
    port.start();
    OptecAssembly& assembly = chart->focusLink().optec();
    EXPECT_EQ(assembly.window().speedField(3)->value(), 3000);

    QAction* item = focuserItem(menu(), FocusMenu::kOptecTag);
    ASSERT_NE(item, nullptr);
    menu().validateMenu();
    ASSERT_TRUE(item->isEnabled());
    item->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.control().isConnected(); }, 20000));
    menu().validateMenu();
    EXPECT_TRUE(item->isChecked());
    EXPECT_FALSE(focuserItem(menu(), FocusMenu::kRoboTag)->isEnabled());
    EXPECT_TRUE(assembly.window().isVisible());
    EXPECT_EQ(assembly.window().statusField()->text(), "Connected");

    // The update reads the position on the worker.
    ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.control().lastUnits() == 2500; }, 10000));

    // A typed speed is stored when the focuser disconnects.
    QSpinBox* fast = assembly.window().speedField(3);
    fast->setValue(1500);
    emit fast->editingFinished();
    item->trigger();
    EXPECT_FALSE(assembly.control().isConnected());
    EXPECT_FALSE(assembly.window().isVisible());
    EXPECT_EQ(storedValues().value("OptecFastSpeedPref").toInt(), 1500);
    EXPECT_EQ(storedValues().value("OptecFineSpeedPref").toInt(), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return optec.commands().endsWith("FFMODE"); }, 10000));
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(FocuserSessionTest, AFocuserWindowMadeLateShowsWhatItsFrameShowedMeanwhile)
{
    OptecAssembly& assembly = chart->focusLink().optec();
    OptecWindowLink& link = assembly.windowLink();
    ASSERT_FALSE(link.isWindowMade());
    assembly.frame().tempControlAction(OptecFrame::kLearnStart);
    link.showCurrentSlope(86);
    link.showStatus("Auto Mode A");
    link.showStatus("Auto Mode B");
    link.showRunning(true);
    // Acts on a window that is not there make none.
    link.redrawCurve();
    link.hide();
    EXPECT_FALSE(link.isVisible());
    EXPECT_FALSE(link.isWindowMade());

    link.show();
    ASSERT_TRUE(link.isWindowMade());
    OptecWindow& window = assembly.window();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.currentSlopeField()->text(), "86");
    EXPECT_EQ(window.averageSlopeField()->text(), "---");
    EXPECT_EQ(window.statusField()->text(), "Auto Mode B");
    EXPECT_EQ(window.startButton()->text(), "Abort");
    EXPECT_EQ(window.speedField(3)->value(), 3000);
    // Later settings reach it at once.
    link.showCurrentSlope(90);
    EXPECT_EQ(window.currentSlopeField()->text(), "90");
    link.hide();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(FocuserSessionTest, TheRoboFocusLearnsItsSlopeIntoTheSettings)
{
    RoboFocusSimulator robo(port.simulator());
    const SimulatorStop stop{port};
    robo.setPosition(3000);
    robo.setTemperatureValue(566);
    port.start();
    RoboAssembly& assembly = chart->focusLink().robo();
    EXPECT_EQ(assembly.window().slopeField()->text(), "12.5");

    QAction* item = focuserItem(menu(), FocusMenu::kRoboTag);
    ASSERT_NE(item, nullptr);
    item->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.control().isConnected(); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.window().statusField()->text() == "Connected"; }, 5000));
    menu().validateMenu();
    EXPECT_FALSE(focuserItem(menu(), FocusMenu::kOptecTag)->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.control().roboPosition() == 3000; }, 10000));

    const auto idle = [&] { return assembly.control().pendingExchanges() == 0; };
    assembly.frame().tempAction(RoboFrame::kLearn);
    ASSERT_TRUE(QTest::qWaitFor(idle, 10000));
    robo.setPosition(3060);
    robo.setTemperatureValue(562);
    assembly.frame().tempAction(RoboFrame::kCalculate);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(assembly.frame().roboSlope() - 30.0f) < 0.01f; }, 10000));
    EXPECT_NEAR(storedValues().value("RoboTempSlopePref").toFloat(), 30.0f, 0.01f);
    EXPECT_EQ(assembly.window().slopeField()->text(), "30.0");

    item->trigger();
    EXPECT_FALSE(assembly.control().isConnected());
    EXPECT_TRUE(alerts.alerts.empty());
}

// An autofocus run as the program wires it, through the webcam, on a line
// that garbles every ninth reply and a motor that takes its time: the run
// ends with its fit on its own, and the two samples of each position show
// one star, none taken while the focuser moved.
TEST_F(FocuserSessionTest, ARoboFocusAutofocusThroughTheWebcamOnAGarblingLine)
{
    RoboFocusSimulator robo(port.simulator());
    const SimulatorStop stop{port};
    port.simulator().garbleEvery(9);
    robo.setBacklash(3, 0);
    connectRoboWithWebcam(robo);
    ASSERT_FALSE(HasFatalFailure());
    RoboAssembly& assembly = chart->focusLink().robo();

    AutoFocusRun& run = assembly.frame().autoFocus();
    run.setImages(5);
    run.setSamples(2);
    run.setSteps(20);
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            source.play(starAt(robo.position()));
            // A garbled position read refuses the start: pressed again.
            if (!run.isRun() && !run.isAwaitingFocuser() && !run.isCurveDone())
                run.curveAction(AutoFocusRun::kStartTag);
            return run.isCurveDone() || !alerts.alerts.empty();
        },
        90000));
    EXPECT_TRUE(alerts.alerts.empty());
    ASSERT_TRUE(run.isCurveDone());
    const std::span<const FocusSample> samples = run.dataStore();
    ASSERT_EQ(samples.size(), 10u);
    for (size_t i = 0; i < samples.size(); i += 2) {
        EXPECT_EQ(samples[i].focusPosition, samples[i + 1].focusPosition) << i;
        EXPECT_EQ(samples[i].halfFluxRadius, samples[i + 1].halfFluxRadius) << samples[i].focusPosition;
    }
    EXPECT_EQ(samples[0].focusPosition, 2950);
    EXPECT_EQ(samples[8].focusPosition, 3030);
    EXPECT_LE(std::abs(int(run.bestFocus()) - 2995), 640);  // 1 % of N (64000)
}

// A controller that takes up backlash on inward moves runs each of them
// past its target by 200 steps and back, at 25 steps a second: 16 s with
// the motor no nearer its target, every step of it progress on its path.
TEST_F(FocuserSessionTest, ARoboFocusRunWhoseControllerTakesUpBacklashEndsWithAFit)
{
    RoboFocusSimulator robo(port.simulator());
    const SimulatorStop stop{port};
    robo.setBacklash(2, 200);
    connectRoboWithWebcam(robo, std::chrono::milliseconds(40));
    ASSERT_FALSE(HasFatalFailure());
    AutoFocusRun& run = chart->focusLink().robo().frame().autoFocus();
    run.setImages(3);
    run.setSamples(1);
    run.setSteps(20);
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            source.play(starAt(robo.position()));
            return run.isCurveDone() || !alerts.alerts.empty();
        },
        90000));
    EXPECT_TRUE(alerts.alerts.empty()) << alerts.alerts[0].message.toStdString();
    ASSERT_TRUE(run.isCurveDone());
    EXPECT_EQ(run.dataStore()[0].focusPosition, 2970);
    EXPECT_EQ(robo.bytesDuringMoves(), QList<QByteArray>{});
}

// The third move of a run never ends by itself: the motor steps back and
// forth, echoing each step. The run's own limit stops it and says where.
TEST_F(FocuserSessionTest, ARoboFocusMoveThatNeverEndsIsStoppedWithTheRunsOwnLimit)
{
    RoboFocusSimulator robo(port.simulator());
    const SimulatorStop stop{port};
    robo.wanderOnMove(3, 15);
    robo.setBacklash(3, 0);
    connectRoboWithWebcam(robo);
    ASSERT_FALSE(HasFatalFailure());
    RoboAssembly& assembly = chart->focusLink().robo();

    AutoFocusRun& run = assembly.frame().autoFocus();
    run.setImages(5);
    run.setSamples(1);
    run.setSteps(100);  // a ceiling of 20 s, well past the limit
    run.curveAction(AutoFocusRun::kStartTag);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            source.play(starAt(robo.position()));
            return !alerts.alerts.empty();
        },
        60000));
    EXPECT_FALSE(run.isRun());
    EXPECT_EQ(alerts.alerts[0].title, "Curve calculation failed");
    EXPECT_TRUE(alerts.alerts[0].message.startsWith(
        "The focuser stopped reporting progress during its move. It was sent a stop."))
        << alerts.alerts[0].message.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return robo.commands().contains("F "); }, 5000));
}

TEST_F(FocuserSessionTest, ARoboFocusThatFallsSilentIsLostAndFreesTheMenu)
{
    RoboFocusSimulator robo(port.simulator());
    const SimulatorStop stop{port};
    robo.setPosition(3000);
    port.start();
    RoboAssembly& assembly = chart->focusLink().robo();
    QAction* item = focuserItem(menu(), FocusMenu::kRoboTag);
    ASSERT_NE(item, nullptr);
    item->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.window().statusField()->text() == "Connected"; }, 20000));

    // The port stays open; only the answers stop.
    port.simulator().dropAnswers();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !alerts.alerts.empty(); }, 60000));
    EXPECT_EQ(alerts.alerts[0].title, "Lost connection with Robo-Focus");
    EXPECT_FALSE(assembly.control().isConnected());
    EXPECT_FALSE(assembly.window().isVisible());
    EXPECT_EQ(assembly.window().statusField()->text(), "Not Connected");
    menu().validateMenu();
    EXPECT_FALSE(item->isChecked());
    EXPECT_TRUE(focuserItem(menu(), FocusMenu::kOptecTag)->isEnabled());
}

TEST_F(FocuserSessionTest, AnOptecThatStopsStreamingInAutoModeIsLostAndFreesTheMenu)
{
    OptecSimulator optec(port.simulator());
    const SimulatorStop stop{port};
    port.start();
    OptecAssembly& assembly = chart->focusLink().optec();
    QAction* item = focuserItem(menu(), FocusMenu::kOptecTag);
    ASSERT_NE(item, nullptr);
    item->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.window().statusField()->text() == "Connected"; }, 20000));
    assembly.window().modeRadio()->button(1)->click();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return assembly.window().statusField()->text() == "Auto Mode A"; }, 10000));

    optec.fallSilent();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !alerts.alerts.empty(); }, 60000));
    // Ten update ticks of 1 s, the first perhaps still finding the last record.
    EXPECT_GE(clock.elapsed(), 7000);
    EXPECT_EQ(alerts.alerts[0].title, "Lost connection with Optec");
    EXPECT_FALSE(assembly.control().isConnected());
    EXPECT_FALSE(assembly.window().isVisible());
    menu().validateMenu();
    EXPECT_FALSE(item->isChecked());
    EXPECT_TRUE(focuserItem(menu(), FocusMenu::kRoboTag)->isEnabled());
    // The disconnect still tells the controller to leave its auto mode.
    ASSERT_TRUE(QTest::qWaitFor([&] { return optec.commands().endsWith("FFMODE"); }, 10000));
}
