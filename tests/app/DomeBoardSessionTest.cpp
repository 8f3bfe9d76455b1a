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

#include <QPushButton>
#include <QTest>

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
