#include "mount/panels/DDWPanel.h"

#include "model/settings/PrefControl.h"
#include "mount/SerialFixture.h"
#include "mount/dome/DDWControl.h"
#include "mount/dome/FakeDomeMount.h"
#include "platform/DisplayGamma.h"
#include "support/DDWSimulator.h"
#include "support/OtherProgramsLock.h"
#include "support/RecordingAlertPresenter.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

namespace {

class DDWPanelTest : public SerialFixture {
protected:
    DDWPanelTest() : simulator(device().simulator())
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
        mount.onWorker = true;
    }
    ~DDWPanelTest() override { device().closeMaster(); }

    void connect()
    {
        device().start();
        panel.button(DDWPanel::kConnect)->click();
        ASSERT_TRUE(eventually([this] { return ddw.isDDWConnect(); }));
        mount.settle();
    }
    qsizetype sent() const { return simulator.commands().size(); }

    DDWSimulator simulator;
    FakeDomeMount mount;
    ScopedAlertRecorder recorder;
    QTemporaryDir settingsDir;
    std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();
    PrefControl prefs{*gamma};
    DDWControl ddw{serial, mount, DebugWriter{}, ScopeThreadTiming{kFastTick, {}}};
    DDWPanel panel{ddw, mount, prefs};
};

}  // namespace

TEST_F(DDWPanelTest, ShowsTheControllerAndSendsWhatIsTyped)
{
    EXPECT_EQ(panel.readout(DDWPanel::kDomeAzimuth), "-1");
    EXPECT_EQ(panel.readout(DDWPanel::kDSR), "Undef");
    for (int tag = DDWPanel::kTrack; tag <= DDWPanel::kRotateEast; ++tag)
        panel.ddwButtonAction(tag);
    EXPECT_EQ(recorder.alerts.size(), 9u);
    EXPECT_EQ(recorder.alerts.back().title, "Connect to DDW first.");

    simulator.setAzimuth(120);
    connect();
    EXPECT_EQ(panel.windowTitle(), "Digital Dome Works V4");
    EXPECT_EQ(panel.button(DDWPanel::kConnect)->text(), "Disconnect");
    EXPECT_EQ(panel.readout(DDWPanel::kDomeAzimuth), "120");
    EXPECT_EQ(panel.readout(DDWPanel::kShutter), "Closed");
    EXPECT_EQ(panel.readout(DDWPanel::kAtHome), "NO");

    struct Case {
        const char* typed;
        QByteArray sent;  // empty: refused
    };
    const Case cases[] = {{"7", "G007"}, {"65531", ""}, {"-1", ""}, {"359", "G359"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const qsizetype before = sent();
        panel.gotoField()->setText(c.typed);
        panel.ddwButtonAction(DDWPanel::kGoto);
        mount.settle();
        ASSERT_TRUE(deviceHeardAll());
        const QList<QByteArray> commands = simulator.commands().mid(before);
        EXPECT_EQ(commands.value(0), c.sent);
    }
    // The record streamed after the go-to reaches the panel.
    EXPECT_TRUE(eventually([this] { return panel.readout(DDWPanel::kDomeAzimuth) == "359"; }));

    panel.pinBox(3)->click();
    panel.pinBox(4)->click();
    // The pins go unanswered: a status request puts the controller past them.
    ASSERT_TRUE(ddw.ddwGetInfo());
    mount.settle();
    ASSERT_TRUE(deviceHeardAll());
    EXPECT_TRUE(simulator.commands().contains("GP0C"));
    EXPECT_EQ(simulator.pins(), 12);
    EXPECT_TRUE(panel.pinBox(4)->isChecked());

    panel.button(DDWPanel::kConnect)->click();
    EXPECT_FALSE(ddw.isDDWConnect());
    panel.pinBox(1)->click();
    EXPECT_FALSE(panel.pinBox(1)->isChecked());
    EXPECT_EQ(recorder.alerts.back().title, "Connect to DDW first.");
}

TEST_F(DDWPanelTest, RefusesMotionWhileTheDSRIsOpen)
{
    simulator.setDSRStatus(2);
    connect();
    EXPECT_EQ(panel.readout(DDWPanel::kDSR), "Open");
    const qsizetype before = sent();
    panel.gotoField()->setText("90");
    panel.ddwButtonAction(DDWPanel::kGoto);
    panel.ddwButtonAction(DDWPanel::kTrack);
    panel.ddwButtonAction(DDWPanel::kRotateWest, true);
    EXPECT_EQ(sent(), before);
    ASSERT_EQ(recorder.alerts.size(), 3u);
    EXPECT_EQ(recorder.alerts[0].title, "Can not rotate dome - DSR is open.");
    EXPECT_EQ(recorder.alerts[1].title, "Can not rotate dome - DSR is open.");
    EXPECT_EQ(recorder.alerts[2].title, "Can not rotate dome.");
    EXPECT_EQ(recorder.alerts[2].message, "DSR is open!");
    EXPECT_FALSE(ddw.isDDWTracking());

    // Without a mount there is nothing to follow.
    simulator.setDSRStatus(1);
    ASSERT_TRUE(ddw.ddwGetInfo());
    mount.settle();
    EXPECT_EQ(panel.readout(DDWPanel::kDSR), "Closed");
    mount.connected = false;
    panel.ddwButtonAction(DDWPanel::kTrack);
    EXPECT_EQ(recorder.alerts.back().title, "Connect to scope with polling on first.");
    EXPECT_FALSE(ddw.isDDWTracking());
}

// Tracking ends with the connection, whether the panel or the Connect menu
// (the panel hidden) disconnected: Track is offered again.
TEST_F(DDWPanelTest, ADisconnectEndsTracking)
{
    connect();
    for (const bool fromPanel : {true, false}) {
        SCOPED_TRACE(fromPanel ? "panel" : "Connect menu");
        if (!ddw.isDDWConnect()) {
            panel.ddwButtonAction(DDWPanel::kConnect);
            ASSERT_TRUE(eventually([this] { return ddw.isDDWConnect(); }));
            mount.settle();
        }
        panel.ddwButtonAction(DDWPanel::kTrack);
        ASSERT_TRUE(ddw.isDDWTracking());
        ASSERT_EQ(panel.button(DDWPanel::kTrack)->text(), "Stop Tracking");
        if (fromPanel) {
            panel.ddwButtonAction(DDWPanel::kConnect);
        } else {
            ddw.disconnectDevice();
            panel.show();
        }
        mount.settle();
        EXPECT_FALSE(ddw.isDDWTracking());
        EXPECT_EQ(panel.button(DDWPanel::kTrack)->text(), "Track");
    }
}

// The port scan runs on the worker: the panel hears of a controller that
// never answers when the scan ends, once, however often Connect is pressed.
TEST_F(DDWPanelTest, AFailedConnectIsToldWhenTheScanEnds)
{
    device().simulator().dropAnswers();
    device().start();
    panel.button(DDWPanel::kConnect)->click();
    panel.button(DDWPanel::kConnect)->click();
    EXPECT_TRUE(ddw.isDDWConnecting());
    EXPECT_TRUE(recorder.alerts.empty());
    mount.settle();
    ASSERT_TRUE(deviceHeardAll());
    EXPECT_FALSE(ddw.isDDWConnecting());
    EXPECT_FALSE(ddw.isDDWConnect());
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Connect to DDW failed.");
    EXPECT_EQ(panel.button(DDWPanel::kConnect)->text(), "Connect");
    EXPECT_EQ(simulator.commands(), QList<QByteArray>{"GINF"});
}

// The panel gives the search's reason: a port another program holds is
// said to be in use, and is never asked.
TEST_F(DDWPanelTest, AConnectToAHeldPortSaysItIsInUse)
{
    device().start();
    const OtherProgramsLock lock(device());
    ASSERT_TRUE(lock.holds());
    panel.button(DDWPanel::kConnect)->click();
    mount.settle();
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Connect to DDW failed.");
    EXPECT_EQ(recorder.alerts[0].message, device().path().mid(5) + " is in use by another program.");
    EXPECT_TRUE(simulator.commands().isEmpty());
}
