#include "mount/dome/DomeControl.h"

#include "mount/SerialControl.h"
#include "mount/dome/DomeView.h"
#include "mount/dome/FakeDomeMount.h"
#include "mount/links/SkyRedraw.h"
#include "support/PtyDevice.h"
#include "support/QStringPrinter.h"
#include "support/RecordingAlertPresenter.h"
#include "support/RelayBoardSimulator.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace {

class FakeDomeView final : public DomeView, public SkyRedraw {
public:
    bool isGEM() const override { return gem; }
    void domeUpdateButtons() override {}
    void domeUpdateStatus() override {}
    void setDomeSetupText() override {}
    void setDomeCalText() override {}
    void setCalButtonTitle() override {}
    void setCalProgress(bool) override {}
    void setProgress(bool) override {}
    void setHomeTitle(const QString&) override {}
    void setMotionButtons() override {}
    void setNeedsDisplay() override { ++redraws; }
    bool gem = false;
    int redraws = 0;
};

constexpr int kTurn = 200;
constexpr double kCoast = 8.0;

// A board behind a pty, whose dome moves only as the controller's waits
// pass: the controller's clock is the dome's.
class DomeControlTest : public ::testing::Test {
protected:
    DomeControlTest()
        : serial(DebugWriter{}, SerialTiming{std::chrono::microseconds(1000),
                                             std::chrono::milliseconds(300),
                                             CycleRules{std::chrono::microseconds(300), 30,
                                                        kReplyBufferSize, true}}),
          board(pty.simulator(), [this] {
              const termios line = pty.settings();
              return cfgetospeed(&line);
          })
    {
        serial.setExtraPorts({pty.path()});
        serial.getPortNames();
        board.setDome({kTurn, kCoast, 10.0, 0.3, 2.0});
        dome.setView(&view);
        dome.setSkyView(&view);
        dome.setIsBoardSetup(true);
        dome.setDomeSetup(0, 0, 0, 0, 0, 0, 0.0f, 5.0f, 60.0f);
        dome.setSaves([this] { ++boardSaves; }, [this] { ++tickSaves; });
    }

    // The board's thread stops before the board goes.
    ~DomeControlTest() override { pty.closeMaster(); }

    void connectBoard()
    {
        pty.start();
        ASSERT_TRUE(dome.domeConnect());
    }
    // Write-only commands reach the board after the call returns: an
    // exchange with an answer puts the board past them.
    void settle() { dome.domeReadRelay(); }
    bool relaysOff()
    {
        settle();
        return !board.relayOn(1) && !board.relayOn(2);
    }
    bool outputOn(int output)
    {
        settle();
        return board.outputOn(output);
    }
    // The board's dome azimuth, degrees.
    double boardAzimuth() const { return board.position() * 360.0 / kTurn; }
    void sleepVirtual(std::chrono::microseconds span)
    {
        // The board takes what was sent before the time passes, as a real
        // one would within its 50 ms cycle.
        if (!faulty && serial.serialRefNum(kSerialSlotDome) >= 0) {
            ReplyBuffer reply{};
            qint32 count = 4;
            serial.transaction(1, count, "AR0\r", reply, kSerialSlotDome);
        }
        board.advance(span);
        if (onSleep)
            onSleep();
    }

    PtyDevice pty;
    SerialControl serial;
    RelayBoardSimulator board;
    FakeDomeMount mount;
    FakeDomeView view;
    ScopedAlertRecorder recorder;
    std::function<void()> onSleep;
    std::atomic<bool> faulty = false;
    int boardSaves = 0;
    int tickSaves = 0;
    DomeControl dome{serial, mount, DebugWriter{},
                     ScopeThreadTiming{std::chrono::microseconds(16667), {},
                                       [this](std::chrono::microseconds span) { sleepVirtual(span); }}};
};

}  // namespace

TEST_F(DomeControlTest, SpeedScanFindsTheBoardAndKeepsItsCode)
{
    board.setBoard(4, true);
    connectBoard();
    EXPECT_TRUE(dome.isDomeConnect());
    EXPECT_EQ(dome.baudRate(), 4);
    EXPECT_EQ(dome.domePort(), 1);
    EXPECT_GE(boardSaves, 1);
    EXPECT_EQ(mount.launches, 1);
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(DomeControlTest, NewBoardIsConfiguredAndDisconnectedOnce)
{
    board.setBoard(2, false);
    dome.setIsBoardSetup(false);
    pty.start();
    EXPECT_FALSE(dome.domeConnect());
    EXPECT_TRUE(board.isConfigured());
    EXPECT_TRUE(dome.isBoardSetup());
    EXPECT_TRUE(dome.isFirstConnect());
    EXPECT_FALSE(dome.isDomeConnect());
    EXPECT_LT(serial.serialRefNum(kSerialSlotDome), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Board has initialized, reset and disconnected.");
    ASSERT_TRUE(dome.domeConnect());
    EXPECT_EQ(recorder.alerts.size(), 1u);
}

TEST_F(DomeControlTest, TicksCountBothEdgesAndWrap)
{
    board.setPosition(50.5);
    connectBoard();
    // Uncalibrated: nothing to count, and no calibration of 0 ticks is taken.
    dome.setDomeTicks(0, 3);
    ASSERT_TRUE(dome.domeReadTicks());
    EXPECT_EQ(dome.domeMaxTicks(), 0u);
    EXPECT_FLOAT_EQ(dome.domeAzimuth(), -1.0f);
    EXPECT_FLOAT_EQ(dome.domeTolerance(), 1.0f);

    dome.setDomeTicks(kTurn, 8);
    EXPECT_FLOAT_EQ(dome.domeOverDeg(), 14.4f);
    EXPECT_FLOAT_EQ(dome.domeTolerance(), 2.3f);
    // Turning west to east, the first edge below 0 gives the last tick.
    ASSERT_TRUE(dome.domeSetRelay('2', true));
    ASSERT_TRUE(dome.domeSetRelay('0', false));
    board.setPosition(50.5);
    ASSERT_TRUE(dome.domeReadTicks());
    EXPECT_EQ(dome.domeTicks(), kTurn - 1);
    // Back east to west over the top: 0 again.
    ASSERT_TRUE(dome.domeSetRelay('1', true));
    ASSERT_TRUE(dome.domeSetRelay('0', false));
    board.setPosition(51.5);
    ASSERT_TRUE(dome.domeReadTicks());
    EXPECT_EQ(dome.domeTicks(), 0);
    EXPECT_FALSE(dome.hasDomeBeenHome());
    ASSERT_TRUE(dome.domeSetRelay('1', true));
    ASSERT_TRUE(dome.domeSetRelay('0', false));
    board.setPosition(52.5);
    ASSERT_TRUE(dome.domeReadTicks());
    EXPECT_EQ(dome.domeTicks(), 1);
    board.setPosition(0.5);
    ASSERT_TRUE(dome.domeReadTicks());
    EXPECT_EQ(dome.domeTicks(), 0);
    EXPECT_TRUE(dome.hasDomeBeenHome());
}

TEST_F(DomeControlTest, ShutterMovesOnlyAtHomeAndStopsAtItsLimits)
{
    board.setPosition(50.5);
    connectBoard();
    dome.domeShutterUp();
    EXPECT_FALSE(outputOn(8));
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Can not move shutter - dome is not at Home.");

    board.setPosition(0.5);
    const auto run = [this](int mostTicks) {
        for (int i = 0; i < mostTicks && dome.isDomeShutterMove(); ++i) {
            settle();
            board.advance(std::chrono::milliseconds(100));
            dome.domeShutterTimer();
        }
    };
    dome.domeShutterUp();
    EXPECT_TRUE(outputOn(8));
    run(100);
    EXPECT_FALSE(dome.isDomeShutterMove());
    EXPECT_DOUBLE_EQ(board.shutter(), 1.0);
    EXPECT_FALSE(outputOn(8));

    dome.domeShutterDown();
    EXPECT_TRUE(outputOn(7));
    run(100);
    EXPECT_DOUBLE_EQ(board.shutter(), 0.0);
    EXPECT_FALSE(outputOn(7));

    // Pressed again midway: stopped where it is.
    dome.domeShutterUp();
    run(5);
    dome.domeShutterUp();
    run(1);
    EXPECT_FALSE(dome.isDomeShutterMove());
    EXPECT_GT(board.shutter(), 0.0);
    EXPECT_LT(board.shutter(), 1.0);
    EXPECT_FALSE(outputOn(8));
}

TEST_F(DomeControlTest, CalibrationFindsTheTurnAndCoastOrKeepsThePrevious)
{
    board.setPosition(150.5);
    connectBoard();
    dome.setDomeTicks(100, 3);

    // Stopped during the turn, then timed out on a dome that does not move.
    int sleeps = 0;
    onSleep = [&] {
        if (++sleeps == 300)
            dome.setIsCalAbort(true);
    };
    dome.domeCalibrateTimer();
    onSleep = nullptr;
    board.setDome({kTurn, kCoast, 0.0, 0.3, 2.0});
    board.setPosition(150.5);
    dome.domeCalibrateTimer();
    QCoreApplication::processEvents();
    EXPECT_EQ(dome.domeMaxTicks(), 100u);
    EXPECT_EQ(dome.domeOvershoot(), 3);
    EXPECT_TRUE(relaysOff());
    ASSERT_EQ(recorder.alerts.size(), 2u);
    EXPECT_EQ(recorder.alerts[0].message, "Calibration stopped.");
    EXPECT_EQ(recorder.alerts[1].message, "Calibration timeout.");
    EXPECT_FALSE(mount.blockPolling);

    board.setDome({kTurn, kCoast, 10.0, 0.3, 2.0});
    dome.domeCalibrateTimer();
    EXPECT_EQ(dome.domeMaxTicks(), quint32(kTurn));
    EXPECT_EQ(dome.domeOvershoot(), qint16(kCoast));
    EXPECT_TRUE(relaysOff());
    EXPECT_EQ(tickSaves, 1);
    // The count goes on where the coast ended.
    EXPECT_NEAR(dome.domeAzimuth(), boardAzimuth(), 360.0 / kTurn);
}

TEST_F(DomeControlTest, HomeSearchEndsOnHome)
{
    board.setPosition(60.5);
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    mount.jobs.clear();
    dome.domeFindHome();
    ASSERT_EQ(mount.jobs, std::vector<int>{kDomeMsgHome});
    dome.domeHomeTimer();
    settle();
    EXPECT_EQ(int(std::floor(board.position())), 0);
    EXPECT_FALSE(dome.isFindHome());
    EXPECT_TRUE(relaysOff());
    EXPECT_TRUE(dome.hasDomeBeenHome());
}

TEST_F(DomeControlTest, TrackingStopsWithinToleranceBothWays)
{
    board.setPosition(0.5);
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    ASSERT_TRUE(dome.domeIsHome());
    struct Case {
        const char* name;
        double scope;
        double settles;  // where the dome comes to rest
    };
    const Case cases[] = {
        {"east to west, led by delta", 90.0, 95.0},
        {"west to east, the short way over north", 300.0, 300.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mount.azimuth = c.scope;
        mount.jobs.clear();
        dome.domeTrack(true);
        ASSERT_EQ(mount.jobs, std::vector<int>{kDomeMsgTrack});
        dome.domeTrackTimer();
        EXPECT_TRUE(relaysOff());
        EXPECT_LE(domeAngleApart(boardAzimuth(), c.settles), dome.domeTolerance() + 360.0 / kTurn);
        EXPECT_NEAR(dome.domeAzimuth(), boardAzimuth(), 360.0 / kTurn);
        // Now within delta: the next tick leaves it be.
        mount.jobs.clear();
        dome.domeFreqTimer();
        EXPECT_TRUE(mount.jobs.empty());
        dome.domeTrack(false);
    }
}

TEST_F(DomeControlTest, GermanMountWithoutRadiusNeverTracks)
{
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    view.gem = true;
    mount.azimuth = 120.0;
    dome.domeTrack(true);
    EXPECT_TRUE(mount.jobs.empty());
    EXPECT_TRUE(relaysOff());
}

TEST_F(DomeControlTest, FaultyBoardFailsEveryOperationAndJobsEnd)
{
    board.setPosition(50.5);
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    for (const bool silent : {true, false}) {
        SCOPED_TRACE(silent ? "silent" : "garbled");
        faulty = true;
        board.setSilent(silent);
        board.setGarbled(!silent);
        EXPECT_FALSE(dome.domeTest());
        EXPECT_FALSE(dome.domeReadInput());
        EXPECT_FALSE(dome.domeReadTicks());
        EXPECT_FALSE(dome.domeIsHome());
        EXPECT_EQ(dome.domeReadRelay(), -1);
        EXPECT_FALSE(dome.domeSetup(0));
    }
    // Jobs run out their cycles and leave the relays off.
    mount.azimuth = 90.0;
    dome.setIsDomeTrack(true);
    dome.domeTrackTimer();
    dome.domeCalibrateTimer();
    EXPECT_EQ(dome.domeMaxTicks(), quint32(kTurn));
    EXPECT_TRUE(relaysOff());
    EXPECT_FALSE(mount.blockPolling);
}

TEST_F(DomeControlTest, JobAndShutterReadsShareTheSlotWholly)
{
    board.setPosition(0.5);
    connectBoard();
    dome.setDomeTicks(100, 3);
    std::thread worker([this] { dome.domeCalibrateTimer(); });
    int reads = 0;
    while (reads < 300) {
        dome.domeReadInput();
        ++reads;
    }
    worker.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(board.malformed(), 0);
    EXPECT_EQ(dome.domeMaxTicks(), quint32(kTurn));
    EXPECT_EQ(dome.domeOvershoot(), qint16(kCoast));
}
