#include "app/AssembledProgram.h"
#include "app/FocusLink.h"
#include "app/MountLink.h"
#include "app/OptecAssembly.h"
#include "app/OptecWindowLink.h"
#include "app/RoboAssembly.h"
#include "focus/OptecControl.h"
#include "focus/OptecFrame.h"
#include "focus/RoboControl.h"
#include "focus/RoboFrame.h"
#include "focus/views/RoboWindow.h"
#include "focus/views/FocusMenu.h"
#include "focus/views/OptecWindow.h"
#include "mount/SerialControl.h"
#include "mount/panels/ConnectMenu.h"
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
        AssembledProgram::SetUp();
        seed({{"OptecFineSpeedPref", 3}, {"OptecSlowSpeedPref", 30}, {"OptecMedSpeedPref", 300},
              {"OptecFastSpeedPref", 3000}, {"RoboTempSlopePref", 12.5}});
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

    ScopedAlertRecorder alerts;
    PtyDevice port;
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
    ASSERT_TRUE(QTest::qWaitFor([&] { return assembly.frame().currentUnits() == 2500; }, 10000));

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
