#include "mount/dome/DomeControl.h"

#include "mount/dome/DomeBoardFixture.h"

#include "support/MainThreadWatchdog.h"
#include "support/QStringPrinter.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

class DomeControlTest : public DomeBoardFixture {};

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
    ASSERT_TRUE(dome.domeConnect());
    mount.settle();
    EXPECT_TRUE(board.isConfigured());
    EXPECT_TRUE(dome.isBoardSetup());
    EXPECT_TRUE(dome.isFirstConnect());
    EXPECT_FALSE(dome.isDomeConnect());
    EXPECT_LT(serial.serialRefNum(kSerialSlotDome), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Board has initialized, reset and disconnected.");
    EXPECT_TRUE(view.connectEnds.empty());
    ASSERT_TRUE(dome.domeConnect());
    mount.settle();
    EXPECT_TRUE(dome.isDomeConnect());
    EXPECT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(view.connectEnds, std::vector<bool>{true});
}

// The port and speed scans run on the worker: the window's loop never waits
// for the board, whether it answers at another speed, not at all, or the
// user disconnects while the scan goes on.
TEST_F(DomeControlTest, ConnectingNeverHoldsTheMainThread)
{
    using namespace std::chrono_literals;
    constexpr auto kNoStall = 100ms;
    constexpr int kMostMs = 300000;
    pty.start();
    MainThreadWatchdog watchdog;
    const auto ended = [this] { return !view.connectEnds.empty(); };
    {
        SCOPED_TRACE("found by the speed scan");
        board.setBoard(4, true);
        board.setPosition(0.5);
        dome.setDomeTicks(kTurn, qint16(kCoast));
        watchdog.start();
        ASSERT_TRUE(dome.domeConnect());
        EXPECT_TRUE(dome.isDomeConnecting());
        EXPECT_FALSE(dome.domeConnect()) << "one scan at a time";
        ASSERT_TRUE(QTest::qWaitFor(ended, kMostMs));
        EXPECT_LT(watchdog.longestStall(), kNoStall);
        EXPECT_EQ(view.connectEnds, std::vector<bool>{true});
        EXPECT_TRUE(dome.isDomeConnect());
        EXPECT_EQ(dome.baudRate(), 4);
        // Home was read on the worker and taken here.
        EXPECT_TRUE(dome.hasDomeBeenHome());
        dome.domeDisconnect();
    }
    {
        SCOPED_TRACE("a silent port");
        view.connectEnds.clear();
        board.setSilent(true);
        watchdog.start();
        ASSERT_TRUE(dome.domeConnect());
        ASSERT_TRUE(QTest::qWaitFor(ended, kMostMs));
        EXPECT_LT(watchdog.longestStall(), kNoStall);
        EXPECT_EQ(view.connectEnds, std::vector<bool>{false});
        EXPECT_FALSE(dome.isDomeConnect());
        EXPECT_FALSE(dome.isDomeConnecting());
        EXPECT_LT(serial.serialRefNum(kSerialSlotDome), 0);
    }
    {
        SCOPED_TRACE("disconnected mid-scan");
        view.connectEnds.clear();
        const qsizetype before = board.commands().size();
        watchdog.start();
        ASSERT_TRUE(dome.domeConnect());
        ASSERT_TRUE(QTest::qWaitFor([&] { return board.commands().size() > before + 1; }, kMostMs));
        dome.domeDisconnect();
        ASSERT_TRUE(QTest::qWaitFor([this] { return mount.worker.activeThreadCount() == 0; }, kMostMs));
        EXPECT_LT(watchdog.longestStall(), kNoStall);
        mount.settle();
        EXPECT_TRUE(view.connectEnds.empty());
        EXPECT_FALSE(dome.isDomeConnecting());
        EXPECT_LT(serial.serialRefNum(kSerialSlotDome), 0);
        // The scan gave up at its next try rather than run through every speed.
        EXPECT_LE(board.commands().size(), before + 5);
    }
    {
        SCOPED_TRACE("disconnected once the board was found");
        board.setSilent(false);
        ASSERT_TRUE(dome.domeConnect());
        mount.worker.waitForDone();
        EXPECT_GE(serial.serialRefNum(kSerialSlotDome), 0);
        dome.domeDisconnect();
        mount.settle();
        EXPECT_TRUE(view.connectEnds.empty());
        EXPECT_FALSE(dome.isDomeConnect());
        EXPECT_LT(serial.serialRefNum(kSerialSlotDome), 0);
        ASSERT_TRUE(dome.domeConnect());
        mount.settle();
        EXPECT_TRUE(dome.isDomeConnect());
        EXPECT_EQ(view.connectEnds, std::vector<bool>{true});
    }
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
    // Each press and tick is answered once the worker has read the board.
    const auto press = [this](void (DomeControl::*button)()) {
        (dome.*button)();
        mount.settle();
    };
    press(&DomeControl::domeShutterUp);
    EXPECT_FALSE(outputOn(8));
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Can not move shutter - dome is not at Home.");

    board.setPosition(0.5);
    const auto run = [&](int mostTicks) {
        for (int i = 0; i < mostTicks && dome.isDomeShutterMove(); ++i) {
            settle();
            board.advance(std::chrono::milliseconds(100));
            press(&DomeControl::domeShutterTimer);
        }
    };
    press(&DomeControl::domeShutterUp);
    EXPECT_TRUE(outputOn(8));
    run(100);
    EXPECT_FALSE(dome.isDomeShutterMove());
    EXPECT_DOUBLE_EQ(board.shutter(), 1.0);
    EXPECT_FALSE(outputOn(8));

    press(&DomeControl::domeShutterDown);
    EXPECT_TRUE(outputOn(7));
    run(100);
    EXPECT_DOUBLE_EQ(board.shutter(), 0.0);
    EXPECT_FALSE(outputOn(7));

    // Pressed again midway: stopped where it is.
    press(&DomeControl::domeShutterUp);
    run(5);
    press(&DomeControl::domeShutterUp);
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
    mount.settle();
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
        mount.settle();
        ASSERT_EQ(mount.jobs, std::vector<int>{kDomeMsgTrack});
        dome.domeTrackTimer();
        EXPECT_TRUE(relaysOff());
        EXPECT_LE(domeAngleApart(boardAzimuth(), c.settles), dome.domeTolerance() + 360.0 / kTurn);
        EXPECT_NEAR(dome.domeAzimuth(), boardAzimuth(), 360.0 / kTurn);
        // Now within delta: the next tick leaves it be.
        mount.jobs.clear();
        dome.domeFreqTimer();
        mount.settle();
        EXPECT_TRUE(mount.jobs.empty());
        dome.domeTrack(false);
        mount.settle();
    }
}

// Before the mount's position is read the dome stays where it is, and
// follows once the first poll has answered.
TEST_F(DomeControlTest, TrackingWaitsForTheMountsFirstPosition)
{
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    mount.azimuth = 120.0;
    mount.positionRead = false;
    dome.domeTrack(true);
    EXPECT_TRUE(mount.jobs.empty());
    EXPECT_TRUE(relaysOff());
    mount.positionRead = true;
    dome.domeFreqTimer();
    mount.settle();
    EXPECT_EQ(mount.jobs, std::vector<int>{kDomeMsgTrack});
    dome.domeTrack(false);
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

// Every operation fails on a board that is silent, garbled or cut short;
// each job on it stops the dome, disconnects the board and tells the user
// once that it was lost, whatever its reading costs.
TEST_F(DomeControlTest, FaultyBoardFailsEveryOperationAndJobsEnd)
{
    constexpr int kMostMs = 60000;
    board.setPosition(50.5);
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    enum Fault { Silent, Garbled, Cut };
    const auto setFault = [this](Fault fault, bool on) {
        board.setSilent(on && fault == Silent);
        board.setGarbled(on && fault == Garbled);
        board.setCut(on && fault == Cut);
        faulty = on;
    };
    struct Job {
        const char* name;
        std::function<void()> run;
    };
    const std::vector<Job> jobs = {
        {"tracking",
         [this] {
             mount.azimuth = 90.0;
             dome.setIsDomeTrack(true);
             dome.domeTrackTimer();
         }},
        {"calibration", [this] { dome.domeCalibrateTimer(); }},
        {"home search",
         [this] {
             dome.domeFindHome();
             EXPECT_TRUE(dome.isFindHome());
             dome.domeHomeTimer();
             EXPECT_FALSE(dome.isFindHome());
         }},
    };
    for (const Fault fault : {Silent, Garbled, Cut}) {
        SCOPED_TRACE(fault == Silent ? "silent" : fault == Garbled ? "garbled" : "cut short");
        setFault(fault, true);
        EXPECT_FALSE(dome.domeTest());
        EXPECT_FALSE(dome.domeReadInput());
        EXPECT_FALSE(dome.domeReadTicks());
        EXPECT_FALSE(dome.domeIsHome());
        EXPECT_EQ(dome.domeReadRelay(), -1);
        recorder.alerts.clear();
        dome.applyBaudRate(4);
        mount.settle();
        ASSERT_FALSE(recorder.alerts.empty());
        EXPECT_EQ(recorder.alerts[0].title, "The control board failed reset.");
        EXPECT_TRUE(dome.isDomeConnect());

        for (const Job& job : jobs) {
            SCOPED_TRACE(job.name);
            if (!dome.isDomeConnect()) {
                setFault(fault, false);
                ASSERT_TRUE(dome.domeConnect());
                mount.settle();
                ASSERT_TRUE(dome.isDomeConnect());
                setFault(fault, true);
            }
            recorder.alerts.clear();
            view.losses = 0;
            job.run();
            // Home's first check, answered after the search ended, starts none.
            mount.jobs.clear();
            mount.settle();
            EXPECT_TRUE(mount.jobs.empty());
            EXPECT_FALSE(dome.isDomeConnect());
            ASSERT_EQ(recorder.alerts.size(), 1u);
            EXPECT_EQ(recorder.alerts[0].title, "Lost connection with the dome board.");
            EXPECT_EQ(recorder.alerts[0].message, "disconnected");
            EXPECT_EQ(view.losses, 1);
            EXPECT_FALSE(mount.blockPolling);
            EXPECT_FALSE(dome.isDomeTrack());
            EXPECT_TRUE(QTest::qWaitFor([this] { return !board.relayOn(1) && !board.relayOn(2); }, kMostMs));
        }
        setFault(fault, false);
        EXPECT_EQ(dome.domeMaxTicks(), quint32(kTurn));
        ASSERT_TRUE(dome.domeConnect());
        mount.settle();
        ASSERT_TRUE(dome.isDomeConnect());
    }
}

// A board that answers every reading, but only as its time limit nears:
// each job ends at its own time, not after its cycles' worth of readings,
// leaves the dome stopped and the board connected.
TEST_F(DomeControlTest, JobsEndAtTheirTimeWhenEachReadingIsSlow)
{
    using namespace std::chrono_literals;
    constexpr auto kLimit = 1500ms;
    constexpr auto kReading = 700ms;
    // A reading at most; more would be the cycles, not the time, ending the job.
    constexpr qsizetype kMostReadings = kLimit / kReading + 2;
    constexpr int kMostMs = 30000;
    board.setPosition(100.5);
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    dome.setJobLimits({kLimit, kLimit, kLimit, kLimit});
    board.setReplyDelay(kReading);
    // No reading of the fixture's own between the waits.
    faulty = true;
    struct Job {
        const char* name;
        std::function<void()> ask;
        std::function<void()> run;
        const char* alertMessage;  // none for the jobs that end without a word
    };
    const std::vector<Job> jobs = {
        {"home search", [this] { dome.domeFindHome(); }, [this] { dome.domeHomeTimer(); }, nullptr},
        {"tracking rotation",
         [this] {
             // Half a turn away: the rotation is far from done when its time ends.
             mount.azimuth = 180.0;
             ASSERT_TRUE(dome.calcDomeAzimuth());
             dome.setIsDomeTrack(true);
         },
         [this] { dome.domeTrackTimer(); }, nullptr},
        {"calibration", [] {}, [this] { dome.domeCalibrateTimer(); }, "Calibration timeout."},
    };
    for (const Job& job : jobs) {
        SCOPED_TRACE(job.name);
        job.ask();
        mount.settle();
        recorder.alerts.clear();
        const qsizetype before = board.commands().count("AI15");
        std::atomic<bool> ended = false;
        std::thread worker([&] {
            job.run();
            ended = true;
        });
        const bool endedInTime = QTest::qWaitFor([&] { return ended.load(); }, kMostMs);
        // One that would not end is stopped, so the test goes on.
        dome.stopJobs();
        worker.join();
        QCoreApplication::processEvents();
        EXPECT_TRUE(endedInTime);
        EXPECT_LE(board.commands().count("AI15") - before, kMostReadings);
        EXPECT_TRUE(dome.isDomeConnect());
        EXPECT_FALSE(mount.blockPolling);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !board.relayOn(1) && !board.relayOn(2); }, kMostMs));
        if (job.alertMessage) {
            ASSERT_EQ(recorder.alerts.size(), 1u);
            EXPECT_EQ(recorder.alerts[0].message, job.alertMessage);
        } else {
            EXPECT_TRUE(recorder.alerts.empty());
        }
    }
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

// Against a silent board each action's exchange waits on the worker while
// the window's loop goes on; each outcome is taken once the reply has timed
// out, a tick whose read is awaited posts no other, and the shutter's motor
// is stopped when its read fails, the board then found gone.
TEST_F(DomeControlTest, ActionsNeverHoldTheMainThreadOnASilentBoard)
{
    using namespace std::chrono_literals;
    constexpr auto kNoStall = 100ms;
    constexpr int kMostMs = 300000;
    board.setPosition(0.5);
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    mount.azimuth = 90.0;
    dome.domeShutterUp();
    ASSERT_TRUE(QTest::qWaitFor([this] { return dome.isDomeShutterMove(); }, kMostMs));
    ASSERT_TRUE(outputOn(8));
    const auto sent = [this](const char* command) { return board.commands().count(command); };
    const auto answered = [this] {
        return QTest::qWaitFor([this] { return mount.worker.activeThreadCount() == 0; }, kMostMs);
    };
    board.setSilent(true);
    faulty = true;
    MainThreadWatchdog watchdog;
    watchdog.start();
    {
        SCOPED_TRACE("the shutter's tick");
        const qsizetype reads = sent("AI15");
        for (int tick = 0; tick < 5; ++tick)
            dome.domeShutterTimer();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !dome.isDomeShutterMove(); }, kMostMs));
        EXPECT_TRUE(QTest::qWaitFor([this] { return !board.outputOn(8); }, kMostMs));
        EXPECT_FALSE(dome.isShutterOpenHeld());
        // Its limits unreadable, the motor stopped, the board is found gone.
        ASSERT_TRUE(QTest::qWaitFor([this] { return !recorder.alerts.empty(); }, kMostMs));
        EXPECT_EQ(recorder.alerts[0].title, "Lost connection with the dome board.");
        EXPECT_FALSE(dome.isDomeConnect());
        // The tick's read and those that found the board gone, and one
        // more when the timer's own read was on its way as it fell silent.
        EXPECT_LE(sent("AI15"), reads + DomeBoardWatch::kLostReadings + 1) << "one tick's reads at a time";
        ASSERT_TRUE(answered());
        QCoreApplication::processEvents();
        EXPECT_EQ(recorder.alerts.size(), 1u);
        // Connected again for the actions that follow, to the board as silent.
        board.setSilent(false);
        faulty = false;
        ASSERT_TRUE(dome.domeConnect());
        ASSERT_TRUE(QTest::qWaitFor([this] { return dome.isDomeConnect(); }, kMostMs));
        board.setSilent(true);
        faulty = true;
        recorder.alerts.clear();
    }
    {
        SCOPED_TRACE("the shutter's start");
        dome.domeShutterDown();
        dome.domeShutterDown();
        EXPECT_TRUE(recorder.alerts.empty()) << "told once the board has not answered";
        ASSERT_TRUE(QTest::qWaitFor([this] { return !recorder.alerts.empty(); }, kMostMs));
        EXPECT_EQ(recorder.alerts[0].title, "Can not move shutter - dome is not at Home.");
        ASSERT_TRUE(answered());
        QCoreApplication::processEvents();
        EXPECT_EQ(recorder.alerts.size(), 1u) << "the second press was the same one";
        EXPECT_FALSE(board.outputOn(7));
    }
    {
        SCOPED_TRACE("the tracking tick and track-off");
        const qsizetype reads = sent("AI15");
        const qsizetype offs = sent("AL0");
        dome.domeTrack(true);
        dome.domeFreqTimer();
        dome.domeFreqTimer();
        ASSERT_TRUE(answered());
        QCoreApplication::processEvents();
        EXPECT_EQ(sent("AI15"), reads + 1);
        EXPECT_TRUE(mount.jobs.empty()) << "no reading, no rotation";
        dome.domeTrack(false);
        ASSERT_TRUE(QTest::qWaitFor([&] { return sent("AL0") > offs; }, kMostMs));
    }
    {
        SCOPED_TRACE("Home's first check");
        dome.domeFindHome();
        EXPECT_TRUE(mount.jobs.empty());
        ASSERT_TRUE(QTest::qWaitFor([this] { return !mount.jobs.empty(); }, kMostMs));
        EXPECT_EQ(mount.jobs, std::vector<int>{kDomeMsgHome});
        const qsizetype offs = sent("AL0");
        dome.domeFindHome();
        EXPECT_FALSE(dome.isFindHome());
        ASSERT_TRUE(QTest::qWaitFor([&] { return sent("AL0") > offs; }, kMostMs));
    }
    {
        SCOPED_TRACE("the Alt-nudge");
        dome.domeRotateWest(true);
        EXPECT_FALSE(dome.isDomeRelayOn());
        ASSERT_TRUE(QTest::qWaitFor([&] { return sent("AM1") == 1; }, kMostMs));
    }
    {
        SCOPED_TRACE("the speed Reset");
        recorder.alerts.clear();
        dome.applyBaudRate(4);
        EXPECT_TRUE(recorder.alerts.empty());
        ASSERT_TRUE(QTest::qWaitFor([this] { return !recorder.alerts.empty(); }, kMostMs));
        EXPECT_EQ(recorder.alerts[0].title, "The control board failed reset.");
        EXPECT_TRUE(dome.isDomeConnect());
        EXPECT_EQ(view.resets, 0);
    }
    EXPECT_LT(watchdog.longestStall(), kNoStall);
    ASSERT_TRUE(answered());
}

// What the worker answers after a disconnect is dropped: no alert, no job,
// no setting; the motors the actions may have started are stopped before
// the line closes.
TEST_F(DomeControlTest, AnswersAfterADisconnectChangeNothing)
{
    constexpr int kMostMs = 300000;
    const auto answered = [this] {
        const bool done =
            QTest::qWaitFor([this] { return mount.worker.activeThreadCount() == 0; }, kMostMs);
        QCoreApplication::processEvents();
        return done;
    };
    board.setPosition(0.5);
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    mount.azimuth = 90.0;
    dome.domeShutterUp();
    dome.domeFindHome();
    dome.domeTrack(true);
    dome.domeDisconnect();
    ASSERT_TRUE(answered());
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_TRUE(mount.jobs.empty());
    EXPECT_FALSE(dome.isDomeShutterMove());
    EXPECT_FALSE(dome.isShutterOpenHeld());
    EXPECT_FALSE(dome.isFindHome());
    EXPECT_LT(serial.serialRefNum(kSerialSlotDome), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !board.outputOn(8); }, kMostMs));
    EXPECT_FALSE(board.relayOn(1) || board.relayOn(2));

    // A Reset answered after the disconnect.
    ASSERT_TRUE(dome.domeConnect());
    mount.settle();
    ASSERT_TRUE(dome.isDomeConnect());
    board.setSilent(true);
    const int saves = boardSaves;
    dome.applyBaudRate(4);
    dome.domeDisconnect();
    ASSERT_TRUE(answered());
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(view.resets, 0);
    EXPECT_EQ(boardSaves, saves);
}

// A disconnect while any job has a relay on stops the dome before the line
// closes, and the job ends at its next cycle instead of running on unwatched.
TEST_F(DomeControlTest, DisconnectStopsEveryJobsRelayBeforeTheLineCloses)
{
    constexpr int kMostMs = 60000;
    struct Job {
        const char* name;
        std::function<void()> ask;
        std::function<void()> run;
    };
    const std::vector<Job> jobs = {
        {"held rotation", [this] { dome.domeRotateWest(); }, [this] { dome.domeRelayWestOnTimer(); }},
        {"home search",
         [this] {
             dome.domeFindHome();
             mount.settle();
         },
         [this] { dome.domeHomeTimer(); }},
        {"calibration", [this] { dome.domeCalibrateCmd(); }, [this] { dome.domeCalibrateTimer(); }},
    };
    const auto turning = [this] { return board.relayOn(1) || board.relayOn(2); };
    connectBoard();
    for (const Job& job : jobs) {
        SCOPED_TRACE(job.name);
        if (!dome.isDomeConnect()) {
            ASSERT_TRUE(dome.domeConnect());
            mount.settle();
            ASSERT_TRUE(dome.isDomeConnect());
        }
        // Far from home, so that no job stops the dome on its own first.
        board.setPosition(100.5);
        job.ask();
        std::atomic<bool> ended = false;
        std::thread worker([&] {
            job.run();
            ended = true;
        });
        const bool turned = QTest::qWaitFor(turning, kMostMs);
        dome.domeDisconnect();
        const bool jobEnded = QTest::qWaitFor([&] { return ended.load(); }, kMostMs);
        // A job that would not end is stopped as at quit, so the test goes on.
        dome.stopJobs();
        worker.join();
        ASSERT_TRUE(turned);
        EXPECT_TRUE(jobEnded);
        EXPECT_TRUE(QTest::qWaitFor([&] { return serial.serialRefNum(kSerialSlotDome) < 0; }, kMostMs));
        // The board takes what was written before the close in its own time.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !turning(); }, kMostMs));
        EXPECT_FALSE(dome.isDomeRelayOn());
        EXPECT_FALSE(dome.isFindHome());
        EXPECT_FALSE(dome.isCalibrating());
    }
    // Nothing left running turns the dome once connected again.
    ASSERT_TRUE(dome.domeConnect());
    mount.settle();
    ASSERT_TRUE(dome.isDomeConnect());
    EXPECT_TRUE(relaysOff());
}

// A disconnect while the Reset gives the board a new speed, with the dome
// turning: the Reset ends first, and the relays-off the close sends reaches
// the board at the speed it runs at by then.
TEST_F(DomeControlTest, DisconnectDuringAResetStillTurnsTheRelaysOff)
{
    constexpr int kMostMs = 60000;
    connectBoard();
    board.setPosition(100.5);
    dome.domeRotateWest();
    std::atomic<bool> ended = false;
    std::thread worker([&] {
        dome.domeRelayWestOnTimer();
        ended = true;
    });
    const bool turned = QTest::qWaitFor([this] { return board.relayOn(1); }, kMostMs);
    dome.applyBaudRate(4);
    // The board has left its set-up mode at the new speed.
    const bool reset = QTest::qWaitFor([this] { return board.speedCode() == 4; }, kMostMs);
    dome.domeDisconnect();
    const bool jobEnded = QTest::qWaitFor([&] { return ended.load(); }, kMostMs);
    dome.stopJobs();
    worker.join();
    ASSERT_TRUE(turned);
    ASSERT_TRUE(reset);
    EXPECT_TRUE(jobEnded);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !dome.needsWorker(); }, kMostMs));
    EXPECT_LT(serial.serialRefNum(kSerialSlotDome), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !board.relayOn(1) && !board.relayOn(2); }, kMostMs));
    EXPECT_TRUE(recorder.alerts.empty());
}

// The mount's worker takes no numbered job without its port: a held
// rotation or a Home search then starts nothing, and the disconnect has no
// job to stop.
TEST_F(DomeControlTest, RotationAndHomeWithoutTheMountsPortStartNothing)
{
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    board.setPosition(100.5);
    mount.hasPort = false;
    dome.domeRotateWest();
    EXPECT_FALSE(dome.isDomeRelayOn());
    dome.domeFindHome();
    mount.settle();
    EXPECT_FALSE(dome.isFindHome());
    EXPECT_TRUE(mount.jobs.empty());
    EXPECT_TRUE(relaysOff());
    const qsizetype offs = board.commands().count("AL0");
    dome.domeDisconnect();
    mount.settle();
    ASSERT_LT(serial.serialRefNum(kSerialSlotDome), 0);
    EXPECT_EQ(board.commands().count("AL0"), offs) << "no relays-off for a job never started";
}

// Sync sets the count on the worker: pressed while an exchange with a
// silent board holds the board there, the window goes on, and the count is
// the synced one once that exchange has timed out.
TEST_F(DomeControlTest, SyncNeverHoldsTheMainThreadForTheWorkersExchange)
{
    using namespace std::chrono_literals;
    constexpr int kMostMs = 300000;
    board.setPosition(0.5);
    connectBoard();
    dome.setDomeTicks(kTurn, qint16(kCoast));
    mount.azimuth = 90.0;
    board.setSilent(true);
    faulty = true;
    const qsizetype reads = board.commands().count("AI15");
    // The tracking's first tick reads the silent board on the worker.
    dome.domeTrack(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return board.commands().count("AI15") > reads; }, kMostMs));
    MainThreadWatchdog watchdog;
    watchdog.start();
    dome.domeSync();
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return mount.worker.activeThreadCount() == 0; }, kMostMs));
    QCoreApplication::processEvents();
    EXPECT_LT(watchdog.longestStall(), 100ms);
    EXPECT_EQ(dome.domeTicks(), kTurn / 4);
    EXPECT_TRUE(dome.hasDomeBeenHome());
    board.setSilent(false);
    faulty = false;
    dome.domeTrack(false);
    mount.settle();
    EXPECT_TRUE(relaysOff());
}

// The worker is one thread: while a job turns the dome, the shutter's
// exchanges wait for the job's next cycle rather than for its end, so the
// shutter still stops at its limit.
TEST_F(DomeControlTest, JobsReadTheShutterBetweenTheirCycles)
{
    constexpr int kMostMs = 300000;
    board.setPosition(0.1);
    connectBoard();
    // Posted work waits for a worker that never comes: only the job runs it.
    mount.onWorker = false;
    dome.domeShutterUp();
    dome.domeRotateWest();
    ASSERT_TRUE(dome.isDomeRelayOn());
    std::thread worker([this] { dome.domeRelayWestOnTimer(); });
    const bool opened = QTest::qWaitFor(
        [this] { return dome.isDomeShutterMove() || !recorder.alerts.empty(); }, kMostMs);
    const bool stopped = QTest::qWaitFor([this] { return !dome.isDomeShutterMove(); }, kMostMs);
    dome.domeRotateWest();
    worker.join();
    ASSERT_TRUE(opened);
    ASSERT_TRUE(stopped);
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_DOUBLE_EQ(board.shutter(), 1.0);
    EXPECT_FALSE(outputOn(8));
    EXPECT_TRUE(relaysOff());
}
