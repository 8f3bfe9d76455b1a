#include "app/AssembledProgram.h"
#include "app/MountLink.h"
#include "app/SG4Link.h"
#include "camera/views/sg4/SG4Panel.h"
#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"
#include "mount/panels/ConnectMenu.h"
#include "support/MainThreadWatchdog.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"
#include "support/SG4LineSpeed.h"
#include "support/SG4Simulator.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <optional>

namespace {

// The program with an SG-4 simulated behind a pseudo-terminal.
class SG4SessionTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        device.emplace(pty.simulator(), SG4LineSpeed(serial()));
    }
    SerialControl& serial() { return chart->mountLink().serialControl(); }
    // The camera on a port the program's search finds.
    void offerCamera()
    {
        pty.start();
        serial().setExtraPorts({pty.path()});
    }

    ScopedAlertRecorder alerts;
    PtyDevice pty;
    std::optional<SG4Simulator> device;
};

constexpr int kTagSG4 = 53;

}  // namespace

// The SG-4 as the program assembles it: the Connect menu connects it, the
// panel's Expose button takes an image that the mount's worker downloads
// while the window stays responsive, and the menu disconnects it again.
TEST_F(SG4SessionTest, TheConnectMenuConnectsAndTheWorkerDownloads)
{
    using namespace std::chrono_literals;
    // The panel's one-second exposure ends inside its 'T' reply.
    device->setShortExposure(2s);
    device->setSpeed(19200);
    offerCamera();
    SG4Control& control = chart->sg4Link().sg4Control();
    SG4Panel& panel = chart->sg4Link().sg4Panel();

    // The scan (every speed, on the worker) leaves the window responsive.
    MainThreadWatchdog watchdog;
    watchdog.start();
    chart->mountLink().connectMenu()->connectMenuAction(kTagSG4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !control.isSG4Connecting(); }, 60000));
    EXPECT_LT(watchdog.longestStall(), 100ms);
    ASSERT_TRUE(control.isSG4Connect());
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_EQ(control.sg4Baud(), 19200) << "found by the speed scan";
    EXPECT_TRUE(panel.isVisible());
    // The camera's port has a worker of its own: the mount letting its
    // worker go does not stop the camera's.
    ScopeThread& worker = *chart->mountLink().scopeControl().portWorkers().worker(kSerialSlotSG4);
    chart->mountLink().scopeControl().releaseThread();
    EXPECT_FALSE(worker.wait(200));

    watchdog.start();
    bool ready = false;
    QObject::connect(&control, &SG4Control::imageReady, [&] { ready = true; });
    panel.exposeButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready; }, 30000));
    EXPECT_LT(watchdog.longestStall(), 100ms);
    ASSERT_NE(control.sg4Image(), nullptr);
    EXPECT_EQ(control.sg4Image()->pixels.size(), 640u * 480u);
    EXPECT_EQ(panel.exposeButton()->text(), "Expose");
    EXPECT_EQ(device->transfersDone(), 1);

    chart->mountLink().connectMenu()->connectMenuAction(kTagSG4);
    EXPECT_FALSE(control.isSG4Connect());
    EXPECT_FALSE(panel.isVisible());
    EXPECT_EQ(serial().serialRefNum(kSerialSlotSG4), -1);
    // The camera's worker waits, idle, for its next connection; the mount's,
    // let go above, was never needed by the camera.
    EXPECT_FALSE(worker.wait(200));
    EXPECT_FALSE(chart->mountLink().scopeControl().scopeThread().isRunning());
    pty.closeMaster();
}

// Every speed the panel offers is taken on both sides and worked at: an
// exposure and its download follow each change. The camera answers "Test"
// with exactly "TestOk", and then with a line end after it.
TEST_F(SG4SessionTest, EverySpeedThePanelOffersIsTakenAndWorkedAt)
{
    using namespace std::chrono_literals;
    device->setShortExposure(2s);
    offerCamera();
    SG4Control& control = chart->sg4Link().sg4Control();
    SG4Panel& panel = chart->sg4Link().sg4Panel();
    chart->mountLink().connectMenu()->connectMenuAction(kTagSG4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !control.isSG4Connecting(); }, 60000));
    ASSERT_TRUE(control.isSG4Connect());
    int images = 0;
    QObject::connect(&control, &SG4Control::imageReady, [&] { ++images; });

    QComboBox* speeds = panel.speedPopup();
    ASSERT_EQ(speeds->count(), 7);
    for (const QByteArray& tail : {QByteArray(), QByteArray("\r\n")}) {
        device->setSpeedTestTail(tail);
        // From the connected 9600 through the others and back to it.
        for (int step = 1; step <= speeds->count(); ++step) {
            const int item = step % speeds->count();
            const long baud = speeds->itemText(item).toLong();
            SCOPED_TRACE(QString("%1 baud, tail %2").arg(baud).arg(tail.size()).toStdString());
            speeds->setCurrentIndex(item);
            emit speeds->activated(item);
            ASSERT_TRUE(QTest::qWaitFor([&] { return control.sg4Baud() == baud; }, 10000));
            EXPECT_EQ(device->speed(), baud);
            const int before = images;
            panel.exposeButton()->click();
            ASSERT_TRUE(QTest::qWaitFor([&] { return images > before; }, 30000));
            EXPECT_EQ(device->transfersDone(), before + 1);
        }
    }
    EXPECT_EQ(alerts.beeps, 0);
    EXPECT_TRUE(alerts.alerts.empty());
    chart->mountLink().connectMenu()->connectMenuAction(kTagSG4);
    pty.closeMaster();
}

// A camera that never answers: the scan tries every speed and the alert says
// what was tried.
TEST_F(SG4SessionTest, AScanThatFindsNothingSaysWhy)
{
    pty.simulator().dropAnswers();
    offerCamera();
    SG4Control& control = chart->sg4Link().sg4Control();

    chart->mountLink().connectMenu()->connectMenuAction(kTagSG4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !control.isSG4Connecting(); }, 120000));
    EXPECT_FALSE(control.isSG4Connect());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "SBIG SG-4 connection failed.");
    EXPECT_EQ(alerts.alerts[0].message,
              "No port could be opened, or the camera did not answer on any port at any speed.");
    EXPECT_EQ(serial().serialRefNum(kSerialSlotSG4), -1);
    pty.closeMaster();
}

// The SG-4's panel closed mid-exposure and kept running comes back from its
// Connect menu item; the item then closes it as its close button does,
// asking again, and "Stop" aborts the exposure and disconnects, leaving the
// panel idle for the next connection.
TEST_F(SG4SessionTest, TheMenuShowsAKeptPanelAgainAndClosesItAsItsCloseButton)
{
    using namespace std::chrono_literals;
    device->setShortExposure(0ms);
    offerCamera();
    SG4Control& control = chart->sg4Link().sg4Control();
    SG4Panel& panel = chart->sg4Link().sg4Panel();
    ConnectMenu& menu = *chart->mountLink().connectMenu();
    menu.connectMenuAction(kTagSG4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !control.isSG4Connecting(); }, 60000));
    ASSERT_TRUE(control.isSG4Connect());

    panel.expSecText()->setValue(30);
    panel.exposeButton()->click();
    // The panel shows the exposure once the camera's answer to 'T' is in.
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.exposeButton()->text() == "Abort"; }, 30000));
    ASSERT_TRUE(device->isExposing());
    alerts.choice = false;
    panel.close();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(control.isSG4Connect());

    menu.connectMenuAction(kTagSG4);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(control.isSG4Exposing());
    alerts.choice = true;
    menu.connectMenuAction(kTagSG4);
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[1].title, "An exposure is under way.");
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(control.isSG4Connect());
    ASSERT_TRUE(QTest::qWaitFor([&] { return serial().serialRefNum(kSerialSlotSG4) == -1; }, 30000));
    EXPECT_EQ(device->abortsWhileExposing(), 1);

    // Connected again, the panel shows no exposure.
    menu.connectMenuAction(kTagSG4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !control.isSG4Connecting(); }, 60000));
    ASSERT_TRUE(control.isSG4Connect());
    EXPECT_EQ(panel.exposeButton()->text(), "Expose");
    EXPECT_EQ(panel.statusText()->text(), " ");
    control.sg4Disconnect();
    pty.closeMaster();
}
