#include "app/AllSkyLink.h"
#include "app/AssembledProgram.h"
#include "app/MountLink.h"
#include "camera/allsky/FakeAllSkyCamera.h"
#include "model/settings/PrefControl.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"
#include "mount/panels/ConnectMenu.h"
#include "support/ColonCommandMount.h"
#include "support/LX200Personality.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Generous: the machine may be loaded; the transport's own limits are shorter.
constexpr int kWaitMs = 20000;
constexpr int kFirstScopeTag = 0;
constexpr int kTwoSecondPollTag = 5;

// The all-sky schedule beside a connected mount, which shares the mount's
// worker with the camera's transfers.
class AllSkyMountTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        PrefControl& prefs = chart->prefControl();
        prefs.scopes()[0].mountProtocol = kProtocolLX200;
        prefs.setScopeNamesArray({"Simulated LX200", "", "", "", ""});
        menu().setupConnectMenu();
        mount.attach(pty.simulator());
        pty.start();
    }
    void TearDown() override
    {
        if (scope().isConnected())
            scope().disconnect();
        chart.reset();
    }

    ScopeControl& scope() { return chart->scopeControl(); }
    ConnectMenu& menu() { return *chart->mountLink().connectMenu(); }
    void choose(int tag)
    {
        menu().validateMenu();
        QAction* item = menu().itemWithTag(tag);
        ASSERT_NE(item, nullptr);
        item->trigger();
    }

    ScopedAlertRecorder alerts;
    PtyDevice pty;
    ColonCommandMount mount{std::make_unique<LX200Personality>(LX200Personality::Kind::Autostar,
                                                               LX200Personality::Options{})};
};

}  // namespace

TEST_F(AllSkyMountTest, DailyStopLeavesTheWorkerAndTheMountsPollRunning)
{
    chart->mountLink().serialControl().setExtraPorts({pty.path()});
    choose(kFirstScopeTag);
    ASSERT_TRUE(QTest::qWaitFor([this] { return scope().isConnected() && scope().hasScopePort(); }, kWaitMs));
    choose(kTwoSecondPollTag);

    ManualAllSkyClock clock;
    FakeAllSkyCamera camera{clock};
    AllSkyLink allSky(chart->prefControl(), chart->debugLog(), camera, folders.userData, nullptr, &clock);
    camera.schedule = &allSky.session().schedule();
    AllSkySchedule& schedule = allSky.session().schedule();
    schedule.setExpSchedule(60);
    schedule.setExposureSeconds(10);
    schedule.setKind(AllSkySchedule::Kind::Daily);
    schedule.setStartDate(clock.now().addSecs(-60));
    schedule.setStopDate(clock.now().addSecs(3600));
    schedule.runAction();
    clock.advanceSeconds(3600 + 120);
    ASSERT_FALSE(schedule.hasFiredSchedule());
    ASSERT_TRUE(schedule.isScheduleRun());

    // The mount is still polled on its worker after the camera's night ended.
    EXPECT_TRUE(scope().hasScopePort());
    const std::size_t before = mount.frames().size();
    EXPECT_TRUE(QTest::qWaitFor([&] { return mount.frames().size() >= before + 2; }, kWaitMs));
    EXPECT_TRUE(scope().isConnected());
    EXPECT_TRUE(alerts.alerts.empty());
}
