#include "app/AssembledProgram.h"
#include "app/DomeLink.h"
#include "mount/SerialControl.h"
#include "mount/dome/DomeControl.h"
#include "mount/panels/DomePanel.h"
#include "support/MainThreadWatchdog.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"
#include "support/RelayBoardSimulator.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

using DomeBoardSessionTest = AssembledProgram;

// The dome board's panel as the program assembles it: a new board running
// at another speed is found by the speed scan on the mount's worker, set up
// and disconnected with its own alert, then connects; the window never
// waits for the board.
TEST_F(DomeBoardSessionTest, TheSpeedScanAndSetUpRunOnTheWorker)
{
    using namespace std::chrono_literals;
    ScopedAlertRecorder alerts;
    PtyDevice pty;
    RelayBoardSimulator board(pty.simulator(), [&pty] {
        const termios line = pty.settings();
        return cfgetospeed(&line);
    });
    board.setBoard(4, false);
    pty.start();
    chart->mountLink().serialControl().setExtraPorts({pty.path()});
    DomePanel& panel = chart->domeLink().domePanel();
    DomeControl& dome = chart->domeLink().domeControl();
    dome.setIsBoardSetup(false);

    MainThreadWatchdog watchdog;
    watchdog.start();
    panel.button(DomePanel::kConnect)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !alerts.alerts.empty(); }, 120000));
    EXPECT_EQ(alerts.alerts.front().title, "Board has initialized, reset and disconnected.");
    EXPECT_TRUE(board.isConfigured());
    EXPECT_EQ(dome.baudRate(), 4);
    EXPECT_FALSE(dome.isDomeConnect());
    EXPECT_EQ(panel.button(DomePanel::kConnect)->text(), "Connect");

    panel.button(DomePanel::kConnect)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dome.isDomeConnect(); }, 120000));
    EXPECT_EQ(panel.button(DomePanel::kConnect)->text(), "Disconnect");
    EXPECT_LT(watchdog.longestStall(), 100ms);
    EXPECT_EQ(alerts.alerts.size(), 1u);

    panel.button(DomePanel::kConnect)->click();
    EXPECT_FALSE(dome.isDomeConnect());
    pty.closeMaster();
}

namespace {

constexpr int kTurn = 200;
constexpr int kMostMs = 60000;

// A calibrated board on the program's own dome panel and worker, its dome
// and shutter moving in real time, far from home unless placed.
class DomeBoardJobSession : public AssembledProgram {
protected:
    static constexpr std::chrono::milliseconds kStep{10};

    void SetUp() override
    {
        AssembledProgram::SetUp();
        // A shutter slow enough to be still on its way when the board falls silent.
        board.setDome({kTurn, 8.0, 10.0, 0.3, 20.0});
        board.setPosition(100.5);
        motion = std::thread([this] {
            while (moving) {
                std::this_thread::sleep_for(kStep);
                board.advance(kStep);
            }
        });
        pty.start();
        chart->mountLink().serialControl().setExtraPorts({pty.path()});
        dome().setIsBoardSetup(true);
        dome().setDomeTicks(kTurn, 8);
    }
    void TearDown() override
    {
        moving = false;
        motion.join();
        pty.closeMaster();
        AssembledProgram::TearDown();
    }

    DomeControl& dome() { return chart->domeLink().domeControl(); }
    DomePanel& panel() { return chart->domeLink().domePanel(); }
    void connect()
    {
        panel().button(DomePanel::kConnect)->click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return dome().isDomeConnect(); }, kMostMs));
    }
    bool allOff() const
    {
        return !board.relayOn(1) && !board.relayOn(2) && !board.outputOn(7) && !board.outputOn(8);
    }

    ScopedAlertRecorder alerts;
    PtyDevice pty;
    RelayBoardSimulator board{pty.simulator(), [this] {
                                  const termios line = pty.settings();
                                  return cfgetospeed(&line);
                              }};
    std::atomic<bool> moving = true;
    std::thread motion;
};

struct SilentJob {
    const char* name;
    double position;  // where the dome stands, ticks from home
    std::function<void(DomeControl&, DomePanel&)> start;
};

class DomeBoardFallsSilent : public DomeBoardJobSession,
                             public ::testing::WithParamInterface<SilentJob> {};

}  // namespace

// A board that takes every command but answers nothing from 2 s after a
// relay or output went on: the job or the shutter switches everything off
// within 5 s of the silence, the board is disconnected, the panel offers
// Connect again and the user is told once.
TEST_P(DomeBoardFallsSilent, MotorsStopAndTheUserIsToldOnce)
{
    using namespace std::chrono_literals;
    board.setPosition(GetParam().position);
    board.fallSilentAfterSwitchOn(2000ms);
    connect();
    GetParam().start(dome(), panel());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.alerts.empty(); }, kMostMs));
    ASSERT_TRUE(board.silentSince().has_value()) << "something was switched on";
    // The stop is written before the user is told, but the board reads it
    // in its own time.
    ASSERT_TRUE(QTest::qWaitFor([this] { return board.allOffAt().has_value(); }, kMostMs));
    EXPECT_LT(*board.allOffAt() - *board.silentSince(), 5s);
    EXPECT_TRUE(allOff());
    EXPECT_EQ(alerts.alerts[0].title, "Lost connection with the dome board.");
    EXPECT_EQ(alerts.alerts[0].message, "disconnected");
    EXPECT_FALSE(dome().isDomeConnect());
    EXPECT_EQ(panel().button(DomePanel::kConnect)->text(), "Connect");
    EXPECT_EQ(panel().calibrateButton()->text(), "Calibrate");
    EXPECT_EQ(panel().homeButton()->text(), "Home");
    // Whatever else was still reading the board says nothing more.
    ASSERT_TRUE(QTest::qWaitFor([this] { return !dome().needsWorker(); }, kMostMs));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(alerts.alerts.size(), 1u);
    EXPECT_TRUE(allOff());
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, DomeBoardFallsSilent,
    ::testing::Values(
        SilentJob{"HomeSearch", 100.5,
                  [](DomeControl&, DomePanel& panel) { panel.homeButton()->click(); }},
        // As the tracking tick posts it when the mount has moved on.
        SilentJob{"TrackingRotation", 100.5,
                  [](DomeControl& dome, DomePanel&) {
                      dome.setIsDomeTrack(true);
                      dome.domeTrackCmd();
                  }},
        SilentJob{"Calibration", 100.5,
                  [](DomeControl&, DomePanel& panel) {
                      panel.calibrateButton()->click();
                  }},
        SilentJob{"ShutterMove", 0.5,
                  [](DomeControl&, DomePanel& panel) {
                      panel.button(DomePanel::kShutterOpen)->click();
                  }}),
    [](const ::testing::TestParamInfo<SilentJob>& info) { return info.param.name; });

// A healthy board with its dome turning in real time: the home search
// finds home and stops the dome there, without a word to the user.
TEST_F(DomeBoardJobSession, AHealthyBoardsHomeSearchFindsHome)
{
    board.setPosition(kTurn - 5.5);
    dome().setIsDomeBiDirection(false);
    connect();
    panel().homeButton()->click();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return dome().hasDomeBeenHome() && !dome().isFindHome() && allOff(); }, kMostMs));
    // Home was seen as the dome passed it; it coasts on no further.
    EXPECT_LE(board.position(), 8.0 + 1.0);
    EXPECT_TRUE(dome().isDomeConnect());
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_EQ(panel().homeButton()->text(), "Home");
}
