#include "app/MountSessionFixture.h"
#include "app/DomeLink.h"
#include "app/FocusLink.h"
#include "app/MoonLiteFocuserLink.h"
#include "app/ScopeAim.h"
#include "chart/ChartOutlets.h"
#include "chart/menus/ChartMenuBar.h"
#include "chart/menus/EditMenuActions.h"
#include "focus/MoonLiteControl.h"
#include "focus/views/FocusMenu.h"
#include "scopeview/ScopeViewWindow.h"
#include "model/Angles.h"
#include "mount/MountProtocols.h"
#include "mount/SerialControl.h"
#include "mount/dome/DomeControl.h"
#include "mount/panels/ConnectMenu.h"
#include "mount/panels/HandControlPanelSet.h"
#include "mount/panels/LX200Panel.h"
#include "mount/panels/SlewPulseMenu.h"
#include "support/ColonCommandMount.h"
#include "support/Eventually.h"
#include "support/LX200Personality.h"
#include "support/MainThreadWatchdog.h"
#include "support/MoonLiteSimulator.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <functional>
#include <memory>

namespace {

using namespace std::chrono_literals;
constexpr double kHour = 15.0 * Angles::kDegToRad;
constexpr int kWaitMs = kSessionWaitMs;

// An LX200 mount behind a pty, as a controller plugged in.
struct SimulatedLX200 {
    SimulatedLX200() : mount(std::make_unique<LX200Personality>(LX200Personality::Kind::Autostar,
                                                                LX200Personality::Options{}))
    {
        mount.setSlewTime(4000ms);
        mount.attach(pty.simulator());
        pty.start();
    }
    // The frames received from `from` on.
    QByteArrayList frames(qsizetype from = 0)
    {
        QByteArrayList all;
        for (const QByteArray& frame : mount.frames())
            all.append(frame);
        return all.mid(from);
    }
    // The motion commands received since `from`, in order.
    QByteArrayList motions(qsizetype from = 0)
    {
        QByteArrayList sent;
        for (const QByteArray& frame : mount.frames()) {
            if (frame.startsWith(":M") || frame.startsWith(":Q"))
                sent.append(frame);
        }
        return sent.mid(from);
    }

    PtyDevice pty;
    ColonCommandMount mount;
};

}  // namespace

// The LX200 side of the program as the chart assembles it.
class MountSessionTest : public MountSessionFixture {
protected:
    void SetUp() override
    {
        MountSessionFixture::SetUp();
        useProtocol(kProtocolLX200, "Simulated LX200");
    }
    void connectTo(SimulatedLX200& device) { MountSessionFixture::connectTo(device.pty.path()); }
};

TEST_F(MountSessionTest, ConnectGotoPollStopByThePanelAndPark)
{
    SimulatedLX200 device;
    ASSERT_NO_FATAL_FAILURE(connectTo(device));
    MainThreadWatchdog watchdog;
    watchdog.start();

    const double ra = 5.5 * kHour;
    const double dec = 20.0 * Angles::kDegToRad;
    scope().gotoRA(ra, dec);
    // Midway the dome aims where the mount points now, not at the target.
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.mount.isSlewing(); }, kWaitMs));
    const double startRA = scope().status().scopeRA;
    ASSERT_TRUE(QTest::qWaitFor([&] { return scope().status().scopeRA != startRA; }, kWaitMs));
    DomeControl& dome = chart->domeLink().domeControl();
    dome.domeGetScopeAz();
    EXPECT_NEAR(dome.scopeAzimuth(), scope().scopeAzAlt().az * Angles::kRadToDeg, 0.5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::abs(scope().status().scopeRA - ra) < 1e-4; }, kWaitMs));
    EXPECT_NEAR(scope().status().scopeDec, dec, 1e-4);

    // What the mount receives from one use of the panel.
    const auto motionsOf = [&](const std::function<void()>& use, qsizetype count) {
        const qsizetype before = device.motions().size();
        use();
        EXPECT_TRUE(QTest::qWaitFor([&] { return device.motions(before).size() >= count; }, kWaitMs));
        return device.motions(before);
    };
    LX200Panel& panel = panels().lx200Panel();
    panel.show();
    // Locking stops whatever was held.
    EXPECT_EQ(motionsOf([&] { panel.lockAction(true); }, 1), QByteArrayList{":Q#"});

    // Locked with a quarter-second pulse: a click slews and the pulse stops it.
    panels().slewPulseMenu().slewPulseMenuAction(2);
    EXPECT_EQ(motionsOf([&] { panel.directionButton(1)->click(); }, 2), (QByteArrayList{":Mn#", ":Q#"}));
    // The pulse's end reaches the panel from the worker; the button is off once it has.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel.directionButton(1)->isChecked(); }, kWaitMs));

    // Locked without a pulse: the second click stops that direction.
    panels().slewPulseMenu().slewPulseMenuAction(0);
    EXPECT_EQ(motionsOf([&] {
                  panel.directionButton(1)->click();
                  panel.directionButton(1)->click();
              }, 2),
              (QByteArrayList{":Mn#", ":Qn#"}));

    // Held: the release stops.
    EXPECT_EQ(motionsOf([&] { panel.lockAction(false); }, 1), QByteArrayList{":Q#"});
    EXPECT_EQ(motionsOf([&] {
                  QTest::mousePress(panel.directionButton(3), Qt::LeftButton);
                  QTest::mouseRelease(panel.directionButton(3), Qt::LeftButton);
              }, 2),
              (QByteArrayList{":Me#", ":Q#"}));

    EXPECT_LT(watchdog.longestStall(), 100ms);
    EXPECT_TRUE(alerts.alerts.empty());

    // Parked, the LX200 hangs up.
    panel.buttonWithTag(31)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.mount.sky().parked; }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !scope().isConnected(); }, kWaitMs));
}

// Restore Scope Position moves a connected mount only to a place the user
// saved, never to the registered default of 0h, 0 degrees.
TEST_F(MountSessionTest, RestoreWithNoPositionSavedSendsNoSlew)
{
    SimulatedLX200 device;
    ASSERT_NO_FATAL_FAILURE(connectTo(device));
    const auto gotos = [&] { return device.frames().count(":MS#"); };
    EditMenuActions& edit = chart->menuBar().editMenu();
    EXPECT_FALSE(edit.validateMenuItem(EditMenuActions::kRestorePositionTag).enabled);
    edit.menuAction(EditMenuActions::kRestorePositionTag);

    // Had that slewed, its goto would reach the mount before this one.
    chart->prefControl().saveSVPosnPrefs(QStringLiteral("5:35:17:+20:0:0.0"));
    EXPECT_TRUE(edit.validateMenuItem(EditMenuActions::kRestorePositionTag).enabled);
    edit.menuAction(EditMenuActions::kRestorePositionTag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gotos() >= 1; }, kWaitMs));
    EXPECT_EQ(gotos(), 1);
}

// The controller goes away in the middle of a goto: the user is told once
// within two seconds, the menu shows the mount disconnected, the interface
// never stalls, and a controller plugged in again connects.
TEST_F(MountSessionTest, ALostMountIsReportedOnceAndAFreshOneConnects)
{
    chart->prefControl().setIsRunRealTime(false, false);
    auto device = std::make_unique<SimulatedLX200>();
    ASSERT_NO_FATAL_FAILURE(connectTo(*device));
    // The connection runs the clock and shows the telescope; the user closes
    // the telescope view, so the chart's reticle stands for the mount alone.
    if (auto* view = dynamic_cast<QWidget*>(chart->outlets().svWindow))
        view->close();
    EXPECT_TRUE(chart->scopeAim().isReticleShown());
    EXPECT_FALSE(chart->timePanel().datePick().isEnabled());
    MainThreadWatchdog watchdog;
    watchdog.start();

    scope().gotoRA(3.0 * kHour, 10.0 * Angles::kDegToRad);
    ASSERT_TRUE(QTest::qWaitFor([&] { return device->mount.isSlewing(); }, kWaitMs));
    QElapsedTimer sinceLoss;
    device->pty.closeMaster();
    sinceLoss.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !alerts.alerts.empty(); }, kWaitMs));
    EXPECT_LT(sinceLoss.elapsed(), 2000);
    EXPECT_EQ(alerts.alerts[0].title, "Lost contact with the telescope.");
    EXPECT_FALSE(scope().isConnected());
    EXPECT_FALSE(menuShowsConnected());
    // The chart no longer shows the mount, and a date can be typed again.
    EXPECT_FALSE(chart->scopeAim().isReticleShown());
    EXPECT_FALSE(chart->prefControl().isRunRealTime());
    EXPECT_TRUE(chart->timePanel().datePick().isEnabled());
    // The chart's redraw without the mount is the loop's own work, not a
    // wait on the device: the watch goes on after it.
    watchdog.start();
    // Nothing more is said about the same loss: waiting the span out is the check.
    QTest::qWait(1500);
    EXPECT_EQ(alerts.alerts.size(), 1u);
    EXPECT_LT(watchdog.longestStall(), 100ms);

    device = std::make_unique<SimulatedLX200>();
    watchdog.start();
    ASSERT_NO_FATAL_FAILURE(connectTo(*device));
    EXPECT_LT(watchdog.longestStall(), 100ms) << "the handshake ran on the main thread";
    scope().gotoRA(4.0 * kHour, 15.0 * Angles::kDegToRad);
    EXPECT_TRUE(QTest::qWaitFor([&] { return device->mount.isSlewing(); }, kWaitMs));
}

// A MoonLite focuser on a port of its own stops answering while the LX200
// is connected: the focuser's scan never touched the mount's line, a held
// direction's stop goes out within one exchange of the mount's line, and
// the 2 s polls keep their rate, whatever the focuser's exchanges wait for.
TEST_F(MountSessionTest, ASilentFocuserNeverHoldsUpTheMountsStopOrPolls)
{
    SimulatedLX200 device;
    PtyDevice focuserPort;
    MoonLiteSimulator moon(focuserPort.simulator());
    moon.setPosition(5000);
    focuserPort.start();
    chart->mountLink().serialControl().setExtraPorts({device.pty.path(), focuserPort.path()});
    choose(kFirstScopeTag);
    ASSERT_TRUE(QTest::qWaitFor([this] { return scope().isConnected() && scope().hasScopePort(); },
                                kWaitMs));
    choose(kTwoSecondPollTag);

    // Every port is scanned; the mount's is skipped.
    const qsizetype beforeFocuser = device.frames().size();
    MoonLiteFocuserLink& focuser = chart->moonLiteLink();
    chart->focusLink().focusMenu()->itemWithTag(FocusMenu::kMoonTag)->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return focuser.control().isConnected(); }, kWaitMs));
    for (const QByteArray& frame : device.frames(beforeFocuser))
        EXPECT_TRUE(frame == ":GR#" || frame == ":GD#") << frame.toStdString();

    // Frozen in the middle of its status exchanges, with reads piled up
    // behind them, each of which waits out its time.
    focuserPort.simulator().dropAnswers();
    const qsizetype heard = focuserPort.simulator().received().size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return focuserPort.simulator().received().size() > heard; },
                                kWaitMs));
    const qsizetype beforePolls = device.frames().size();
    for (int read = 0; read < 4; ++read)
        focuser.control().moonGetCurrPosn([](const auto&) {});

    // Each motion goes out within one exchange of the mount's line: 40
    // cycles of 3 ticks.
    LX200Panel& panel = panels().lx200Panel();
    panel.show();
    const qsizetype beforeSlew = device.motions().size();
    QElapsedTimer sincePress;
    sincePress.start();
    QTest::mousePress(panel.directionButton(3), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.motions(beforeSlew).size() == 1; }, kWaitMs));
    EXPECT_LT(sincePress.elapsed(), 2000);
    QElapsedTimer sinceRelease;
    QTest::mouseRelease(panel.directionButton(3), Qt::LeftButton);
    sinceRelease.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.motions(beforeSlew).size() == 2; }, kWaitMs));
    EXPECT_LT(sinceRelease.elapsed(), 2000);
    EXPECT_EQ(device.motions(beforeSlew), (QByteArrayList{":Me#", ":Q#"}));

    // The reads hold the focuser's port for 8 s; the 2 s polls go on meanwhile.
    EXPECT_TRUE(eventually([&] { return device.frames(beforePolls).count(":GR#") >= 2; }));
    EXPECT_GT(focuser.control().pendingExchanges(), 0) << "polls every 2 s, not every focuser time-out";
    EXPECT_TRUE(focuser.control().isConnected());
    EXPECT_TRUE(alerts.alerts.empty());
}
