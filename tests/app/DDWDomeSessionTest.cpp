#include "app/AssembledProgram.h"
#include "app/DomeLink.h"
#include "mount/SerialControl.h"
#include "mount/panels/DDWPanel.h"
#include "support/DDWSimulator.h"
#include "support/MainThreadWatchdog.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using DDWDomeSessionTest = AssembledProgram;

// The Digital Dome Works panel as the program assembles it, on the mount's
// own worker: the port scan and a go-to reach the controller and the record it streams back
// reaches the panel; a controller that then falls silent never holds the
// window, and the next command still goes out after the one it waited on.
TEST_F(DDWDomeSessionTest, CommandsRunOnTheWorkerAndTheirRecordsReachThePanel)
{
    using namespace std::chrono_literals;
    ScopedAlertRecorder alerts;
    PtyDevice pty;
    DDWSimulator simulator(pty.simulator());
    simulator.setAzimuth(120);
    // The connect's status and the go-to's record, then silence.
    pty.simulator().stopAnsweringAfter(2);
    pty.start();
    chart->mountLink().serialControl().setExtraPorts({pty.path()});
    DDWPanel& panel = chart->domeLink().ddwPanel();
    DDWControl& ddw = chart->domeLink().ddwControl();

    MainThreadWatchdog watchdog;
    watchdog.start();
    panel.button(DDWPanel::kConnect)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ddw.isDDWConnect(); }, 20000));
    EXPECT_EQ(panel.button(DDWPanel::kConnect)->text(), "Disconnect");
    EXPECT_EQ(panel.readout(DDWPanel::kDomeAzimuth), "120");

    panel.gotoField()->setText("90");
    panel.ddwButtonAction(DDWPanel::kGoto);
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel.readout(DDWPanel::kDomeAzimuth) == "90"; },
                                20000));

    panel.button(DDWPanel::kHome)->click();
    panel.button(DDWPanel::kAllStop)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ddw.pendingExchanges() == 0; }, 120000));
    EXPECT_LT(watchdog.longestStall(), 100ms);
    // On a slow machine the idle status poll (every 5 s) may come between
    // the commands; only their order is the point here.
    QList<QByteArray> sent = simulator.commands();
    sent.erase(std::remove(sent.begin() + std::min<qsizetype>(1, sent.size()), sent.end(), QByteArray("GINF")),
               sent.end());
    const QList<QByteArray> expected = {"GINF", "G090", "GHOM", "QQ"};
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(panel.readout(DDWPanel::kDomeAzimuth), "90");
    EXPECT_TRUE(alerts.alerts.empty());

    panel.button(DDWPanel::kConnect)->click();
    EXPECT_FALSE(ddw.isDDWConnect());
    pty.closeMaster();
}
