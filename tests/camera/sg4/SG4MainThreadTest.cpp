#include "SG4Fixture.h"

#include "support/MainThreadWatchdog.h"

// Every exchange runs on the mount's worker: the main thread only posts and
// takes outcomes, so it never waits on the camera, whatever the camera does.
class SG4MainThread : public SG4Fixture {
protected:
    static constexpr std::chrono::milliseconds kLongestStall{100};
    MainThreadWatchdog watchdog;
};

TEST_F(SG4MainThread, TheScanPastSilentPortsLeavesTheLoopRunning)
{
    PtyDevice silentA;
    PtyDevice silentB;
    silentA.start();
    silentB.start();
    // Each silent port costs a whole exchange limit; the device answers at the stored speed.
    serial.setExtraPorts({silentA.path(), silentB.path(), pty.path()});
    watchdog.start();
    ASSERT_TRUE(control.initSG4Port());
    EXPECT_TRUE(control.isSG4Connecting());
    EXPECT_FALSE(control.initSG4Port()) << "one scan at a time";
    ASSERT_TRUE(QTest::qWaitFor([this] { return !control.isSG4Connecting(); }, 60000));
    EXPECT_LT(watchdog.longestStall(), kLongestStall);
    EXPECT_TRUE(control.isSG4Connect());
    EXPECT_EQ(control.sg4Port(), 3);
    control.sg4Disconnect();
    silentA.closeMaster();
    silentB.closeMaster();
}

TEST_F(SG4MainThread, ADisconnectDuringTheScanClosesWhatItFound)
{
    ASSERT_TRUE(control.initSG4Port());
    control.sg4Disconnect();
    EXPECT_FALSE(control.isSG4Connecting());
    // The scan goes on to the version on the port it found, then its outcome is dropped.
    ASSERT_TRUE(QTest::qWaitFor([this] { return commandsOf('V') > 0; }, 20000));
    EXPECT_TRUE(QTest::qWaitFor([this] { return serial.serialRefNum(kSerialSlotSG4) == -1; }, 20000));
    EXPECT_FALSE(control.isSG4Connect());
    EXPECT_TRUE(sg4Panel.title.isEmpty()) << "the dropped scan shows nothing";
    // The next scan is not held up by the dropped one.
    ASSERT_TRUE(connect());
}

TEST_F(SG4MainThread, SpeedChangeExposureAndTransferLeaveTheLoopRunning)
{
    ASSERT_TRUE(connect());
    watchdog.start();
    control.sg4SetupAction(SG4Control::kTagSpeed, SG4Control::kItemFirstSpeed + 4);
    EXPECT_TRUE(sg4Panel.progress) << "the change is under way";
    settle();
    EXPECT_EQ(control.sg4Baud(), 115200);
    EXPECT_FALSE(sg4Panel.progress);
    ASSERT_TRUE(exposeAndDownload(sg4Panel, 0.3));
    EXPECT_LT(watchdog.longestStall(), kLongestStall);
}

TEST_F(SG4MainThread, ADisconnectMidTransferEndsItAndClosesTheSlot)
{
    ASSERT_TRUE(connect());
    device.delayBlock(5, std::chrono::milliseconds(2000));
    bool failed = false;
    QObject::connect(&control, &SG4Control::downloadFailed, [&] { failed = true; });
    sg4Panel.fields = {0, 0, 50.0};
    control.sg4ImageAction(SG4Control::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([this] { return device.blocksSent() >= 5; }, 20000));
    watchdog.start();
    control.sg4Disconnect();
    EXPECT_FALSE(control.isSG4Transfer());
    // The reader gives up at once rather than at the block's 10 s limit,
    // and its holder closes the slot as it lets go.
    ASSERT_TRUE(QTest::qWaitFor([&] { return failed; }, 5000));
    EXPECT_EQ(serial.serialRefNum(kSerialSlotSG4), -1);
    EXPECT_EQ(control.sg4Image(), nullptr);
    EXPECT_LT(watchdog.longestStall(), kLongestStall);
}

TEST_F(SG4MainThread, CommandsPostedBeforeADisconnectGoOutBeforeTheSlotCloses)
{
    ASSERT_TRUE(connect(true));
    // The AllSky side turns the heater's relay off as the camera goes.
    QObject::connect(&control, &SG4Control::disconnecting, [this] { control.sg4ForceRelaysCmd(0, 0); });
    control.sg4ForceRelaysCmd(1, 0);
    control.sg4Disconnect();
    EXPECT_EQ(control.pendingExchanges(), 0) << "the connection's outcomes are forgotten";
    ASSERT_TRUE(QTest::qWaitFor([this] { return serial.serialRefNum(kSerialSlotSG4) == -1; }, 20000));
    EXPECT_EQ(device.relays(), 0);
    EXPECT_EQ(commandsOf('g'), 2);
}
