#include "mount/dome/DDWControl.h"

#include "mount/SerialFixture.h"
#include "mount/dome/DDWView.h"
#include "mount/dome/FakeDomeMount.h"
#include "mount/links/SkyRedraw.h"
#include "support/DDWSimulator.h"
#include "support/PtyDevice.h"

#include "support/MainThreadWatchdog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <string_view>
#include <thread>

namespace {

class FakeDDWView final : public DDWView, public SkyRedraw {
public:
    bool isGEM() const override { return false; }
    void setPanelTitle(const QString& version) override { title = version; }
    void setDDWUpdateText() override { ++updates; }
    void setNeedsDisplay() override { ++redraws; }
    void ddwConnectEnded(bool connected) override { connectEnds.append(connected); }
    QString title;
    QList<bool> connectEnds;
    int updates = 0;
    int redraws = 0;
};

class DDWControlTest : public SerialFixture {
protected:
    // The controller's replies pause as a real one's do: the exchanges' cycles
    // run on the program's tick to span them.
    DDWControlTest() : SerialFixture(SerialTiming{}.tick), simulator(device().simulator())
    {
        ddw.setView(&view);
        ddw.setSkyView(&view);
        ddw.setDDWSetup(0, 0, 0, 0, 0, 0, 5.0f, 60.0f);
        mount.onWorker = true;
    }

    // The controller's thread stops before the simulator goes.
    ~DDWControlTest() override { device().closeMaster(); }

    void connectAt(int azimuth)
    {
        simulator.setAzimuth(azimuth);
        device().start();
        ASSERT_TRUE(ddw.ddwConnect());
        settle();
        ASSERT_TRUE(ddw.isDDWConnect());
    }
    void settle()
    {
        mount.settle();
        ASSERT_TRUE(deviceHeardAll());
    }
    // The commands sent after connecting.
    QList<QByteArray> sentSince(qsizetype first) const { return simulator.commands().mid(first); }

    DDWSimulator simulator;
    FakeDomeMount mount;
    FakeDDWView view;
    DDWControl ddw{serial, mount, DebugWriter{}, ScopeThreadTiming{kFastTick, {}}};
};

}  // namespace

TEST_F(DDWControlTest, AStatusRecordThePausesCutIsReadWhole)
{
    // Replies 300 ms late, each paused 300 ms halfway, as a slow controller gives them.
    device().simulator().setReplyDelay(std::chrono::milliseconds(300));
    device().simulator().splitRepliesInHalf(std::chrono::milliseconds(300));
    connectAt(120);
    EXPECT_EQ(view.title, "Digital Dome Works V4");
    EXPECT_EQ(ddw.ddwDomeAz(), 120);
    simulator.setAzimuth(200);
    ASSERT_TRUE(ddw.ddwSlaveOn(true));
    settle();
    EXPECT_EQ(ddw.ddwDomeAz(), 200);
    simulator.setAzimuth(210);
    ASSERT_TRUE(ddw.ddwGetInfo());
    settle();
    EXPECT_EQ(ddw.ddwDomeAz(), 210);
}

TEST_F(DDWControlTest, ConnectsAndReadsTheStatusRecord)
{
    connectAt(120);
    EXPECT_TRUE(ddw.isDDWConnect());
    EXPECT_EQ(ddw.ddwPort(), 1);
    EXPECT_EQ(view.title, "Digital Dome Works V4");
    EXPECT_EQ(ddw.ddwDomeAz(), 120);
    EXPECT_EQ(ddw.status().Dticks, DDWSimulator::kTicksPerTurn);

    // A controller that no longer counts ticks leaves the azimuth alone.
    simulator.setTicksPerTurn(0);
    simulator.setAzimuth(200);
    ASSERT_TRUE(ddw.ddwGetInfo());
    settle();
    EXPECT_EQ(ddw.status().Dticks, 0);
    EXPECT_EQ(ddw.ddwDomeAz(), 120);

    EXPECT_TRUE(ddw.ddwDisconnect());
    EXPECT_FALSE(ddw.isDDWConnect());
    EXPECT_LT(serial.serialRefNum(kSerialSlotDDW), 0);
}

// A disconnect while the port scan runs on the worker wins: the port the
// scan found is closed again and the view hears nothing; a later connect
// finds the controller afresh.
TEST_F(DDWControlTest, ADisconnectDuringThePortScanLeavesThePortClosed)
{
    device().start();
    ASSERT_TRUE(ddw.ddwConnect());
    EXPECT_FALSE(ddw.ddwConnect()) << "one scan at a time";
    EXPECT_TRUE(ddw.isDDWConnecting());
    ddw.ddwDisconnect();
    settle();
    EXPECT_FALSE(ddw.isDDWConnect());
    EXPECT_FALSE(ddw.isDDWConnecting());
    EXPECT_LT(serial.serialRefNum(kSerialSlotDDW), 0);
    EXPECT_TRUE(view.connectEnds.isEmpty());
    EXPECT_EQ(ddw.pendingExchanges(), 0);

    ASSERT_TRUE(ddw.ddwConnect());
    settle();
    EXPECT_TRUE(ddw.isDDWConnect());
    EXPECT_EQ(view.connectEnds, QList<bool>{true});
}

TEST_F(DDWControlTest, ShortRecordLeavesTheTitleAndKeepsTheConnection)
{
    simulator.setFieldCount(21);
    connectAt(90);
    EXPECT_TRUE(ddw.isDDWConnect());
    EXPECT_TRUE(view.title.isEmpty());
    EXPECT_EQ(view.updates, 0);
    EXPECT_FLOAT_EQ(ddw.ddwAzimuth(), -1.0f);
}

TEST_F(DDWControlTest, CommandsAreSentInTheControllersFormat)
{
    connectAt(0);
    const qsizetype first = simulator.commands().size();
    EXPECT_TRUE(ddw.ddwGOTOAz(7));
    settle();
    EXPECT_EQ(ddw.ddwDomeAz(), 7) << "the streamed record after the go-to is read";
    ddw.setDDWPinState(12);
    EXPECT_TRUE(ddw.ddwSetPins());
    EXPECT_TRUE(ddw.ddwRotateEast(true));
    EXPECT_TRUE(ddw.ddwAllStop());
    settle();
    const QList<QByteArray> expected = {"G007", "GP0C", "GTCK", QByteArray("L@\x80\xC0", 4), "QQ"};
    EXPECT_EQ(sentSince(first), expected);
    EXPECT_EQ(simulator.pins(), 12);
}

TEST_F(DDWControlTest, RefusesGoalsOutsideATurnAndMotionWithTheDSROpen)
{
    connectAt(0);
    const qsizetype first = simulator.commands().size();
    for (int goal : {65531, 360, -1})
        EXPECT_FALSE(ddw.ddwGOTOAz(goal)) << goal;

    simulator.setDSRStatus(kDDWDSROpen);
    ASSERT_TRUE(ddw.ddwGetInfo());
    settle();
    EXPECT_FALSE(ddw.ddwGOTOAz(100));
    EXPECT_FALSE(ddw.ddwRotateWest(true));
    EXPECT_FALSE(ddw.ddwRotateEast(true));
    EXPECT_EQ(sentSince(first), QList<QByteArray>{"GINF"});
}

TEST_F(DDWControlTest, TrackingSendsTheGoalOnlyWhenTheDomeFellBehind)
{
    struct Case {
        const char* name;
        int dome;
        double scope;
        float delta;
        QList<QByteArray> sent;
    };
    const Case cases[] = {
        {"350 degrees apart is 10 degrees apart", 350, 0.0, 15.0f, {"GINF"}},
        {"turning toward lower azimuth aims at the target", 50, 20.0, 5.0f, {"GINF", "G020"}},
        {"turning toward higher azimuth leads by delta, wrapped", 300, 355.0, 10.0f,
         {"GINF", "G005"}},
    };
    connectAt(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        simulator.setAzimuth(c.dome);
        mount.azimuth = c.scope;
        ddw.setDDWSetup(0, 0, 0, 0, 0, 0, c.delta, 60.0f);
        ddw.ddwTrack(true);
        const qsizetype first = simulator.commands().size();
        ddw.ddwFreqTimer();
        settle();
        EXPECT_EQ(sentSince(first), c.sent);
    }
    EXPECT_FLOAT_EQ(ddw.ddwTargetAz(), 355.0f);

    // No goal before the mount's position has been read.
    mount.positionRead = false;
    simulator.setAzimuth(50);
    mount.azimuth = 20.0;
    const qsizetype first = simulator.commands().size();
    ddw.ddwFreqTimer();
    settle();
    EXPECT_TRUE(sentSince(first).isEmpty());
    EXPECT_TRUE(ddw.isDDWTracking());

    mount.connected = false;
    ddw.ddwFreqTimer();
    EXPECT_FALSE(ddw.isDDWTracking());
}

TEST_F(DDWControlTest, FaultyRepliesFailWithoutHarm)
{
    device().simulator().garbleReplies("X,1,2\r");
    device().start();
    EXPECT_TRUE(ddw.ddwConnect());
    settle();
    EXPECT_FALSE(ddw.isDDWConnect());
    EXPECT_EQ(view.connectEnds, QList<bool>{false});
    EXPECT_LT(serial.serialRefNum(kSerialSlotDDW), 0);
}

// A controller that falls silent after the connect, or trickles noise: the
// commands and the tracking tick return at once, their exchanges go out in
// order on the worker and end in the transport's time, and the main thread
// never waits for them. A tick waits for the exchanges before it.
TEST_F(DDWControlTest, ASilentControllerNeverHoldsTheMainThread)
{
    using namespace std::chrono_literals;
    constexpr auto kNoStall = 100ms;
    for (const bool trickles : {false, true}) {
        SCOPED_TRACE(trickles ? "trickling" : "silent");
        PtyDevice pty;
        DDWSimulator silent(pty.simulator());
        silent.setAzimuth(120);
        pty.simulator().stopAnsweringAfter(1);
        pty.start();
        serial.setExtraPorts({pty.path()});
        serial.getPortNames();
        ASSERT_TRUE(ddw.ddwConnect());
        settle();
        ASSERT_TRUE(ddw.isDDWConnect());
        if (trickles)
            pty.simulator().babble("U", 500ms);
        mount.positionRead = true;
        mount.azimuth = 30.0;

        MainThreadWatchdog watchdog;
        watchdog.start();
        QElapsedTimer asking;
        asking.start();
        ddw.ddwTrack(true);
        ddw.followMount();
        QCoreApplication::processEvents();
        ddw.followMount();
        QCoreApplication::processEvents();
        ddw.ddwUpdateTimer();
        EXPECT_EQ(ddw.pendingExchanges(), 1);
        EXPECT_TRUE(ddw.ddwGetInfo());
        EXPECT_TRUE(ddw.ddwGOTOAz(90));
        EXPECT_TRUE(ddw.ddwRotateWest(true));
        EXPECT_TRUE(ddw.ddwSetPins());
        EXPECT_LT(std::chrono::milliseconds(asking.elapsed()), kNoStall);
        EXPECT_EQ(ddw.pendingExchanges(), 5);
        // Each silent exchange runs its 40 cycles on the worker.
        ASSERT_TRUE(QTest::qWaitFor([this] { return ddw.pendingExchanges() == 0; }, 300000));
        EXPECT_LT(watchdog.longestStall(), kNoStall);

        // A noise byte answers the rotation's first command, whose tail then
        // follows; silence drops the tail.
        QList<QByteArray> expected = {"GINF", "GINF", "GINF", "G090", "GTCK", "GP00"};
        if (trickles)
            expected.insert(5, QByteArray("R@\x80\xC0", 4));
        // The pins command is write-only: it reaches the controller after its exchange ends.
        EXPECT_TRUE(QTest::qWaitFor([&] { return silent.commands().size() >= expected.size(); }, 10000));
        EXPECT_EQ(silent.commands(), expected);
        EXPECT_EQ(ddw.ddwDomeAz(), 120);
        ddw.ddwTrack(false);
        EXPECT_TRUE(ddw.ddwDisconnect());
        // The rotation sent gets the all-stop before the close.
        ASSERT_TRUE(QTest::qWaitFor([this] { return ddw.pendingExchanges() == 0; }, 300000));
        EXPECT_LT(serial.serialRefNum(kSerialSlotDDW), 0);
        pty.simulator().babble({}, 500ms);
        pty.closeMaster();
    }
}

// A disconnect during a hand rotation stops it with the controller's
// all-stop before the line closes; a go-to, a Home search or the shutter is
// left to end on the controller (a shutter stopped halfway would leave the
// dome open). What was still queued for the ended connection is never
// sent, and tracking ends with it.
TEST_F(DDWControlTest, DisconnectStopsAHandRotationAndDropsWhatWasQueued)
{
    struct Operation {
        const char* name;
        std::function<bool()> start;
    };
    const std::vector<Operation> operations = {
        {"go-to", [this] { return ddw.ddwGOTOAz(180); }},
        {"home", [this] { return ddw.ddwGoHome(); }},
        {"shutter", [this] { return ddw.ddwShutter(true); }},
        {"hand rotation", [this] { return ddw.ddwRotateWest(true); }},
    };
    simulator.setStepDegrees(10);
    connectAt(90);
    mount.azimuth = 200.0;
    for (const Operation& operation : operations) {
        SCOPED_TRACE(operation.name);
        if (!ddw.isDDWConnect()) {
            ASSERT_TRUE(ddw.ddwConnect());
            settle();
            ASSERT_TRUE(ddw.isDDWConnect());
        }
        simulator.setAzimuth(90);
        ddw.ddwTrack(true);
        ASSERT_TRUE(operation.start());
        settle();
        // Queued, not yet run: the worker is held.
        mount.onWorker = false;
        const qsizetype first = simulator.commands().size();
        ASSERT_TRUE(ddw.ddwGOTOAz(270));
        ASSERT_TRUE(ddw.ddwDisconnect());
        EXPECT_FALSE(ddw.isDDWConnect());
        EXPECT_FALSE(ddw.isDDWTracking());
        ddw.ddwFreqTimer();
        ddw.ddwUpdateTimer();
        std::thread worker([this] {
            for (std::size_t i = 0; i < mount.work.size(); ++i)
                mount.work[i]();
        });
        worker.join();
        mount.work.clear();
        QCoreApplication::processEvents();
        const bool isHandRotation = std::string_view(operation.name) == "hand rotation";
        EXPECT_EQ(sentSince(first), isHandRotation ? QList<QByteArray>{"QQ"} : QList<QByteArray>{});
        if (isHandRotation) {
            EXPECT_EQ(simulator.goal(), simulator.azimuth()) << "the controller was stopped";
        }
        EXPECT_LT(serial.serialRefNum(kSerialSlotDDW), 0);
        EXPECT_EQ(ddw.pendingExchanges(), 0);
        EXPECT_TRUE(mount.work.empty());
        mount.onWorker = true;
    }
}

TEST(DDWStatusTest, ParsesOnlyTheRecordsOwnBytes)
{
    QByteArray fields = "V2";
    for (int i = 1; i < 21; ++i)
        fields += "," + QByteArray::number(i == 4 ? 180 : i == 11 ? 5 : 1);
    // 21 fields; stale bytes of an earlier reply after it would make 22.
    const QByteArray buffer = fields + "\r,7,7";
    EXPECT_FALSE(parseDDWStatus(QByteArrayView(buffer).first(fields.size() + 1)));
    const auto whole = parseDDWStatus(QByteArrayView(buffer));
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->ADAZ, 180);
    EXPECT_EQ(whole->pinState, 5);

    struct Case {
        const char* name;
        QByteArray text;
    };
    const Case refused[] = {
        {"no V", "X" + buffer.mid(1)},
        {"field out of range", QByteArray(buffer).replace(",180,", ",70000,")},
        {"field not a number", QByteArray(buffer).replace(",180,", ",1x0,")},
        {"pins beyond four bits", QByteArray(buffer).replace(",5,", ",16,")},
    };
    for (const Case& c : refused)
        EXPECT_FALSE(parseDDWStatus(c.text)) << c.name;
}

TEST(DDWFaultTest, OperationsFailOnTimeoutsAndKeepTheStatusOnBadReplies)
{
    enum Fault { Silent, Garbage, Cut };
    for (const Fault fault : {Silent, Garbage, Cut}) {
        SCOPED_TRACE(fault == Silent ? "silent" : fault == Garbage ? "garbage" : "cut short");
        PtyDevice pty;
        DDWSimulator simulator(pty.simulator());
        simulator.setAzimuth(90);
        if (fault == Silent)
            pty.simulator().dropAnswers();
        else if (fault == Garbage)
            pty.simulator().garbleReplies("X,1,2\r");
        else
            pty.simulator().shortenReplies(1);
        SerialControl serial(DebugWriter{}, SerialTiming{std::chrono::microseconds(1000),
                                                         std::chrono::milliseconds(300)});
        serial.setExtraPorts({pty.path()});
        serial.getPortNames();
        FakeDomeMount mount;
        mount.onWorker = true;
        FakeDDWView view;
        DDWControl ddw{serial, mount, DebugWriter{},
                       ScopeThreadTiming{std::chrono::microseconds(1000), {}}};
        ddw.setView(&view);
        pty.start();
        ASSERT_TRUE(serial.openSerialDriver(0, 9600, false, kSerialSlotDDW));

        ddw.ddwGetInfo();
        if (fault == Silent) {
            // Each time-out runs 40 cycles: one command of each kind. The
            // status request above was the first.
            ddw.ddwGoHome();
        } else {
            // Answered, but with nothing to read: the status stays as it was.
            ddw.ddwGetV();
            ddw.ddwSlaveOn(true);
            ddw.ddwGoHome();
            ddw.ddwGOTOAz(45);
        }
        mount.settle();
        EXPECT_EQ(ddw.pendingExchanges(), 0);
        EXPECT_EQ(view.updates, 0);
        EXPECT_TRUE(view.title.isEmpty());
        EXPECT_FLOAT_EQ(ddw.ddwAzimuth(), -1.0f);
        EXPECT_EQ(ddw.status().Dticks, 0);
        pty.closeMaster();
    }
}

// The 5 s status poll hands its exchange to the worker and takes the
// answer back on the main thread; one read at a time, and none once the
// controller is gone.
TEST_F(DDWControlTest, TheStatusPollReadsOnTheWorker)
{
    connectAt(120);
    mount.onWorker = false;
    const int updates = view.updates;
    const qsizetype sent = simulator.commands().size();
    simulator.setAzimuth(200);
    ddw.ddwUpdateTimer();
    ddw.ddwUpdateTimer();
    EXPECT_EQ(simulator.commands().size(), sent);
    ASSERT_EQ(mount.work.size(), 1u);
    std::thread worker(mount.work.front());
    worker.join();
    EXPECT_EQ(ddw.ddwDomeAz(), 120);
    QCoreApplication::processEvents();
    EXPECT_EQ(ddw.ddwDomeAz(), 200);
    EXPECT_EQ(view.updates, updates + 1);

    ddw.ddwUpdateTimer();
    ASSERT_EQ(mount.work.size(), 2u);
    simulator.setAzimuth(300);
    ddw.ddwDisconnect();
    mount.work.back()();
    QCoreApplication::processEvents();
    EXPECT_EQ(ddw.ddwDomeAz(), 200);
}
