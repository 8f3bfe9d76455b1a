#include "SG4Fixture.h"

// The guider's own calibration and guiding.
class SG4Guider : public SG4Fixture {
protected:
    void SetUp() override { ASSERT_TRUE(connect()); }
    void calibrate() { control.sg4ScopeAction(SG4Control::kTagCalibrate, true); }
    void guide()
    {
        control.sg4ScopeAction(SG4Control::kTagGuide, true);
        settle();
    }
};

TEST_F(SG4Guider, ALongReportIsCollectedWithoutOverrunAndItsEndFound)
{
    // 6000 bytes: past the 4096-byte report, its end mark last.
    QByteArray report(6000, '.');
    report.replace(100, 6, "Vector");
    report[5999] = SG4Protocol::kReportEnd;
    device.setCalibrationReport(report, 1500, std::chrono::milliseconds(30));
    calibrate();
    EXPECT_TRUE(control.isSG4Calibrating());
    EXPECT_EQ(sg4Panel.calibrateTitle, "Abort");
    EXPECT_EQ(sg4Panel.status, "Calibrating...");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !control.isSG4Calibrating(); }, 20000));
    EXPECT_TRUE(control.isCalibrated());
    EXPECT_EQ(sg4Panel.status, "Cal success");
    EXPECT_EQ(sg4Panel.calibrateTitle, "Calibrate");

    guide();
    EXPECT_TRUE(control.isSG4Guiding());
    EXPECT_TRUE(device.isGuiding());
    EXPECT_EQ(sg4Panel.guideTitle, "Stop");
    EXPECT_EQ(sg4Panel.status, "Guiding...");
    const int beeps = alerts.beeps;
    calibrate();
    EXPECT_EQ(alerts.beeps, beeps + 1) << "no calibration while guiding";
    guide();
    EXPECT_FALSE(control.isSG4Guiding());
    EXPECT_FALSE(device.isGuiding());
    EXPECT_EQ(sg4Panel.guideTitle, "Guide");
}

TEST_F(SG4Guider, AReportWithoutVectorFails)
{
    QByteArray report("Star lost\r\n");
    report += SG4Protocol::kReportEnd;
    device.setCalibrationReport(report, 64, std::chrono::milliseconds(30));
    calibrate();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !control.isSG4Calibrating(); }, 20000));
    EXPECT_FALSE(control.isCalibrated());
    EXPECT_EQ(sg4Panel.status, "Cal failed");
    alerts.alerts.clear();
    guide();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts.front().title, "Calibrate first");
    EXPECT_FALSE(device.isGuiding());
}

TEST_F(SG4Guider, TheUsersAbortSendsHAgainAndTheNextTickClosesTheReport)
{
    device.setCalibrationReport("Moving X...", 64, std::chrono::milliseconds(10));
    calibrate();
    ASSERT_TRUE(eventually([this] { return commandsOf('H') == 1; })) << "the camera calibrates";
    calibrate();
    EXPECT_FALSE(control.isSG4Calibrating());
    settle();
    EXPECT_EQ(commandsOf('H'), 2);
    ASSERT_TRUE(QTest::qWaitFor([this] { return sg4Panel.status == "Cal abort"; }, 5000));
    EXPECT_FALSE(control.isCalibrated());
}

TEST_F(SG4Guider, ASilentGuiderTimesOutAfterItsTicks)
{
    const int beeps = alerts.beeps;
    calibrate();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !control.isSG4Calibrating(); }, 20000));
    EXPECT_EQ(sg4Panel.status, "Cal Timeout");
    EXPECT_EQ(sg4Panel.calibrateTitle, "Calibrate");
    EXPECT_EQ(alerts.beeps, beeps + 1);
    EXPECT_FALSE(control.isCalibrated());
    EXPECT_EQ(commandsOf('H'), 1) << "a time-out sends nothing";
}
