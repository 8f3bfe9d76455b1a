#include "app/AssembledProgram.h"
#include "app/FocusLink.h"
#include "app/JMIFocuserLink.h"
#include "app/JMIWindowLink.h"
#include "app/MoonLiteFocuserLink.h"
#include "app/MoonLiteWindowLink.h"
#include "app/MountLink.h"
#include "chart/ChartOutlets.h"
#include "focus/FocusFakes.h"
#include "focus/JMIControl.h"
#include "focus/JMIFrame.h"
#include "focus/MoonLiteControl.h"
#include "focus/MoonLiteFrame.h"
#include "focus/views/FocusMenu.h"
#include "focus/views/JMIWindow.h"
#include "focus/views/MoonLiteWindow.h"
#include "model/TempSettings.h"
#include "mount/SerialControl.h"
#include "mount/panels/ConnectMenu.h"
#include "support/JMISimulator.h"
#include "support/MainThreadWatchdog.h"
#include "support/MoonLiteSimulator.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

// The JMI and MoonLite focusers as the program assembles them: the Focuser
// menu finds each on its simulated port through the mount's transport and
// worker, its window joins the chart's outlets, its settings reach the
// settings file, and an autofocus run on a camera's frames ends with a fit
// while the event loop keeps running.
class JMIMoonLiteFocusTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        SerialControl& serial = chart->mountLink().serialControl();
        serial.setExtraPorts({port.path()});
        serial.getPortNames();
        chart->focusLink().cameras().setWebcam(&camera);
    }
    void TearDown() override { chart.reset(); }

    void choose(int tag)
    {
        QAction* item = chart->focusLink().focusMenu()->itemWithTag(tag);
        ASSERT_NE(item, nullptr);
        item->trigger();
    }
    // Runs autofocus with the camera following the focuser; true when it ended.
    bool runAutoFocus(AutoFocusRun& run, const std::function<quint16()>& position)
    {
        run.curveAction(AutoFocusRun::kStartTag);
        watchdog.start();
        const bool ended = QTest::qWaitFor(
            [&] {
                starFocuser.position = position();
                camera.deliver();
                return run.isRun() == false && run.isAwaitingFocuser() == false && run.isCurveDone();
            },
            60000);
        watchdog.stop();
        return ended;
    }

    ScopedAlertRecorder alerts;
    PtyDevice port;
    FakeFocuser starFocuser;
    FakeStarCamera camera{starFocuser, 5000};
    MainThreadWatchdog watchdog;
};

TEST_F(JMIMoonLiteFocusTest, TheJMIFocuserConnectsFromTheMenuAndRunsAutofocusWithBacklash)
{
    JMISimulator jmi(port.simulator());
    jmi.setPosition(5200);
    port.start();
    JMIFocuserLink& link = chart->jmiLink();
    choose(FocusMenu::kJMITag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.control().isConnected(); }, 20000));
    EXPECT_TRUE(link.window().isVisible());
    EXPECT_EQ(chart->outlets().jmiWindow, &link.windowLink());

    // The backlash box and field store the settings; an inward go-to from
    // the window's field makes two legs.
    link.window().backlashField()->setValue(100);
    link.window().backlashBox()->click();
    EXPECT_EQ(TempSettings::stored("JMIBacklashValuePref"), "100");
    EXPECT_EQ(TempSettings::stored("JMIBacklashPref"), "YES");
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.control().jmiPosition() == 5200; }, 20000));
    link.window().gotoField()->setValue(5100);
    link.window().button("Go To")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return jmi.gotos().size() == 2 && !link.control().isJMIMove(); }, 20000));
    EXPECT_EQ(jmi.gotos(), (QList<quint16>{5000, 5100}));

    AutoFocusRun& run = link.frame().autoFocus();
    ASSERT_TRUE(runAutoFocus(run, [&] { return jmi.position(); }));
    EXPECT_EQ(run.dataStore().front().focusPosition, 4750);
    EXPECT_NEAR(run.bestFocus(), 5000, 80);
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(1000));
    EXPECT_TRUE(alerts.alerts.empty());

    choose(FocusMenu::kJMITag);
    EXPECT_FALSE(link.control().isConnected());
    EXPECT_FALSE(link.window().isVisible());
}

TEST_F(JMIMoonLiteFocusTest, TheMoonLiteFocuserJoinsTheChartAndFocusesFromTheMenu)
{
    MoonLiteSimulator moon(port.simulator());
    moon.setPosition(5300);
    moon.setMoveTime(std::chrono::milliseconds(150));
    port.start();
    MoonLiteFocuserLink& link = chart->moonLiteLink();
    EXPECT_EQ(chart->outlets().moonWindow, &link.windowLink());
    EXPECT_FALSE(link.windowLink().isWindowMade());
    choose(FocusMenu::kMoonTag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.control().isConnected(); }, 20000));
    EXPECT_TRUE(link.window().isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.window().maximumField()->text() == "65535"; }, 20000));

    AutoFocusRun& run = link.frame().autoFocus();
    ASSERT_TRUE(runAutoFocus(run, [&] { return moon.position(); }));
    EXPECT_EQ(moon.gotos().value(0), 4950);
    EXPECT_NEAR(run.bestFocus(), 5000, 80);
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(1000));
    EXPECT_TRUE(alerts.alerts.empty());

    choose(FocusMenu::kMoonTag);
    EXPECT_FALSE(link.control().isConnected());
}

// A closed MoonLite window comes back from Connect > Control Panel, which
// also closes it again; the focuser stays connected throughout.
TEST_F(JMIMoonLiteFocusTest, ControlPanelShowsAndClosesTheMoonLiteWindow)
{
    constexpr int kControlPanelTag = 20;
    MoonLiteSimulator moon(port.simulator());
    port.start();
    MoonLiteFocuserLink& link = chart->moonLiteLink();
    choose(FocusMenu::kMoonTag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.control().isConnected(); }, 20000));
    ASSERT_TRUE(link.window().isVisible());
    link.window().close();
    EXPECT_FALSE(link.window().isVisible());
    EXPECT_TRUE(link.control().isConnected());

    ConnectMenu& menu = *chart->mountLink().connectMenu();
    menu.validateMenu();
    QAction* controlPanel = menu.itemWithTag(kControlPanelTag);
    ASSERT_TRUE(controlPanel->isEnabled());
    EXPECT_FALSE(controlPanel->isChecked());
    controlPanel->trigger();
    EXPECT_TRUE(link.window().isVisible());
    menu.validateMenu();
    EXPECT_TRUE(controlPanel->isChecked());
    controlPanel->trigger();
    EXPECT_FALSE(link.window().isVisible());
    EXPECT_TRUE(link.control().isConnected());
    EXPECT_TRUE(alerts.alerts.empty());
}
