#include "app/AssembledProgram.h"
#include "app/MountLink.h"
#include "app/SG4AllSkyLink.h"
#include "app/SG4Link.h"
#include "camera/allsky/FakeAllSkyCamera.h"
#include "camera/movie/MovieReader.h"
#include "camera/views/allsky/AllSkyDatePanel.h"
#include "camera/views/allsky/AllSkyPanel.h"
#include "model/settings/PrefControl.h"
#include "model/settings/PrefKeys.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"
#include "mount/panels/ConnectMenu.h"
#include "support/ColonCommandMount.h"
#include "support/LX200Personality.h"
#include "support/PtyDevice.h"
#include "support/RecordingAlertPresenter.h"
#include "support/SG4LineSpeed.h"
#include "support/SG4Simulator.h"

#include <fitsio.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

constexpr int kTagAllSky = 57;
// Generous: the machine may be loaded; the transport's own limits are shorter.
constexpr int kWaitMs = 30000;
constexpr quint16 kDark = 100;

quint16 simulatedPixel(int index, quint8 type)
{
    return type == 0 ? kDark : quint16(1000 + index % 7);
}

std::vector<quint16> readFits(const QString& path)
{
    fitsfile* file = nullptr;
    int status = 0;
    std::vector<quint16> pixels(640 * 480);
    int anyNull = 0;
    if (fits_open_file(&file, path.toLocal8Bit().constData(), READONLY, &status) != 0)
        return {};
    fits_read_img(file, TUSHORT, 1, LONGLONG(pixels.size()), nullptr, pixels.data(), &anyNull, &status);
    fits_close_file(file, &status);
    return status == 0 ? pixels : std::vector<quint16>{};
}

QString fitsKey(const QString& path, const char* key)
{
    fitsfile* file = nullptr;
    int status = 0;
    char value[FLEN_VALUE] = {};
    if (fits_open_file(&file, path.toLocal8Bit().constData(), READONLY, &status) != 0)
        return {};
    fits_read_key_str(file, key, value, nullptr, &status);
    fits_close_file(file, &status);
    return QString::fromLatin1(value);
}

// The AllSky camera as the program assembles it, on the simulated camera,
// with the schedule's timers in the test's time and the camera in real time.
class AllSkySG4SessionTest : public AssembledProgram {
protected:
    AllSkySG4SessionTest() { allSkyClock = &clock; }
    void SetUp() override
    {
        AssembledProgram::SetUp();
        serial = &chart->mountLink().serialControl();
        lineSpeed.emplace(*serial);
        device.setPixels(simulatedPixel);
        pty.start();
        ASSERT_TRUE(QDir().mkpath(files().allSkyDirectory()));
    }
    void TearDown() override
    {
        if (control().isAllSkyConnect())
            control().sg4Disconnect();
        pty.closeMaster();
        // Before the clock its timers came from.
        chart.reset();
    }

    SG4Control& control() { return chart->sg4Link().sg4Control(); }
    AllSkySession& session() { return chart->allSkyLink().allSkyLink().session(); }
    AllSkyPanel& panel() { return chart->allSkyLink().allSkyLink().panel(); }
    AllSkySchedule& schedule() { return session().schedule(); }
    AllSkyFiles& files() { return session().files(); }
    QString saved(const QString& name) { return QDir(files().allSkyDirectory()).filePath(name); }
    bool idle() { return !control().isSG4Exposing() && !control().isSG4Transfer(); }
    void connectCamera(const QStringList& ports)
    {
        serial->setExtraPorts(ports);
        chart->mountLink().connectMenu()->connectMenuAction(kTagAllSky);
        // The port scan runs on the mount's worker and answers later.
        EXPECT_TRUE(QTest::qWaitFor([this] { return !control().isSG4Connecting(); }, kWaitMs));
    }

    ScopedAlertRecorder alerts;
    ManualAllSkyClock clock;
    SerialControl* serial = nullptr;
    PtyDevice pty;
    SG4Simulator device{pty.simulator(), [this] { return (*lineSpeed)(); }};
    std::optional<SG4LineSpeed> lineSpeed;
};

// With a schedule an earlier run stored.
class AllSkySG4StoredScheduleTest : public AllSkySG4SessionTest {
protected:
    AllSkySG4StoredScheduleTest() { stored = {{PrefKeys::AllSkyExpShedule, 120.0}, {PrefKeys::AllSkyHeatOn, 1800.0}}; }
};

}  // namespace

// RUN at full resolution: the dark frame comes first and is kept, not saved;
// the light tick that waited takes the light frame, saved as FITS with the
// "D" mark and the dark taken off every pixel.
TEST_F(AllSkySG4SessionTest, ADarkThenALightSavedAsFitsWithTheDarkTakenOff)
{
    device.setShortExposure(2s);
    device.setVersion(2, 5);
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    EXPECT_TRUE(panel().isVisible());
    EXPECT_EQ(panel().windowTitle(), "AllSky  V2.5");
    EXPECT_TRUE(files().allSkyPath().startsWith(files().allSkyDirectory()));
    panel().formatRadio()->button(2)->click();
    panel().expSecText()->setValue(1);
    panel().darkScheduleMinText()->setValue(10);
    panel().expScheduleMinText()->setValue(1);
    panel().runButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return control().hasDarkFrame() && !schedule().isExpBlock() && idle(); },
                                kWaitMs));
    EXPECT_EQ(device.transfersDone(), 1);

    clock.advanceSeconds(AllSkySchedule::kRetryMs / 1000.0);
    const QString light = saved("AllSkyImage(Light)-1D.fits");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(light); }, kWaitMs));
    EXPECT_EQ(QDir(files().allSkyDirectory()).entryList({"AllSkyImage*"}, QDir::Files),
              QStringList{"AllSkyImage(Light)-1D.fits"});
    const std::vector<quint16> pixels = readFits(light);
    ASSERT_EQ(pixels.size(), 640u * 480u);
    for (int index : {0, 1, 6, 640 * 480 - 1})
        EXPECT_EQ(pixels[std::size_t(index)], simulatedPixel(index, 1) - kDark) << index;
    EXPECT_TRUE(session().frame()->isDarkSubtracted);
    EXPECT_EQ(fitsKey(light, "INSTRUME"), "SBIG AllSky (V2.5)");
    EXPECT_TRUE(alerts.alerts.empty());
}

// The stored schedule reaches the panel at start; Escape leaves the panel
// and the camera alone; closing the panel asks whether to stop the running
// schedule, and "Stop" disconnects the camera, first stopping the schedule
// and switching the heater off while the port is still open.
TEST_F(AllSkySG4StoredScheduleTest, ClosingThePanelStopsTheScheduleAndTheHeaterFirst)
{
    chart->prefControl().readPrefs();
    EXPECT_EQ(panel().expScheduleMinText()->value(), 2);
    EXPECT_EQ(panel().heatOnScheduleText()->value(), 30);
    EXPECT_EQ(schedule().expSchedule(), 120.0F);
    EXPECT_EQ(control().expSchedule(), 120.0F);

    device.setShortExposure(2s);
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    panel().heaterCheckbox()->click();
    clock.advanceSeconds(1);
    // Relays and closes are exchanges on the mount's worker: they arrive a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.relays() == 0x01; }, kWaitMs));
    EXPECT_TRUE(schedule().isHeating());
    panel().runButton()->click();
    ASSERT_TRUE(schedule().isScheduleRun());
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.transfersDone() == 1 && idle(); }, kWaitMs));

    QTest::keyClick(&panel(), Qt::Key_Escape);
    EXPECT_TRUE(panel().isVisible());
    EXPECT_TRUE(control().isAllSkyConnect());
    EXPECT_TRUE(alerts.alerts.empty());

    panel().close();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "The schedule is running.");
    EXPECT_FALSE(control().isAllSkyConnect());
    EXPECT_FALSE(schedule().isScheduleRun());
    EXPECT_FALSE(schedule().isHeating());
    EXPECT_FALSE(panel().isVisible());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return device.relays() == 0x00 && serial->serialRefNum(kSerialSlotSG4) == -1; }, kWaitMs));
}

// An exposure interval of exactly 1 s with an exposure longer than the last
// transfer plus 2 s: from the second frame on, each next exposure starts
// before the transfer, so frames keep coming without another tick.
TEST_F(AllSkySG4SessionTest, ContinuousExposureStartsTheNextFrameBeforeEachTransfer)
{
    device.setShortExposure(0ms);
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    panel().formatRadio()->button(1)->click();
    chart->allSkyLink().allSkyLink().datePanel().movieCheckbox()->click();
    panel().expSecText()->setValue(4);
    panel().expScheduleSecText()->setValue(1);
    panel().runButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.transfersDone() == 1 && session().frame(); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle(); }, kWaitMs));
    EXPECT_FALSE(schedule().isAllSkyConstExp()) << "no transfer time known before the first";

    clock.advanceSeconds(1);
    const auto savedLights = [this] {
        return QDir(files().allSkyDirectory()).entryList({"AllSkyImage(Light)*"}, QDir::Files, QDir::Name);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return savedLights().size() == 3; }, kWaitMs));
    EXPECT_TRUE(schedule().isAllSkyConstExp());
    EXPECT_TRUE(control().isSG4Exposing()) << "the fourth frame is being taken";
    // STOP closes the movie and lets the exposure under way finish; the chain ends there.
    panel().runButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle() && device.transfersDone() >= 4; }, kWaitMs));
    // No further exposure may start: waiting the span out is the check.
    QTest::qWait(500);
    EXPECT_FALSE(schedule().isAllSkyConstExp());
    EXPECT_TRUE(idle());
    EXPECT_EQ(device.transfersDone(), 4);

    // No dark frame was held: no "D" mark.
    EXPECT_EQ(savedLights(), (QStringList{"AllSkyImage(Light)-1.tiff", "AllSkyImage(Light)-2.tiff",
                                   "AllSkyImage(Light)-3.tiff", "AllSkyImage(Light)-4.tiff"}));
    const MovieContents movie = MovieContents::read(saved("AllSkyImage-1.mov"));
    EXPECT_EQ(movie.durations.size(), 3u);
    EXPECT_TRUE(alerts.alerts.empty());
}

// A daily schedule beside a connected mount, which shares the worker with
// the camera's transfers: the night's stop moves both dates on a day and
// leaves the worker, and so the mount's poll, running.
TEST_F(AllSkySG4SessionTest, ADailyStopLeavesAConnectedMountsPollRunning)
{
    constexpr int kFirstScopeTag = 0;
    constexpr int kTwoSecondPollTag = 5;
    PtyDevice mountPty;
    ColonCommandMount mount{
        std::make_unique<LX200Personality>(LX200Personality::Kind::Autostar, LX200Personality::Options{})};
    mount.attach(mountPty.simulator());
    mountPty.start();
    device.setShortExposure(2s);
    connectCamera({pty.path(), mountPty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());

    PrefControl& prefs = chart->prefControl();
    prefs.scopes()[0].mountProtocol = kProtocolLX200;
    prefs.setScopeNamesArray({"Simulated LX200", "", "", "", ""});
    ScopeControl& scope = chart->scopeControl();
    ConnectMenu& menu = *chart->mountLink().connectMenu();
    menu.setupConnectMenu();
    scope.setSelectPort(2);
    menu.connectMenuAction(kFirstScopeTag);
    ASSERT_TRUE(QTest::qWaitFor([&] { return scope.isConnected() && scope.hasScopePort(); }, kWaitMs));
    menu.connectMenuAction(kTwoSecondPollTag);

    panel().expSecText()->setValue(1);
    panel().expScheduleMinText()->setValue(1);
    const QDateTime start = clock.now().addSecs(-60);
    const QDateTime stop = clock.now().addSecs(3600);
    schedule().setKind(AllSkySchedule::Kind::Daily);
    schedule().setStartDate(start);
    schedule().setStopDate(stop);
    panel().runButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.transfersDone() == 1 && idle(); }, kWaitMs));
    EXPECT_TRUE(schedule().hasFiredSchedule());

    clock.advanceSeconds(3600 + 120);
    EXPECT_FALSE(schedule().hasFiredSchedule());
    EXPECT_TRUE(schedule().isScheduleRun());
    EXPECT_EQ(schedule().startDate(), start.addDays(1));
    EXPECT_EQ(schedule().stopDate(), stop.addDays(1));
    EXPECT_FALSE(control().hasDarkFrame());

    // The mount is still polled on the worker after the camera's night ended.
    EXPECT_TRUE(scope.hasScopePort());
    const std::size_t before = mount.frames().size();
    EXPECT_TRUE(QTest::qWaitFor([&] { return mount.frames().size() >= before + 2; }, kWaitMs));
    EXPECT_TRUE(scope.isConnected());
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle(); }, kWaitMs));
    EXPECT_TRUE(alerts.alerts.empty());
    scope.disconnect();
    mountPty.closeMaster();
}

// Every speed the panel offers is taken on both sides and worked at: the
// camera answers "Test" with exactly "TestOk", and an exposure and its
// download follow each change.
TEST_F(AllSkySG4SessionTest, EverySpeedThePanelOffersIsTakenAndWorkedAt)
{
    device.setShortExposure(2s);
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    QComboBox* speeds = panel().speedPopup();
    ASSERT_EQ(speeds->count(), 7);
    // From the connected 9600 through the others and back to it.
    for (int step = 1; step <= speeds->count(); ++step) {
        const int item = step % speeds->count();
        const long baud = speeds->itemText(item).toLong();
        SCOPED_TRACE(baud);
        speeds->setCurrentIndex(item);
        emit speeds->activated(item);
        ASSERT_TRUE(QTest::qWaitFor([&] { return control().sg4Baud() == baud; }, kWaitMs));
        EXPECT_EQ(device.speed(), baud);
        const int before = device.transfersDone();
        panel().exposeButton()->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return device.transfersDone() > before && idle(); }, kWaitMs));
    }
    EXPECT_EQ(alerts.beeps, 0);
    EXPECT_TRUE(alerts.alerts.empty());
}

// The panel's focus loop exposes again after each download; its frames are
// shown, never saved, and the loop ends when the box is unticked.
TEST_F(AllSkySG4SessionTest, FocusLoopFramesAreShownNotSaved)
{
    device.setShortExposure(2s);
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    panel().formatRadio()->button(1)->click();
    panel().focusCheckbox()->click();
    panel().exposeButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.transfersDone() >= 2 && session().frame(); }, kWaitMs));
    EXPECT_EQ(session().frame()->pixels.size(), 640u * 480u);
    EXPECT_TRUE(QDir(files().allSkyDirectory()).entryList({"AllSkyImage*"}, QDir::Files).isEmpty());

    // A frame under way when the box is unticked ends as a plain exposure.
    panel().focusCheckbox()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return idle(); }, kWaitMs));
    const int done = device.transfersDone();
    // No further frame may come: waiting the span out is the check.
    QTest::qWait(1500);
    EXPECT_EQ(device.transfersDone(), done);
    EXPECT_LE(QDir(files().allSkyDirectory()).entryList({"AllSkyImage*"}, QDir::Files).size(), 1);
    EXPECT_TRUE(alerts.alerts.empty());
}

// A sub-frame square chosen in the view reaches the camera; the read-out menu
// then offers the sub-frame, whose image is shown at its place but not saved.
TEST_F(AllSkySG4SessionTest, ASubFrameChosenInTheViewIsTakenAndShownNotSaved)
{
    device.setShortExposure(2s);
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    panel().formatRadio()->button(1)->click();
    session().chooseSubFrame(300, 100, 20);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !device.commands().isEmpty() && device.commands().back().front() == 'S'; }, kWaitMs));

    QComboBox* readout = panel().readoutPopup();
    readout->setCurrentIndex(readout->findData(SG4Control::kItemSubFrame));
    emit readout->activated(readout->currentIndex());
    ASSERT_EQ(control().sg4Bin(), AllSkyFrame::kSubFrameMode);
    panel().exposeButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return session().frame() && idle(); }, kWaitMs));
    const AllSkyFrame& frame = *session().frame();
    EXPECT_EQ(frame.readOutMode, AllSkyFrame::kSubFrameMode);
    EXPECT_EQ(frame.width, 20);
    EXPECT_EQ(frame.subFrameX, 300);
    EXPECT_EQ(frame.subFrameY, 100);
    EXPECT_FALSE(frame.isDarkSubtracted);
    EXPECT_TRUE(QDir(files().allSkyDirectory()).entryList({"AllSkyImage*"}, QDir::Files).isEmpty());
    EXPECT_TRUE(readout->isEnabled());
    EXPECT_EQ(panel().exposeButton()->text(), "Expose");
    EXPECT_TRUE(alerts.alerts.empty());
}

// Closing the panel during an exposure asks first. "Stop" sends the
// camera's abort and only then closes its line.
TEST_F(AllSkySG4SessionTest, ClosingMidExposureAsksAndAStopAbortsBeforeTheLineCloses)
{
    device.setShortExposure(0ms);
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    panel().expSecText()->setValue(8);
    panel().exposeButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return control().isSG4Exposing() && device.isExposing(); }, kWaitMs));

    panel().close();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "An exposure is under way.");
    EXPECT_FALSE(control().isAllSkyConnect());
    EXPECT_FALSE(panel().isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return serial->serialRefNum(kSerialSlotSG4) == -1; }, kWaitMs));
    EXPECT_EQ(device.abortsWhileExposing(), 1);
    EXPECT_EQ(device.commands().back().front(), 'A');
    EXPECT_EQ(device.transfersDone(), 0);
}

// After that Stop the panel is idle however late the abort's answer comes:
// reconnected, the camera having heard only the connect's commands, it shows
// no exposure, and its button starts one only when clicked.
TEST_F(AllSkySG4SessionTest, AfterAStopMidExposureTheReconnectedPanelIsIdle)
{
    device.setShortExposure(0ms);
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    panel().expSecText()->setValue(8);
    panel().focusCheckbox()->click();
    panel().exposeButton()->click();
    // The panel shows the exposure once the camera's answer to 'T' is in.
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel().exposeButton()->text() == "Abort"; }, kWaitMs));
    panel().close();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return serial->serialRefNum(kSerialSlotSG4) == -1; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return device.abortsWhileExposing() == 1; }, kWaitMs));

    const qsizetype heard = device.commands().size();
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    EXPECT_TRUE(panel().isVisible());
    EXPECT_EQ(panel().exposeButton()->text(), "Expose");
    EXPECT_EQ(panel().statusText()->text(), " ");
    EXPECT_NE(panel().progress()->maximum(), 0) << "the progress bar is still running";
    EXPECT_TRUE(panel().readoutPopup()->isEnabled());
    EXPECT_FALSE(panel().focusCheckbox()->isChecked());
    QByteArray letters;
    for (const QByteArray& command : device.commands().mid(heard))
        letters += command.front();
    EXPECT_EQ(letters, "EV");

    panel().exposeButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel().exposeButton()->text() == "Abort"; }, kWaitMs));
    EXPECT_TRUE(control().isSG4Exposing());
    EXPECT_TRUE(device.isExposing());
    EXPECT_EQ(panel().statusText()->text(), "Exposing...");
    EXPECT_EQ(device.commands().mid(heard).size(), 3);
    EXPECT_EQ(device.commands().back().front(), 'T');
    EXPECT_FALSE(control().isSG4Focus());
}

// "Keep Running" leaves the exposure running with the panel closed: the
// image is downloaded and saved, the Connect menu's item shows the panel
// again, and chosen once more closes it, now idle, without asking.
TEST_F(AllSkySG4SessionTest, KeepingTheExposureDownloadsItAndTheMenuShowsThePanelAgain)
{
    device.setShortExposure(0ms);
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    panel().formatRadio()->button(2)->click();
    panel().expSecText()->setValue(2);
    panel().exposeButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return control().isSG4Exposing() && device.isExposing(); }, kWaitMs));

    alerts.choice = false;
    panel().close();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "An exposure is under way.");
    EXPECT_FALSE(panel().isVisible());
    EXPECT_TRUE(control().isAllSkyConnect());
    ASSERT_TRUE(QTest::qWaitFor([&] { return session().frame() && idle(); }, kWaitMs));
    EXPECT_EQ(device.transfersDone(), 1);
    EXPECT_EQ(device.abortsWhileExposing(), 0);
    EXPECT_TRUE(QFile::exists(saved("AllSkyImage(Light)-1.fits")));

    ConnectMenu& menu = *chart->mountLink().connectMenu();
    menu.validateMenu();
    EXPECT_TRUE(menu.itemWithTag(kTagAllSky)->isChecked());
    menu.itemWithTag(kTagAllSky)->trigger();
    EXPECT_TRUE(panel().isVisible());
    EXPECT_TRUE(control().isAllSkyConnect());
    menu.itemWithTag(kTagAllSky)->trigger();
    EXPECT_FALSE(panel().isVisible());
    EXPECT_FALSE(control().isAllSkyConnect());
    EXPECT_EQ(alerts.alerts.size(), 1u);
}

// "Stop" during the transfer: the camera is answered 'S' at the block under
// way, and the line closes only after it; no image is kept.
TEST_F(AllSkySG4SessionTest, AStopDuringTheTransferAnswersStopBeforeTheLineCloses)
{
    device.setShortExposure(2s);
    device.delayBlock(2, 1500ms);
    connectCamera({pty.path()});
    ASSERT_TRUE(control().isAllSkyConnect());
    panel().expSecText()->setValue(1);
    panel().exposeButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return control().isSG4Transfer() && device.blocksSent() >= 3; }, kWaitMs));

    panel().close();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "A download is under way.");
    EXPECT_FALSE(control().isAllSkyConnect());
    ASSERT_TRUE(QTest::qWaitFor([&] { return serial->serialRefNum(kSerialSlotSG4) == -1; }, kWaitMs));
    // The camera reads what was sent before the close in its own time.
    EXPECT_TRUE(QTest::qWaitFor([&] { return device.acks().endsWith('S'); }, kWaitMs))
        << device.acks().toStdString();
    EXPECT_EQ(device.transfersDone(), 0);
    EXPECT_FALSE(session().frame());
}
