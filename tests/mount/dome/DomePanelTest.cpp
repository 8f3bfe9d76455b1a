#include "mount/panels/DomePanel.h"

#include "model/settings/PrefControl.h"
#include "model/settings/PrefLinks.h"
#include "model/settings/PrefStore.h"
#include "mount/dome/DomeBoardFixture.h"
#include "mount/panels/DomeSetupFields.h"
#include "platform/DisplayGamma.h"
#include "support/OtherProgramsLock.h"
#include "support/QStringPrinter.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

namespace {

// Points the settings at a fresh folder before the settings object exists.
struct TempSettingsPath {
    TempSettingsPath() { QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path()); }
    QTemporaryDir dir;
};

// The board panel on the simulated board, with the settings it saves to.
class DomePanelTest : public DomeBoardFixture {
protected:
    DomePanelTest()
    {
        PrefLinks links;
        links.dome = &dome;
        links.domePanel = &panel;
        prefs.setLinks(links);
    }

    void click(int tag) { panel.button(tag)->click(); }
    std::vector<QString> alertTitles() const
    {
        std::vector<QString> titles;
        for (const RecordedAlert& a : recorder.alerts)
            titles.push_back(a.title);
        return titles;
    }

    TempSettingsPath settingsPath;
    std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();
    PrefControl prefs{*gamma};
    DomePanel panel{dome, prefs, QString()};
};

}  // namespace

TEST_F(DomePanelTest, NewBoardIsAnnouncedOnceAndLaterFailuresAreTold)
{
    board.setBoard(2, false);
    dome.setIsBoardSetup(false);
    pty.start();
    click(DomePanel::kConnect);
    mount.settle();
    EXPECT_EQ(alertTitles(), std::vector<QString>{"Board has initialized, reset and disconnected."});
    EXPECT_EQ(panel.button(DomePanel::kConnect)->text(), "Connect");

    click(DomePanel::kConnect);
    mount.settle();
    EXPECT_TRUE(dome.isDomeConnect());
    EXPECT_EQ(panel.button(DomePanel::kConnect)->text(), "Disconnect");
    EXPECT_EQ(panel.light(4), DomePanel::Light::Clear);  // relay 1 off, read at connect

    click(DomePanel::kConnect);
    EXPECT_FALSE(dome.isDomeConnect());
    for (int i = 0; i < DomePanel::kLightCount; ++i)
        EXPECT_EQ(panel.light(i), DomePanel::Light::Red) << i;

    // The board was set up long ago: a board that is gone now is said to be.
    board.setSilent(true);
    click(DomePanel::kConnect);
    mount.settle();
    EXPECT_EQ(alertTitles().back(), "Connect to the control board failed.");
    EXPECT_EQ(recorder.alerts.size(), 2u);
}

// The panel gives the search's reason: a port another program holds is
// said to be in use, at every speed the scan would try, and is never asked.
TEST_F(DomePanelTest, AConnectToAHeldPortSaysItIsInUse)
{
    pty.start();
    const OtherProgramsLock lock(pty);
    ASSERT_TRUE(lock.holds());
    click(DomePanel::kConnect);
    mount.settle();
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Connect to the control board failed.");
    EXPECT_EQ(recorder.alerts[0].message, pty.path().mid(5) + " is in use by another program.");
    EXPECT_TRUE(board.commands().isEmpty());
    EXPECT_EQ(panel.button(DomePanel::kConnect)->text(), "Connect");
}

TEST_F(DomePanelTest, UncalibratedDomeKeepsSyncAndHomeDisabled)
{
    connectBoard();
    EXPECT_TRUE(panel.calibrateButton()->isEnabled());
    EXPECT_FALSE(panel.syncButton()->isEnabled());
    EXPECT_FALSE(panel.homeButton()->isEnabled());

    struct Case {
        const char* ticks;
        const char* coast;
        quint32 kept;  // ticks per turn in use afterwards
    };
    const Case cases[] = {{"0", "3", 0}, {"x", "3", 0}, {"200", "8", 200}, {"0", "1", 200}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ticks);
        panel.ticksField()->setText(c.ticks);
        panel.coastField()->setText(c.coast);
        panel.getDomeTicks();
        EXPECT_EQ(dome.domeMaxTicks(), c.kept);
        EXPECT_EQ(panel.ticksField()->text(), QString::number(c.kept));
        EXPECT_EQ(panel.syncButton()->isEnabled(), c.kept != 0);
        EXPECT_EQ(panel.homeButton()->isEnabled(), c.kept != 0);
    }
    // Tracking waits for home.
    EXPECT_FALSE(panel.button(DomePanel::kTrack)->isEnabled());
}

TEST_F(DomePanelTest, ActionsNeedAConnectedBoard)
{
    for (const int tag : {int(DomePanel::kTrack), int(DomePanel::kRotateEast),
                          int(DomePanel::kRotateWest), int(DomePanel::kShutterOpen),
                          int(DomePanel::kShutterClose)})
        panel.domeButtonAction(tag);
    panel.domeCalibrateAction(1);
    panel.domeBoardAction(DomePanel::kReset);
    EXPECT_EQ(alertTitles(), std::vector<QString>(7, "Connect to the board first."));
    EXPECT_TRUE(mount.jobs.empty());
    EXPECT_TRUE(board.commands().isEmpty());

    // Connected but never set up: no calibration.
    connectBoard();
    dome.setIsBoardSetup(false);
    panel.domeCalibrateAction(1);
    EXPECT_EQ(alertTitles().back(), "Reset the board first.");
    EXPECT_TRUE(mount.jobs.empty());
}

TEST_F(DomePanelTest, LightsAndButtonsFollowTheBoard)
{
    board.setPosition(0.5);
    connectBoard();
    ASSERT_TRUE(dome.domeSetRelay('1', true));
    QCoreApplication::processEvents();
    EXPECT_EQ(panel.light(4), DomePanel::Light::Green);
    EXPECT_EQ(panel.light(5), DomePanel::Light::Clear);
    ASSERT_TRUE(dome.domeSetRelay('0', false));

    // At home the shutter opens; its button shows it running until the limit.
    click(DomePanel::kShutterOpen);
    mount.settle();
    EXPECT_TRUE(panel.button(DomePanel::kShutterOpen)->isChecked());
    EXPECT_EQ(panel.light(7), DomePanel::Light::Green);
    for (int i = 0; i < 100 && dome.isDomeShutterMove(); ++i) {
        settle();
        board.advance(std::chrono::milliseconds(100));
        dome.domeShutterTimer();
        mount.settle();
    }
    EXPECT_FALSE(panel.button(DomePanel::kShutterOpen)->isChecked());
    EXPECT_EQ(panel.light(7), DomePanel::Light::Clear);
    EXPECT_EQ(panel.light(3), DomePanel::Light::Green);  // the open limit

    // Calibrate toggles into a stop request.
    panel.calibrateButton()->click();
    EXPECT_EQ(mount.jobs.back(), kDomeMsgCalibrate);
    EXPECT_EQ(panel.calibrateButton()->text(), "Stop Cal");
    panel.calibrateButton()->click();
    EXPECT_EQ(panel.calibrateButton()->text(), "Calibrate");
}

// A disconnect ends the calibration, whether its job was turning the dome
// or still waiting for the worker: the panel is idle again either way.
TEST_F(DomePanelTest, DisconnectLeavesTheCalibrationIdle)
{
    constexpr int kMostMs = 60000;
    connectBoard();
    for (const bool running : {true, false}) {
        SCOPED_TRACE(running ? "job running" : "job still queued");
        if (!dome.isDomeConnect()) {
            ASSERT_TRUE(dome.domeConnect());
            mount.settle();
            ASSERT_TRUE(dome.isDomeConnect());
        }
        // Far from home, so that the calibration is still seeking it.
        board.setPosition(100.5);
        panel.calibrateButton()->click();
        ASSERT_EQ(panel.calibrateButton()->text(), "Stop Cal");
        std::atomic<bool> ended = false;
        const auto runJob = [&] {
            dome.domeCalibrateTimer();
            ended = true;
        };
        std::thread worker;
        bool shown = true;
        if (running) {
            worker = std::thread(runJob);
            shown = QTest::qWaitFor([&] { return board.relayOn(1) && panel.isInProgress(); },
                                    kMostMs);
        }
        click(DomePanel::kConnect);
        if (!running)
            worker = std::thread(runJob);
        const bool jobEnded = QTest::qWaitFor([&] { return ended.load(); }, kMostMs);
        dome.stopJobs();
        worker.join();
        // What the job told the panel before it ended.
        QCoreApplication::processEvents();
        ASSERT_TRUE(shown);
        EXPECT_TRUE(jobEnded);
        // The relays-off and the close go out on the worker.
        EXPECT_TRUE(QTest::qWaitFor([this] { return !dome.needsWorker(); }, kMostMs));
        EXPECT_FALSE(dome.isDomeConnect());
        EXPECT_EQ(panel.calibrateButton()->text(), "Calibrate");
        EXPECT_FALSE(panel.isInProgress());
    }
}

// The mount's worker takes no numbered job without its port: Calibrate
// then starts nothing, and the disconnect has no job to stop.
TEST_F(DomePanelTest, CalibrateWithoutTheMountsPortStartsNothing)
{
    connectBoard();
    mount.hasPort = false;
    panel.calibrateButton()->click();
    EXPECT_EQ(panel.calibrateButton()->text(), "Calibrate");
    EXPECT_FALSE(dome.isCalibrating());
    EXPECT_EQ(alertTitles(), std::vector<QString>{"Dome calibration could not start."});
    settle();
    const qsizetype offs = board.commands().count("AL0");
    click(DomePanel::kConnect);
    mount.settle();
    ASSERT_LT(serial.serialRefNum(kSerialSlotDome), 0);
    EXPECT_EQ(board.commands().count("AL0"), offs) << "no relays-off for a job never started";
}

// The Reset's outcome reaches the panel once the board has answered.
TEST_F(DomePanelTest, ResetShowsTheBoardDisconnectedOnceItAnswered)
{
    connectBoard();
    panel.domeBoardAction(DomePanel::kReset);
    EXPECT_EQ(alertTitles(), std::vector<QString>{"Select a new baud rate first."});

    panel.speedMenu()->setCurrentIndex(panel.speedMenu()->findData(4));
    panel.domeBoardAction(DomePanel::kSpeedMenu);
    const int saves = boardSaves;
    panel.domeBoardAction(DomePanel::kReset);
    EXPECT_EQ(panel.button(DomePanel::kConnect)->text(), "Disconnect");
    mount.settle();
    EXPECT_EQ(alertTitles().back(), "Board has a new baud rate and has disconnected.");
    EXPECT_EQ(recorder.alerts.back().message, "Connect again.");
    EXPECT_FALSE(dome.isDomeConnect());
    EXPECT_EQ(panel.button(DomePanel::kConnect)->text(), "Connect");
    EXPECT_EQ(panel.light(0), DomePanel::Light::Red);
    EXPECT_EQ(board.speedCode(), 4);
    EXPECT_EQ(dome.baudRate(), 4);
    EXPECT_GT(boardSaves, saves);
}

TEST_F(DomePanelTest, SettingsReachTheFieldsAndSaveKeepsWhatWasTyped)
{
    {
        QSettings file(PrefStore::fileName(), QSettings::IniFormat);
        file.setValue("DomeXPref", 1.5);
        file.setValue("DomeYPref", -2.0);
        file.setValue("DomeGEMPref", true);
        file.setValue("DomeTicksPref", 240);
        file.setValue("DomeBaudPref", 4);
    }
    // The settings object reads the file as it opens: the next launch's.
    PrefControl next{*gamma};
    DomePanel nextPanel{dome, next, QString()};
    PrefLinks links;
    links.dome = &dome;
    links.domePanel = &nextPanel;
    next.setLinks(links);
    next.readPrefs();
    DomeSetupFields& fields = nextPanel.setupFields();
    EXPECT_EQ(fields.field(DomeSetupFields::kX)->text(), "1.5");
    EXPECT_TRUE(nextPanel.isGEM());
    EXPECT_TRUE(fields.field(DomeSetupFields::kX)->isEnabled());
    EXPECT_EQ(nextPanel.ticksField()->text(), "240");
    EXPECT_EQ(nextPanel.speedMenu()->currentData().toInt(), 4);

    nextPanel.show();
    fields.field(DomeSetupFields::kX)->setText("2.5");
    fields.field(DomeSetupFields::kY)->setText("north");
    fields.saveButton()->click();
    PrefStore::syncAll(PrefStore::fileName());
    QSettings file(PrefStore::fileName(), QSettings::IniFormat);
    EXPECT_DOUBLE_EQ(file.value("DomeXPref").toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(file.value("DomeYPref").toDouble(), -2.0);
    EXPECT_EQ(fields.field(DomeSetupFields::kY)->text(), "-2");
    EXPECT_DOUBLE_EQ(dome.domeY(), -2.0);
}

TEST_F(DomePanelTest, FieldsTakeEitherSeparatorAndSayWhyAValueIsRefused)
{
    prefs.readPrefs();
    DomeSetupFields& fields = panel.setupFields();
    const float frequencyBefore = dome.domeFrequency();
    panel.show();
    fields.field(DomeSetupFields::kX)->setText(" 12345,25 ");
    fields.field(DomeSetupFields::kDelta)->setText("2.5");
    fields.field(DomeSetupFields::kFrequency)->setText("999999999");
    fields.saveButton()->click();
    EXPECT_DOUBLE_EQ(dome.domeX(), 12345.25);
    // Shown so that saving again keeps every digit.
    EXPECT_EQ(fields.field(DomeSetupFields::kX)->text(), "12345.25");
    EXPECT_FLOAT_EQ(dome.domeDelta(), 2.5f);
    EXPECT_FLOAT_EQ(dome.domeFrequency(), frequencyBefore);
    EXPECT_EQ(fields.field(DomeSetupFields::kFrequency)->text().toFloat(), frequencyBefore);
    EXPECT_TRUE(fields.refusalText().contains("Frequency must be from 1 to 3600 seconds."));
    QSettings file(PrefStore::fileName(), QSettings::IniFormat);
    EXPECT_FLOAT_EQ(file.value("DomeFreqPref", frequencyBefore).toFloat(), frequencyBefore);

    fields.field(DomeSetupFields::kFrequency)->setText("0,5");
    fields.field(DomeSetupFields::kZ)->setText("1.2,3");
    fields.saveButton()->click();
    EXPECT_TRUE(fields.refusalText().contains("Frequency must be"));
    EXPECT_TRUE(fields.refusalText().contains("Z is not a number."));

    fields.field(DomeSetupFields::kFrequency)->setText("30,5");
    fields.saveButton()->click();
    EXPECT_FLOAT_EQ(dome.domeFrequency(), 30.5f);
    EXPECT_TRUE(fields.refusalText().isEmpty());
}

TEST_F(DomePanelTest, EachFieldTakesOnlyWhatADomeCanHaveAndKeepsTheValueInUse)
{
    prefs.readPrefs();
    DomeSetupFields& fields = panel.setupFields();
    panel.show();
    struct Case {
        int field;
        const char* typed;
        const char* refusal;  // empty: taken
    };
    const Case cases[] = {
        {DomeSetupFields::kX, "-100001", "X must be from -100000 to 100000."},
        {DomeSetupFields::kBigR, "-3", "R must be from 0 to 100000."},
        {DomeSetupFields::kFlip, "95", "Flip must be from -90 to 90 degrees."},
        {DomeSetupFields::kHome, "-1", "Home must be from 0 to 360 degrees."},
        {DomeSetupFields::kHome, "359,5", ""},
        {DomeSetupFields::kDelta, "1e9", "Delta must be from 0 to 90 degrees."},
        {DomeSetupFields::kDelta, "nan", "Delta is not a number."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        fields.field(c.field)->setText(c.typed);
        fields.saveButton()->click();
        EXPECT_EQ(fields.refusalText(), QString::fromLatin1(c.refusal));
    }
    // Only the one value taken changed.
    EXPECT_EQ(std::vector<double>({dome.domeX(), dome.domeR(), dome.domef(), dome.domeDelta(), dome.domeHomeAzimuth()}),
              std::vector<double>({0.0, 0.0, 0.0, 5.0, 359.5}));
    EXPECT_EQ(fields.field(DomeSetupFields::kDelta)->text(), "5") << "the value in use shows again";
}

TEST_F(DomePanelTest, AGermanMountOutsideTheDomeKeepsTheGeometryInUse)
{
    prefs.readPrefs();
    panel.setIsGEM(true);
    DomeSetupFields& fields = panel.setupFields();
    panel.show();
    const auto type = [&](const char* x, const char* bigR, const char* smallR) {
        fields.field(DomeSetupFields::kX)->setText(x);
        fields.field(DomeSetupFields::kBigR)->setText(bigR);
        fields.field(DomeSetupFields::kSmallR)->setText(smallR);
        fields.saveButton()->click();
    };
    type("0.5", "2.5", "0.6");
    EXPECT_TRUE(fields.refusalText().isEmpty());
    // 2 from the centre and a tube 1.5 off it reach past a dome of 2.5.
    type("2", "2.5", "1.5");
    EXPECT_TRUE(fields.refusalText().contains("The mount must stand inside the dome"));
    EXPECT_DOUBLE_EQ(dome.domeX(), 0.5);
    EXPECT_DOUBLE_EQ(dome.domer(), 0.6);
    // A dome not yet measured (R 0) is no refusal.
    type("2", "0", "1.5");
    EXPECT_TRUE(fields.refusalText().isEmpty());
}

TEST_F(DomePanelTest, TicksAndCoastAreWholeCountsWithinATurn)
{
    connectBoard();
    struct Case {
        const char* ticks;
        const char* coast;
        const char* refusal;  // empty: taken
    };
    const Case cases[] = {
        {"2000,5", "3", "Ticks must be a whole number from 1 to 2147483647."},
        {"1600", "70000", "Coast must be a whole number from 0 to 32767."},
        {"1600", "1600", "Coast must be less than Ticks."},
        {" 1600 ", "15", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.coast);
        panel.ticksField()->setText(c.ticks);
        panel.coastField()->setText(c.coast);
        panel.getDomeTicks();
        EXPECT_EQ(panel.ticksRefusal(), QString::fromLatin1(c.refusal));
        EXPECT_EQ(panel.coastField()->text(), *c.refusal ? "0" : "15") << "the count in use shows again";
    }
    EXPECT_EQ(dome.domeMaxTicks(), 1600u);
    EXPECT_EQ(dome.domeOvershoot(), 15);
}
