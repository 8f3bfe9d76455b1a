#include "SimulatedMountFixture.h"

#include "mount/ScopeMessage.h"
#include "mount/families/TemmaFamily.h"
#include "support/TemmaSimulator.h"

#include <QCoreApplication>
#include <QTest>

namespace {

class TemmaFamilyTest : public SimulatedMountFixture {
protected:
    TemmaFamily& connectTemma(double latitude = 45.0)
    {
        open(simulator, true);
        inputs.latitude = [latitude] { return latitude; };
        inputs.localSiderealHours = [] { return 5.5; };
        inputs.selectedObject = [this] { return tracked; };
        inputs.guideRatePercent = [this] { return guideRate; };
        family = std::make_unique<TemmaFamily>(context(), inputs);
        EXPECT_TRUE(family->connect());
        return *family;
    }
    // Syncs on a star at RA 2h30m35.4s, Dec +10°.
    void sync(TemmaFamily& temma)
    {
        tracked = FamilyInputs::Target{(2.5 + 35.4 / 3600.0) * 15.0 * kDegree, 10.0 * kDegree};
        ASSERT_TRUE(temma.run({MountOperation::Sync, 20, 0, false}));
    }
    QByteArray last() { return simulator.frames().back(); }
    // Waits for the frames of write-only commands to reach the mount.
    bool framesReach(std::size_t count)
    {
        return QTest::qWaitFor([&] { return simulator.frames().size() >= count; }, 20000);
    }
    std::vector<QByteArray> framesFrom(std::size_t first)
    {
        const std::vector<QByteArray> all = simulator.frames();
        return {all.begin() + qsizetype(std::min(first, all.size())), all.end()};
    }

    TemmaSimulator simulator;
    std::unique_ptr<TemmaFamily> family;
    std::optional<FamilyInputs::Target> tracked;
    int guideRate = 50;
};

}  // namespace

TEST(TemmaTexts, PositionsInHundredthsOfAMinuteAndLatitudeCarries)
{
    constexpr double kDegree = std::numbers::pi / 180.0;
    EXPECT_EQ(TemmaFamily::latitudeText(45.0 + 30.0 / 60.0 + 57.0 / 3600.0), "+45310");
    EXPECT_EQ(TemmaFamily::latitudeText(-(33.0 + 59.0 / 60.0 + 57.0 / 3600.0)), "-34000");
    EXPECT_FALSE(TemmaFamily::latitudeText(90.5));
    EXPECT_EQ(TemmaFamily::positionText((2.5 + 35.4 / 3600.0) * 15.0 * kDegree, 0.0), "023059+00000");
    EXPECT_EQ(TemmaFamily::positionText(0.0, -(12.0 + 34.5 / 60.0) * kDegree), "000000-12345");
    const auto position = TemmaFamily::parsePosition("E023059-12345F\r\n");
    ASSERT_TRUE(position);
    EXPECT_NEAR(position->ra, (2.5 + 35.4 / 3600.0) * 15.0 * kDegree, 1e-9);
    EXPECT_NEAR(position->dec, -(12.0 + 34.5 / 60.0) * kDegree, 1e-9);
    for (const char* bad : {"E02305", "X023059-12345F", "E02x059-12345F", "E243000+00000W", "E000000+91000W"})
        EXPECT_FALSE(TemmaFamily::parsePosition(bad)) << bad;
}

TEST_F(TemmaFamilyTest, NothingMovesBeforeASyncAndTheSyncIsAgainstSiderealTime)
{
    TemmaFamily& temma = connectTemma(45.0 + 30.0 / 60.0 + 57.0 / 3600.0);
    EXPECT_EQ(simulator.frames(), (std::vector<QByteArray>{"v", "I+45310", "STN-COD"}));
    EXPECT_FALSE(temma.readPosition());
    EXPECT_FALSE(temma.slewDetect());
    EXPECT_FALSE(temma.gotoPosition(1.0, 0.0));
    EXPECT_EQ(alerts.back(), "Scope must be synced first.");
    EXPECT_EQ(simulator.frames().size(), 3u);

    sync(temma);
    EXPECT_EQ(framesFrom(3), (std::vector<QByteArray>{"T053000", "Z", "T053000", "D023059+10000"}));
    EXPECT_TRUE(status.isTemmaSync);
    EXPECT_EQ(lastPanel(MountPanelSetting::TemmaSynced), 1);
    ASSERT_TRUE(temma.readPosition());
    EXPECT_NEAR(status.scopeRA, (2.5 + 35.4 / 3600.0) * 15.0 * kDegree, 1e-6);
}

TEST_F(TemmaFamilyTest, AGotoSendsDecZeroWithPlusAndRunsUntilArrived)
{
    TemmaFamily& temma = connectTemma();
    sync(temma);
    ASSERT_TRUE(temma.gotoPosition(4.0 * 15.0 * kDegree, 0.0));
    EXPECT_EQ(last(), "P040000+00000");
    EXPECT_TRUE(temma.isTemmaGoto());
    while (status.isSlewing)
        ASSERT_TRUE(temma.readPosition());
    EXPECT_NEAR(status.scopeRA, 4.0 * 15.0 * kDegree, 1e-6);
    EXPECT_NEAR(status.scopeDec, 0.0, 1e-6);
}

TEST_F(TemmaFamilyTest, TheSideFollowsTheMountButNotF)
{
    TemmaFamily& temma = connectTemma();
    sync(temma);
    simulator.setSide('E');
    ASSERT_TRUE(temma.readPosition());
    EXPECT_EQ(temma.temmaSide(), 'E');
    EXPECT_EQ(lastPanel(MountPanelSetting::TemmaSide), 1);
    simulator.setSide('F');
    ASSERT_TRUE(temma.readPosition());
    EXPECT_EQ(temma.temmaSide(), 'E');

    const std::size_t before = simulator.frames().size();
    EXPECT_TRUE(temma.run({MountOperation::Command, 34, 0, false}));
    EXPECT_EQ(simulator.frames().size(), before);
    EXPECT_TRUE(temma.run({MountOperation::Command, 35, 0, false}));
    ASSERT_TRUE(framesReach(before + 1));
    EXPECT_EQ(last(), "PT");
}

TEST_F(TemmaFamilyTest, MotionBytesStopTheRunningSlewFirst)
{
    TemmaFamily& temma = connectTemma();
    ASSERT_TRUE(temma.run({MountOperation::Slew, 10, 0, false}));
    const std::size_t start = simulator.frames().size();
    ASSERT_TRUE(temma.run({MountOperation::Slew, 3, 0, false}));
    ASSERT_TRUE(temma.run({MountOperation::Slew, 1, 0, false}));
    ASSERT_TRUE(temma.run({MountOperation::Slew, 1, kSlewFlagStop, false}));
    ASSERT_TRUE(temma.run({MountOperation::Slew, kStopAll, 0, false}));
    ASSERT_TRUE(framesReach(start + 8));
    EXPECT_EQ(framesFrom(start),
              (std::vector<QByteArray>{"M\x45", "PS", "M\x49", "PS", "M\x41", "PS", "M@", "PS"}));
    EXPECT_FALSE(status.isSlewing);
}

TEST_F(TemmaFamilyTest, AHeldSlewOnALockedPanelIsResentUntilStopped)
{
    inputs.panelLocked = [] { return true; };
    TemmaFamily& temma = connectTemma();
    std::vector<std::pair<int, int>> asked;
    QObject::connect(&events, &MountEvents::commandRequested,
                     [&](int id, int code) { asked.emplace_back(id, code); });
    const std::size_t start = simulator.frames().size();
    ASSERT_TRUE(temma.run({MountOperation::Slew, 4, 0, false}));
    // A write-only frame reaches the mount after the call returns.
    ASSERT_TRUE(framesReach(start + 1));
    QCoreApplication::processEvents();
    EXPECT_TRUE(temma.isSlewTimerActive());
    // The timer's tick asks the worker for the resend and sends nothing itself.
    const std::size_t sent = start + 1;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !asked.empty(); }, 3000));
    EXPECT_EQ(asked.front(), std::make_pair(kScopeMsgTemmaCommand, 15));
    EXPECT_EQ(simulator.frames().size(), sent);
    EXPECT_TRUE(temma.run({MountOperation::Slew, 15, 0, false}));
    ASSERT_TRUE(framesReach(sent + 1));
    EXPECT_EQ(simulator.frames().back(), "M\x42");
    ASSERT_TRUE(temma.run({MountOperation::Slew, kStopAll, 0, false}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !temma.isSlewTimerActive(); }, 3000));
}

TEST_F(TemmaFamilyTest, SettingsCommandsAsTheMountsTakeThem)
{
    TemmaFamily& temma = connectTemma();
    const struct {
        int guideRate;
        PanelCommand command;
        std::vector<QByteArray> frames;
    } cases[] = {
        {95, {MountOperation::GuideRate, 40, 0, false}, {"LA90", "LB90"}},
        {5, {MountOperation::GuideRate, 40, 0, false}, {"LA10", "LB10"}},
        {0, {MountOperation::Command, 38, 0, false}, {"STN-ON"}},
        {0, {MountOperation::Command, 32, 0, false}, {"STN-OFF", "LK"}},
        {0, {MountOperation::Command, 33, 0, false}, {"LL"}},
        {0, {MountOperation::Command, 36, 0, false}, {"v1"}},
        {0, {MountOperation::Command, 37, 0, false}, {"v2"}},
    };
    for (const auto& c : cases) {
        guideRate = c.guideRate;
        const std::size_t before = simulator.frames().size();
        ASSERT_TRUE(temma.run(c.command)) << c.command.code;
        ASSERT_TRUE(framesReach(before + c.frames.size()));
        EXPECT_EQ(framesFrom(before), c.frames) << c.command.code;
    }
}

TEST_F(TemmaFamilyTest, StandByIsReadFromOnAnywhereInTheReply)
{
    simulator.setStandBy(true);
    TemmaFamily& temma = connectTemma();
    EXPECT_FALSE(temma.isTemmaTrack());
    EXPECT_EQ(lastPanel(MountPanelSetting::TemmaTrack), 0);
    EXPECT_FALSE(temma.run({MountOperation::Sync, 20, 0, false}));
    EXPECT_EQ(alerts.back(), "RA motor is turned off.");
}

TEST_F(TemmaFamilyTest, AGotoEndsOnTimeWhenTheMountNeverAnswersTheSlewQuery)
{
    simulator.setSilentSlewQuery();
    TemmaFamily& temma = connectTemma();
    sync(temma);
    status.scopeRA = 0.0;
    status.scopeDec = 0.0;
    ASSERT_TRUE(temma.gotoPosition(10.0 * kDegree, 0.0));
    EXPECT_FALSE(temma.slewDetect());
    EXPECT_TRUE(status.isSlewing);
    now = now.addSecs(20);
    temma.slewDetect();
    EXPECT_FALSE(status.isSlewing);
    EXPECT_TRUE(temma.gotoPosition(20.0 * kDegree, 0.0));
}
