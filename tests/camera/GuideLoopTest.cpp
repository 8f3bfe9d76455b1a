#include "camera/GuideFakes.h"
#include "camera/ManualClock.h"
#include "camera/TestFrame.h"
#include "camera/guide/WebcamGuide.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

// A guider calibrated on a scripted star (the east drive moves it 20 px
// along +x in 10 s, the north drive 20 px along +y: angle 0, both rates
// exactly 2 px/s), then guiding on a star at (130, 130).
class GuideLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        guide.setFrameSource(&frame);
        guide.setMount(&mount);
        guide.setAdapter(&adapter);
        guide.setView(&view);
        guide.setCompanion(&companion);
        guide.centroid().setGuideBuff(true);
        adapter.connected = false;

        guide.guideAction(1, false);
        show(100, 100);
        clock.advance(250);
        show(110, 100);
        clock.advance(100);
        clock.advance(10000);
        show(130, 100);
        clock.advance(100);
        show(130, 100);
        clock.advance(1000);
        show(130, 110);
        clock.advance(100);
        clock.advance(10000);
        show(130, 130);
        clock.advance(100);
        show(130, 130);
        clock.advance(100);
        ASSERT_TRUE(guide.isCalibrated()) << view.statuses.join(" / ").toStdString();
        ASSERT_FLOAT_EQ(guide.xDrive(), 2.0f);
        ASSERT_FLOAT_EQ(guide.yDrive(), 2.0f);
        clock.advance(11000);
        mount.commands.clear();
        adapter.commands.clear();
        // From now on the camera delivers a frame every 100 ms.
        camera->start(100, true, [this] { frame.setHasFocusImage(true); });
    }

    void show(float x, float y)
    {
        frame.fill(20);
        frame.addStar(x, y, 200);
        frame.setHasFocusImage(true);
    }
    // Starts guiding with the star at (130, 130) and the lock `dx`, `dy`
    // pixels off it, so that the next step measures that error.
    void startGuiding(float dx = 0, float dy = 0)
    {
        if (guide.isGuiding()) {
            guide.guideAction(2, false);
            clock.advance(15000);
        }
        guide.guideAction(2, false);
        show(130, 130);
        clock.advance(250);
        ASSERT_TRUE(guide.isGuiding());
        guide.setClickPt({130 - dx, 130 - dy});
        mount.commands.clear();
        adapter.commands.clear();
    }
    // Runs the next guide step on a fresh frame.
    void step()
    {
        show(130, 130);
        clock.advance(5000);
    }

    ManualClock clock;
    TestFrame frame{200, 200};
    RecordingMount mount;
    RecordingAdapter adapter;
    RecordingView view;
    RecordingCompanion companion;
    WebcamGuide guide{clock};
    std::unique_ptr<GuideTimer> camera = clock.createTimer();
};

TEST_F(GuideLoopTest, ARightAscensionErrorDrivesEastForItsTime)
{
    mount.protocol = GuideMount::kPulseProtocol;
    startGuiding(-3, 0);
    step();
    EXPECT_EQ(mount.commands, QStringList{"pulse e 1500"});
    EXPECT_FLOAT_EQ(guide.xDriveTime(), 1.5f);
    EXPECT_TRUE(guide.guideStatus().startsWith("Guiding...\r(1.50/"));

    mount.protocol = 1;
    startGuiding(-3, 0);
    step();
    EXPECT_EQ(mount.commands, QStringList{"slew 3"});
    clock.advance(1499);
    EXPECT_EQ(mount.commands.size(), 1);
    clock.advance(1);
    EXPECT_EQ(mount.commands, (QStringList{"slew 3", "stop 3"}));
    EXPECT_TRUE(guide.isDriving());
    clock.advance(250);
    EXPECT_FALSE(guide.isDriving());
}

TEST_F(GuideLoopTest, ALongCorrectionSendsTheLongestPulseAndWaitsItsFullTime)
{
    mount.protocol = GuideMount::kPulseProtocol;
    startGuiding(-24, 0);
    step();
    EXPECT_EQ(mount.commands, QStringList{"pulse e 9999"});
    // The guide steps at 5 s and 10 s find the correction still running.
    clock.advance(11999);
    EXPECT_TRUE(guide.isDriving());
    EXPECT_EQ(mount.commands.size(), 1);
    clock.advance(251);
    EXPECT_FALSE(guide.isDriving());
}

TEST_F(GuideLoopTest, TheDeadBandDependsOnTheOutput)
{
    mount.protocol = GuideMount::kPulseProtocol;
    startGuiding(0.2f, 0);
    step();
    EXPECT_NEAR(guide.errX(), 0.2f, 1e-4f);

    adapter.connected = true;
    startGuiding(0.2f, 0);
    step();
    EXPECT_EQ(adapter.commands, QStringList{"guide -0.10 0.00"});

    adapter.connected = false;
    mount.protocol = 1;
    startGuiding(0.2f, 0.2f);
    step();
    EXPECT_TRUE(mount.commands.isEmpty());
    EXPECT_EQ(guide.errX(), 0.0f);
    EXPECT_EQ(guide.guideStatus(), "Guiding...");
    // Nothing pending: the next step measures again.
    const qsizetype before = view.statuses.size();
    step();
    EXPECT_EQ(view.statuses.size(), before + 1);
}

TEST_F(GuideLoopTest, DecMinusUncheckedSendsNoSouthCorrection)
{
    guide.guideDecAction(2, false);
    for (int protocol : {1, GuideMount::kPulseProtocol}) {
        mount.protocol = protocol;
        startGuiding(0, 3);
        step();
        EXPECT_TRUE(mount.commands.isEmpty()) << protocol;
    }
    adapter.connected = true;
    startGuiding(0, 3);
    step();
    EXPECT_EQ(adapter.commands, QStringList{"guide 0.00 -1.50"});

    guide.guideDecAction(2, true);
    adapter.connected = false;
    mount.protocol = GuideMount::kPulseProtocol;
    startGuiding(0, 3);
    step();
    EXPECT_EQ(mount.commands, QStringList{"pulse n -1500"});
}

TEST_F(GuideLoopTest, TheDeclinationCorrectionFollowsTheRightAscensionOne)
{
    startGuiding(-3, -1);
    step();
    EXPECT_EQ(mount.commands, QStringList{"slew 3"});
    clock.advance(1750);
    EXPECT_EQ(mount.commands, (QStringList{"slew 3", "stop 3", "slew 1"}));
    clock.advance(500);
    EXPECT_EQ(mount.commands, (QStringList{"slew 3", "stop 3", "slew 1", "stop 1"}));
}

TEST_F(GuideLoopTest, TheHistoryShiftsOnlyWhileRecording)
{
    mount.protocol = GuideMount::kPulseProtocol;
    guide.guideGainAction(0);
    startGuiding(1, 0);
    step();
    EXPECT_EQ(guide.errXArray()[0], 0.0f);
    guide.setLumarikTrend(true);
    guide.setLumarikTrendUpdate(true);
    for (int i = 1; i <= 101; ++i) {
        guide.setClickPt({130.0f - float(i % 25 + 1), 130});
        step();
    }
    EXPECT_EQ(guide.errXArray()[0], float(101 % 25 + 1));
    EXPECT_EQ(guide.errXArray()[99], float(2 % 25 + 1));
    EXPECT_EQ(companion.requests, 101);
    EXPECT_TRUE(mount.commands.isEmpty());
    guide.clearErrArrays();
    EXPECT_EQ(guide.errXArray()[0], 0.0f);
}

TEST_F(GuideLoopTest, AStarLostFourTimesIsReportedAndFoundAgain)
{
    startGuiding();
    for (int i = 0; i < 3; ++i) {
        frame.fill(0);
        frame.setHasFocusImage(true);
        clock.advance(5000);
    }
    EXPECT_NE(guide.guideStatus(), "Lost guide star");
    frame.setHasFocusImage(true);
    clock.advance(5000);
    EXPECT_EQ(guide.guideStatus(), "Lost guide star");
    EXPECT_EQ(mount.commands, QStringList{"stop 5"});
    step();
    EXPECT_EQ(view.statuses.mid(view.statuses.size() - 2), (QStringList{"Found guide star", "Guiding..."}));

    // A lock near the edge keeps its box inside the frame, where a star 35 px
    // off is outside the 30 px window: the outputs are released each time.
    startGuiding();
    guide.setClickPt({10, 130});
    show(45, 130);
    clock.advance(5000);
    EXPECT_EQ(mount.commands, QStringList{"stop 5"});
    EXPECT_TRUE(guide.isGuiding());
}

TEST_F(GuideLoopTest, StoppingReleasesTheOutputsAtTheNextFiring)
{
    startGuiding();
    guide.guideAction(2, false);
    EXPECT_EQ(view.guideTitle, "Start Autoguiding");
    step();
    EXPECT_FALSE(guide.isGuiding());
    EXPECT_EQ(mount.commands, QStringList{"slew 5"});
    step();
    EXPECT_EQ(mount.commands.size(), 1);

    guide.guideRateAction(0);
    EXPECT_FLOAT_EQ(guide.guideRate(), 0.2f);
}

TEST(GuideLoop, WithoutCalibrationGuidingDoesNotStart)
{
    ManualClock clock;
    TestFrame frame(100, 100);
    frame.addStar(50, 50, 200);
    RecordingView view;
    WebcamGuide guide(clock);
    guide.setFrameSource(&frame);
    guide.setView(&view);
    guide.centroid().setGuideBuff(true);
    frame.setHasFocusImage(true);
    guide.guideAction(2, false);
    frame.setHasFocusImage(true);
    clock.advance(250);
    EXPECT_EQ(view.statuses, (QStringList{"Calibrate first.", "Failed to locate guide star."}));
    EXPECT_FALSE(guide.isGuiding());
}

// An outside guiding program's correction: east then, 15 ticks later, south;
// the drive flags clear when both have run.
TEST(GuideLoop, AnOutsideCorrectionDrivesBothAxesInTurn)
{
    for (int protocol : {1, GuideMount::kPulseProtocol}) {
        ManualClock clock;
        RecordingMount mount;
        mount.protocol = protocol;
        WebcamGuide guide(clock);
        guide.setMount(&mount);
        guide.phdGuideControl(0.5f, -0.25f);
        EXPECT_TRUE(guide.isDriving());
        clock.advance(250);
        if (protocol == 1) {
            EXPECT_EQ(mount.commands, (QStringList{"slew 3", "slew 2"}));
            clock.advance(250);
            EXPECT_EQ(mount.commands, (QStringList{"slew 3", "slew 2", "stop 3", "stop 2"}));
            clock.advance(250);
        } else {
            EXPECT_EQ(mount.commands, (QStringList{"pulse e 500", "pulse n -250"}));
            clock.advance(250);
        }
        EXPECT_FALSE(guide.isDriving()) << protocol;
    }
}

}  // namespace
