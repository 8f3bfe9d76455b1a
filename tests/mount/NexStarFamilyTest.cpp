#include "SimulatedMountFixture.h"

#include "mount/MountProtocols.h"
#include "mount/families/NexStarFamily.h"
#include "support/NexStarSimulator.h"

#include <cmath>

namespace {

class NexStarFamilyTest : public SimulatedMountFixture {
protected:
    NexStarFamily& make(int protocol, bool ultima = false)
    {
        simulator = std::make_unique<NexStarSimulator>(ultima);
        open(*simulator);
        inputs.trackedObject = [this] { return tracked; };
        family = std::make_unique<NexStarFamily>(protocol, context(), inputs);
        return *family;
    }

    std::unique_ptr<NexStarSimulator> simulator;
    std::unique_ptr<NexStarFamily> family;
    std::optional<FamilyInputs::Target> tracked;
};

}  // namespace

TEST(NexStarPositions, DigitsAndRepliesRoundTheWayTheHandControllerDoes)
{
    EXPECT_EQ(NexStarFamily::positionDigits(std::numbers::pi), "7FFF");
    EXPECT_EQ(NexStarFamily::positionDigits(-std::numbers::pi / 4.0), "DFFF");
    const struct {
        QByteArray reply;
        bool parsed;
    } cases[] = {{"4000,C000#", true},
                 {"4000,c000#", true},
                 {"\x01"
                  "4000,C000#",
                  true},
                 {"4G00,C000#", false},
                 {"4000,C000", false},
                 {"4000;C000#", false},
                 {"xx4000,C000#", false}};
    for (const auto& c : cases) {
        const auto position = NexStarFamily::parsePosition(c.reply);
        ASSERT_EQ(position.has_value(), c.parsed) << c.reply.toStdString();
        if (position) {
            EXPECT_NEAR(position->ra, std::numbers::pi / 2.0, 1e-12);
            EXPECT_NEAR(position->dec, -std::numbers::pi / 2.0, 1e-12);
        }
    }
}

TEST_F(NexStarFamilyTest, ConnectReadsTheTrackModeAndThePollTakesTheMountsPosition)
{
    NexStarFamily& nexStar = make(kProtocolNexStarGPS);
    simulator->setTrackMode(3);
    simulator->setPosition(1.0, -0.3);
    ASSERT_TRUE(nexStar.connect());
    EXPECT_EQ(nexStar.nexStarTrackMode(), 3);
    EXPECT_EQ(lastPanel(MountPanelSetting::NexStarMode), 3);
    ASSERT_TRUE(nexStar.readPosition());
    EXPECT_NEAR(status.scopeRA, 1.0, 1e-4);
    EXPECT_NEAR(status.scopeDec, -0.3, 1e-4);

    simulator->setLeadByte(true);
    simulator->setPosition(2.0, 0.4);
    ASSERT_TRUE(nexStar.readPosition());
    EXPECT_NEAR(status.scopeRA, 2.0, 1e-4);
}

TEST_F(NexStarFamilyTest, AGotoRunsUntilTheMountArrivesAndAnUltimaEndsItsCommandsInCR)
{
    NexStarFamily& ultima = make(kProtocolUltima, true);
    ASSERT_TRUE(ultima.connect());
    ASSERT_TRUE(ultima.gotoPosition(std::numbers::pi, -std::numbers::pi / 4.0));
    int polls = 0;
    while (status.isSlewing && polls++ < 5)
        ASSERT_TRUE(ultima.readPosition());
    EXPECT_FALSE(status.isSlewing);
    EXPECT_TRUE(simulator->received().contains("R7FFF,DFFF\rL\r"));
    EXPECT_NEAR(status.scopeRA, std::numbers::pi, 1e-4);
}

TEST_F(NexStarFamilyTest, TheHashAfterASyncIsReadWithItAndCannotLeadTheNextReply)
{
    NexStarFamily& nexStar = make(kProtocolNexStarGPS);
    simulator->faults().setReplyDelay(std::chrono::milliseconds(30));
    tracked = FamilyInputs::Target{0.5, 0.2};
    status.isSlewing = true;
    ASSERT_TRUE(nexStar.run({MountOperation::Sync, 0, 1, false}));
    ASSERT_TRUE(nexStar.slewDetect());
    EXPECT_FALSE(status.isSlewing);
    EXPECT_NEAR(simulator->ra(), 0.5, 1e-4);
}

TEST_F(NexStarFamilyTest, PassThroughSlewsTakeTheirRateFromSpeedOptionAndStop)
{
    NexStarFamily& nexStar = make(kProtocolNexStarGPS);
    const struct {
        int speed;
        int code;
        int flag;
        QByteArray bytes;
    } cases[] = {
        {0, 1, kSlewFlagOption, QByteArray("P\x02\x11$\x08\0\0\0", 8)},
        {0, 3, 0, QByteArray("P\x02\x10%\x07\0\0\0", 8)},
        {2, 4, 0, QByteArray("P\x02\x10$\x03\0\0\0", 8)},
        {3, 2, kSlewFlagOption, QByteArray("P\x02\x11%\x02\0\0\0", 8)},
        {1, 2, kSlewFlagStop | kSlewFlagOption, QByteArray("P\x02\x11%\0\0\0\0", 8)},
    };
    for (const auto& c : cases) {
        nexStar.run({MountOperation::SlewSpeed, c.speed, 0, false});
        ASSERT_TRUE(nexStar.run({MountOperation::Slew, c.code, c.flag, false}));
        EXPECT_EQ(simulator->slews().back(), c.bytes) << c.code;
    }
    ASSERT_TRUE(nexStar.run({MountOperation::Slew, kStopAll, 0, false}));
    const std::vector<QByteArray> sent = simulator->slews();
    EXPECT_EQ(sent[sent.size() - 2], QByteArray("P\x02\x11$\0\0\0\0", 8));
    EXPECT_EQ(sent.back(), QByteArray("P\x02\x10$\0\0\0\0", 8));
}

TEST_F(NexStarFamilyTest, SynScanOffsetsLiveWithinFiveDegreesAndAcrossRAZero)
{
    NexStarFamily& synScan = make(kProtocolSynScan);
    ASSERT_TRUE(synScan.connect());
    const struct {
        double mountRA;  // degrees of date, the mount's reading
        double objectRA;
        double error;  // degrees kept
        bool kept;
    } cases[] = {{1.0, 359.0, 2.0, true}, {10.0, 4.0, 0.0, false}, {100.0, 99.0, 1.0, true}};
    for (const auto& c : cases) {
        simulator->setPosition(0.0, 0.0);
        // Place the mount so that it reads c.mountRA of date.
        ASSERT_TRUE(synScan.readPosition());
        const double shift = status.scopeRA;
        simulator->setPosition(c.mountRA * kDegree - shift, 0.0);
        ASSERT_TRUE(synScan.readPosition());
        tracked = FamilyInputs::Target{c.objectRA * kDegree, status.scopeDec};
        EXPECT_EQ(synScan.run({MountOperation::Sync, 0, 1, false}), c.kept) << c.mountRA;
        EXPECT_EQ(lastPanel(MountPanelSetting::SynScanSync), c.kept ? 1 : 0);
        EXPECT_NEAR(synScan.synScanRAError(), c.error * kDegree, 1e-3);
    }
}

TEST_F(NexStarFamilyTest, ASynScanGotoFarFromTheLastTargetClearsTheOffsets)
{
    NexStarFamily& synScan = make(kProtocolSynScan);
    ASSERT_TRUE(synScan.gotoPosition(1.0, 0.2));
    while (status.isSlewing)
        ASSERT_TRUE(synScan.slewDetect());
    ASSERT_TRUE(synScan.readPosition());
    tracked = FamilyInputs::Target{status.scopeRA - 1.0 * kDegree, status.scopeDec};
    ASSERT_TRUE(synScan.run({MountOperation::Sync, 0, 1, false}));
    ASSERT_TRUE(synScan.gotoPosition(1.0 + 3.0 * kDegree, 0.2));
    EXPECT_NE(synScan.synScanRAError(), 0.0);
    while (status.isSlewing)
        ASSERT_TRUE(synScan.slewDetect());
    ASSERT_TRUE(synScan.gotoPosition(1.0 + 15.0 * kDegree, 0.2));
    EXPECT_EQ(synScan.synScanRAError(), 0.0);
    EXPECT_EQ(lastPanel(MountPanelSetting::SynScanSync), 0);
}

TEST_F(NexStarFamilyTest, SynScanPositionsTravelOnTheJ2000Equator)
{
    // Meeus, Astronomical Algorithms, example 21.b: theta Persei (proper
    // motion applied) from J2000.0 to 2028 Nov 13.19.
    now = QDateTime(QDate(2028, 11, 13), QTime(4, 33, 36), QTimeZone::utc());
    NexStarFamily& synScan = make(kProtocolSynScan);
    simulator->setPosition(41.054063 * kDegree, 49.227750 * kDegree);
    ASSERT_TRUE(synScan.readPosition());
    EXPECT_NEAR(status.scopeRA / kDegree, 41.547214, 0.006);
    EXPECT_NEAR(status.scopeDec / kDegree, 49.348483, 0.006);

    ASSERT_TRUE(synScan.gotoPosition(41.547214 * kDegree, 49.348483 * kDegree));
    while (status.isSlewing)
        ASSERT_TRUE(synScan.slewDetect());
    EXPECT_NEAR(simulator->ra() / kDegree, 41.054063, 0.006);
    EXPECT_NEAR(simulator->dec() / kDegree, 49.227750, 0.006);
}

TEST_F(NexStarFamilyTest, BadRepliesLeaveThePositionAndSilenceIsNoResponse)
{
    NexStarFamily& nexStar = make(kProtocolNexStarGPS);
    status.scopeRA = 0.25;
    simulator->faults().garbleReplies("4G00,C000#");
    EXPECT_FALSE(nexStar.readPosition());
    EXPECT_EQ(status.scopeRA, 0.25);
    EXPECT_FALSE(status.isNoResponse);

    simulator->faults().dropAnswers();
    EXPECT_FALSE(nexStar.gotoPosition(1.0, 0.0));
    EXPECT_TRUE(status.isNoResponse);
    EXPECT_FALSE(status.isSlewing);
}

TEST_F(NexStarFamilyTest, AStopEndsARunningGotoWhereTheMountStands)
{
    for (const int protocol : {kProtocolNexStarGPS, kProtocolSynScan}) {
        SCOPED_TRACE(protocol);
        NexStarFamily& nexStar = make(protocol);
        simulator->setPosition(1.0, 0.2);
        ASSERT_TRUE(nexStar.gotoPosition(2.0, -0.3));
        ASSERT_TRUE(nexStar.run({MountOperation::Slew, kStopAll, 0, false}));
        // Cancel GOTO first, then the rate-0 stops of both axes.
        const QByteArray received = simulator->received();
        ASSERT_GE(received.indexOf('M'), 0);
        EXPECT_LT(received.indexOf('M'), received.indexOf('P'));
        EXPECT_EQ(simulator->slews().size(), 2u);
        // Only the NexStar GPS is asked its tracking mode after a stop.
        EXPECT_EQ(received.endsWith('t'), protocol == kProtocolNexStarGPS);
        ASSERT_TRUE(nexStar.slewDetect());
        EXPECT_FALSE(status.isSlewing);
        EXPECT_NEAR(simulator->ra(), 1.0, 1e-9);
        EXPECT_NEAR(simulator->dec(), 0.2, 1e-9);
    }
}
