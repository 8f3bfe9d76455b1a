#include "MountFixture.h"

#include "mount/MountProtocols.h"
#include "support/IOptronSimulator.h"
#include "support/NexStarSimulator.h"

#include <cmath>
#include <functional>
#include <memory>

namespace {

struct Family {
    const char* name;
    int protocol;
    std::function<std::shared_ptr<MountSimulator>()> make;  // deleted as what it was made
    // Syncs on the finder's object, 0.01 rad off the mount, and checks the
    // outcome; none for a family whose panel has no sync.
    std::function<void(ScopeControl&, MountSimulator&)> sync;
};

void nexStarSync(ScopeControl& scope, MountSimulator& mount)
{
    scope.syncNexStar();
    EXPECT_TRUE(QTest::qWaitFor([&] { return mount.received().contains("S"); }, 10000));
    EXPECT_EQ(scope.synScanRAError(), 0.0);
}

// SynScan syncs in the program: the offsets are the mount's minus the sky's.
void synScanSync(ScopeControl& scope, MountSimulator&)
{
    scope.syncNexStar();
}

}  // namespace

// Each family as the controller runs it, against its simulated mount:
// connect on the worker, goto, polls until arrival, a sync on the finder's
// object, a stop from the panel's stop-all, and a disconnect that closes the port and lets the worker go.
class MountFamilySessionTest : public MountFixture, public ::testing::WithParamInterface<Family> {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        scope->setFamilies({});
    }
};

TEST_P(MountFamilySessionTest, ConnectGotoPollSyncStopDisconnect)
{
    const Family& family = GetParam();
    const std::shared_ptr<MountSimulator> mount = family.make();
    mount->setPosition(2.0, 0.1);
    mount->faults().splitRepliesInHalf(std::chrono::milliseconds(100));
    mount->start();
    serial->setExtraPorts({mount->path()});
    serial->getPortNames();
    prefs->scopes()[0].mountProtocol = quint16(family.protocol);
    ASSERT_TRUE(connectSlot0());
    ASSERT_TRUE(QTest::qWaitFor([this] { return scope->hasScopePort(); }, 2000));
    scope->setTimerRate(0.0f);
    EXPECT_NEAR(scope->status().scopeRA, 2.0, 1e-2);

    scope->gotoRA(1.0, 0.3);
    settle();
    for (int poll = 0; poll < 10 && (mount->isSlewing() || std::abs(scope->status().scopeRA - 1.0) > 1e-3);
         ++poll) {
        bool answered = false;
        scope->readScopePosition([&](bool read) { answered = read; }, std::chrono::seconds(20));
        ASSERT_TRUE(QTest::qWaitFor([this] { return !scope->isPolling(); }, 20000));
        EXPECT_TRUE(answered);
    }
    EXPECT_NEAR(scope->status().scopeRA, 1.0, 1e-3);
    EXPECT_NEAR(scope->status().scopeDec, 0.3, 1e-3);

    if (family.sync) {
        scope->setFinderTrack([] { return FinderTrack{1, 1.01, 0.31, "Star"}; });
        family.sync(*scope, *mount);
        settle();
        if (family.protocol == kProtocolSynScan) {
            EXPECT_NEAR(scope->synScanRAError(), -0.01, 1e-3);
            EXPECT_NEAR(scope->synScanDecError(), -0.01, 1e-3);
        }
    }

    const qsizetype before = mount->received().size();
    scope->stopSlewing();
    settle();
    // The simulator reads what the worker wrote on a thread of its own, later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return mount->received().size() > before; }, 10000));
    EXPECT_TRUE(scope->isConnected());
    EXPECT_TRUE(alerts.alerts.empty());

    scope->disconnect();
    EXPECT_EQ(serial->serialRefNum(kSerialSlotScope), -1);
    EXPECT_TRUE(scope->scopeThread().wait(5000));
}

INSTANTIATE_TEST_SUITE_P(
    Families, MountFamilySessionTest,
    ::testing::Values(Family{"NexStarGPS", kProtocolNexStarGPS, [] { return std::make_shared<NexStarSimulator>(); },
                             nexStarSync},
                      Family{"SynScan", kProtocolSynScan, [] { return std::make_shared<NexStarSimulator>(); },
                             synScanSync},
                      Family{"iOptron", kProtocolIOptron, [] { return std::make_shared<IOptronSimulator>(); }, {}}),
    [](const ::testing::TestParamInfo<Family>& info) { return std::string(info.param.name); });

// A stop while the mount runs a goto, its replies 300 ms late and split
// and the first axis stop's reply lost: every command of the stop still
// goes out and the mount ends at rest short of the target.
class NexStarStopTest : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        scope->setFamilies({});
    }
};

TEST_F(NexStarStopTest, AStopGoesOutWholeWhateverRepliesAreLateSplitOrLost)
{
    NexStarSimulator mount;
    mount.setPosition(2.0, 0.1);
    mount.faults().setReplyDelay(std::chrono::milliseconds(300));
    mount.faults().splitRepliesInHalf(std::chrono::milliseconds(150));
    mount.start();
    serial->setExtraPorts({mount.path()});
    serial->getPortNames();
    prefs->scopes()[0].mountProtocol = quint16(kProtocolNexStarGPS);
    ASSERT_TRUE(connectSlot0());
    ASSERT_TRUE(QTest::qWaitFor([this] { return scope->hasScopePort(); }, 2000));
    scope->setTimerRate(0.0f);
    settle();

    scope->gotoRA(1.0, 0.3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return mount.isSlewing(); }, 20000));
    mount.loseReplies('P', 1);
    // The stop cuts a poll short.
    scope->readScopePosition([](bool) {}, std::chrono::seconds(20));
    scope->stopSlewing();
    settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return mount.slews().size() >= 2; }, 20000));

    const std::vector<QByteArray> slews = mount.slews();
    ASSERT_EQ(slews.size(), 2u);
    EXPECT_EQ(slews[0], QByteArray("P\x02\x11$\0\0\0\0", 8));
    EXPECT_EQ(slews[1], QByteArray("P\x02\x10$\0\0\0\0", 8));
    const QByteArray received = mount.received();
    EXPECT_LT(received.lastIndexOf('M'), received.indexOf("P\x02"));
    EXPECT_TRUE(mount.isAtRest());
    EXPECT_GT(std::abs(mount.ra() - 1.0), 0.5) << "stopped short of the target";
    scope->disconnect();
}
