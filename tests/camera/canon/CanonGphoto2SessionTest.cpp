#include "FakeGphoto2Device.h"
#include "camera/canon/CanonControl.h"
#include "camera/canon/Gphoto2CanonSdk.h"
#include "camera/views/canon/CanonImageView.h"
#include "model/TempSettings.h"
#include "model/settings/PrefControl.h"
#include "platform/DebugLog.h"
#include "platform/DisplayGamma.h"
#include "support/FileSizeLimit.h"
#include "support/MainThreadWatchdog.h"
#include "support/Eventually.h"
#include "support/canon/ConnectOutcome.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace CanonIds;
using namespace std::chrono_literals;

namespace {

// The slow camera's calls take a second each, so a main thread waiting on
// one stalls a second or more; the margin below that is for the disk and
// the processor of a loaded machine.
constexpr auto kNoCameraWait = 500ms;

// The Canon controller as the program runs it: over the gphoto2 layer and
// its worker thread, on a camera that takes its time for every call, is
// busy while a command runs, and reports changed settings and new files
// through its event queue.
class CanonGphoto2Session : public TempSettings {
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        ASSERT_TRUE(images.isValid());
        ASSERT_TRUE(logs.isValid());
        {
            const std::lock_guard lock(state->mutex);
            state->config["cameramodel"] = "Canon EOS 550D";
            state->config["autoexposuremode"] = "Manual";
            state->config["eosremoterelease"] = "None";
            state->config["uilock"] = "0";
            state->config["shutterspeed"] = "1/800";
            state->config["whitebalance"] = "Auto";
            state->config["colortemperature"] = "5200";
            state->choices["shutterspeed"] = {"bulb", "30", "1", "1/800"};
            state->choices["autoexposuremode"] = {"Manual", "Bulb"};
            state->choices["whitebalance"] = {"Auto", "Color Temperature"};
            state->choices["iso"] = {"Auto", "100", "800"};
            state->filesFromCaptures = true;
        }
        state->callMs = 5;
        state->commandMs = 300;
        sdk = std::make_unique<Gphoto2CanonSdk>(FakeGphoto2Device::factory(state));
        gamma = DisplayGamma::create();
        prefs = std::make_unique<PrefControl>(*gamma);
        prefs->readPrefs();
        prefs->setCanonImageFile(images.filePath("Canon Image"));
        log = std::make_unique<DebugLog>(logs.path());
        control = std::make_unique<CanonControl>(*sdk, *prefs, DebugWriter([] { return true; }, log.get()));
        control->setTickClock([this] { return now; });
    }
    void TearDown() override
    {
        if (control && control->isCanonConnected())
            control->canonDisconnect();
        control.reset();
        sdk.reset();
        TempSettings::TearDown();
    }

    // Connects and waits for the outcome; its failure text is kept.
    bool connect(int index)
    {
        prefs->setCanonExpIndex(static_cast<quint16>(index));
        const std::optional<ConnectOutcome> outcome = ConnectOutcome::of(*control, 60000);
        failure = outcome ? outcome->failure : QString();
        return outcome && outcome->connected;
    }
    // Presses Expose and waits for the camera's answer to a start.
    void expose()
    {
        control->canonAction(CanonControl::kTagExpose);
        waitFor([this] { return !control->isCanonStarting(); });
    }
    template <class Done>
    static bool waitFor(Done done, int ms = kEventBackstopMs)
    {
        return eventually(done, ms);
    }
    // Waits until the camera has reported everything and the program has
    // handled it: twice running, the worker polls the camera's events twice
    // and finds nothing, and no other call has reached the camera since the
    // round before. Whatever the main thread asks of the camera in answer
    // to a report reaches it before the worker's second poll after.
    bool cameraSettled()
    {
        int calls = state->calls;
        for (int quiet = 0; quiet < 2;) {
            const int polls = state->emptyPolls;
            if (!waitFor([&] { return state->emptyPolls >= polls + 2; }))
                return false;
            const int callsNow = state->calls;
            const std::lock_guard lock(state->mutex);
            quiet = callsNow == calls && state->events.empty() ? quiet + 1 : 0;
            calls = callsNow;
        }
        return true;
    }
    bool closed()
    {
        const std::lock_guard lock(state->mutex);
        return state->closed;
    }
    // Waits until a call (one begun after now) is with the camera.
    bool cameraBusy()
    {
        const int calls = state->calls;
        return waitFor([this, calls] { return state->calls > calls; });
    }
    QStringList writes(const QString& name)
    {
        const std::lock_guard lock(state->mutex);
        return state->writes[name];
    }
    bool released() { return state->value("eosremoterelease") == "Release Full"; }
    bool unlocked() { return writes("uilock").value(writes("uilock").size() - 1) == "0"; }
    QStringList imageFiles() const
    {
        return QDir(images.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    QStringList alertTitles() const
    {
        QStringList titles;
        for (const RecordedAlert& alert : alerts.alerts)
            titles << alert.title;
        return titles;
    }
    // Starts a 45 s bulb exposure and waits until the camera holds the
    // shutter open and the setting changes of the start have been handled.
    void startBulb()
    {
        ASSERT_TRUE(connect(15));
        ASSERT_TRUE(control->isCanonBulb());
        expose();
        ASSERT_TRUE(control->isCanonExposing());
        ASSERT_TRUE(waitFor([this] { return state->value("eosremoterelease") == "Press Full"; }));
        ASSERT_TRUE(cameraSettled());
    }

    ScopedAlertRecorder alerts;
    QTemporaryDir images;
    QTemporaryDir logs;
    std::shared_ptr<FakeGphoto2Device::State> state = std::make_shared<FakeGphoto2Device::State>();
    std::unique_ptr<Gphoto2CanonSdk> sdk;
    std::unique_ptr<DisplayGamma> gamma;
    std::unique_ptr<PrefControl> prefs;
    std::unique_ptr<DebugLog> log;
    std::unique_ptr<CanonControl> control;
    std::int64_t now = 1000;
    QString failure;
};

}  // namespace

TEST_F(CanonGphoto2Session, ABulbLeftToEndReleasesTheShutterUnlocksAndDownloads)
{
    startBulb();
    EXPECT_TRUE(control->isCanonBulb()) << "a busy read during the start leaves the bulb as it was";
    EXPECT_EQ(writes("uilock"), QStringList{"1"});

    // The tick clock passes the end before the exposure's own timer.
    now += 45 * 60 + 1;
    ASSERT_TRUE(waitFor([this] { return released(); })) << "the shutter is released at the exposure's end";
    ASSERT_TRUE(waitFor([this] { return unlocked(); })) << "the controls are unlocked once the release is in";
    const QString path = images.filePath("Canon Image-001.CR2");
    ASSERT_TRUE(waitFor([&] { return QFile::exists(path) && !control->isCanonDownloading(); }));
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    EXPECT_TRUE(alerts.alerts.empty()) << alertTitles().join(", ").toStdString();
    const std::lock_guard lock(state->mutex);
    EXPECT_EQ(state->deleted, std::vector<QString>{"IMG_0001.CR2"}) << "the camera's copy goes once the file is in";
}

TEST_F(CanonGphoto2Session, AbortReleasesTheShutterAndUnlocksTheControls)
{
    startBulb();
    expose();
    EXPECT_FALSE(control->isCanonExposing());
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    ASSERT_TRUE(waitFor([this] { return released(); }));
    ASSERT_TRUE(waitFor([this] { return unlocked(); }));
    EXPECT_EQ(writes("eosremoterelease"), (QStringList{"Press Full", "Release Full"}));
}

TEST_F(CanonGphoto2Session, AStartTheCameraRefusesLaterReturnsToIdleWithTheStartAlert)
{
    ASSERT_TRUE(connect(32));
    state->captureError = kErrDeviceBusy;
    expose();
    ASSERT_TRUE(waitFor([this] { return !alerts.alerts.empty(); })) << "well before the exposure's grace ends";
    EXPECT_EQ(alerts.alerts.front().title, "Start exposure error: 0x0081.");
    EXPECT_EQ(alerts.alerts.front().message, "Camera Busy error.");
    EXPECT_FALSE(control->isCanonExposing());
    EXPECT_FALSE(control->isCanonDownloading());
    EXPECT_TRUE(control->panel().expButtonEnabled);
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");

    // A refused bulb start leaves no lock and owes no release.
    alerts.alerts.clear();
    control->panel().expSelected = 15;
    control->canonAction(CanonControl::kTagExpCombo);
    ASSERT_TRUE(control->isCanonBulb());
    ASSERT_TRUE(waitFor([this] { return state->value("shutterspeed") == "bulb"; }));
    ASSERT_TRUE(cameraSettled());
    expose();
    ASSERT_TRUE(waitFor([this] { return !alerts.alerts.empty(); }));
    EXPECT_EQ(alerts.alerts.front().title, "Start exposure error: 0x0081.");
    EXPECT_FALSE(control->isCanonExposing());
    ASSERT_TRUE(waitFor([this] { return unlocked(); }));
    EXPECT_EQ(writes("eosremoterelease"), QStringList{"Press Full"});
}

TEST_F(CanonGphoto2Session, ADownloadTheDiskCannotTakeIsReportedAndTheCameraKeepsItsCopy)
{
    ASSERT_TRUE(connect(32));
    {
        const FileSizeLimit limit(100'000);
        expose();
        now += 6;
        ASSERT_TRUE(waitFor([this] { return !alerts.alerts.empty(); }));
    }
    EXPECT_EQ(alerts.alerts.front().title, "The image could not be saved.");
    EXPECT_FALSE(alerts.alerts.front().message.trimmed().isEmpty()) << "the system's reason";
    EXPECT_TRUE(imageFiles().isEmpty()) << imageFiles().join(", ").toStdString();
    EXPECT_FALSE(control->isCanonDownloading());
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    const std::lock_guard lock(state->mutex);
    EXPECT_TRUE(state->deleted.empty());
}

TEST_F(CanonGphoto2Session, AFileThatAppearsDuringTheDownloadKeepsItsNameAndBytes)
{
    ASSERT_TRUE(connect(32));
    state->fetchMs = 1000;
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return state->fetching.load(); }));
    QFile other(images.filePath("Canon Image-001.CR2"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("someone else's");
    other.close();
    const QString path = images.filePath("Canon Image-002.CR2");
    ASSERT_TRUE(waitFor([&] { return QFile::exists(path); }));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), "someone else's");
    EXPECT_EQ(control->canonFilePath(), path);
}

TEST_F(CanonGphoto2Session, ProgressMovesDuringTheTransferAndAFailedTransferTriesOnceMore)
{
    ASSERT_TRUE(connect(32));
    state->fetchMs = 1500;
    std::vector<double> shown;
    QObject::connect(control.get(), &CanonControl::panelChanged, [&] {
        if (state->fetching && control->isCanonDownloading())
            shown.push_back(control->panel().progress);
    });
    expose();
    now += 6;
    const QString path = images.filePath("Canon Image-001.CR2");
    ASSERT_TRUE(waitFor([&] { return QFile::exists(path) && !control->isCanonDownloading(); }));
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](double percent) { return percent > 0 && percent < 100; }));
    EXPECT_EQ(state->fetches, 1) << "a transfer that goes through is fetched once";

    // Half-way the camera's transfer fails every time: it is tried once
    // more, nothing is kept, and the camera is not told to drop its copy.
    {
        const std::lock_guard lock(state->mutex);
        state->failFetchAt = 0.5;
    }
    expose();
    ASSERT_TRUE(control->isCanonExposing());
    now += 6;
    ASSERT_TRUE(waitFor([this] { return state->fetches == 3; }));
    ASSERT_TRUE(waitFor([this] { return !control->isCanonExposing() && !control->isCanonDownloading(); }));
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    ASSERT_TRUE(cameraSettled());
    EXPECT_EQ(state->fetches, 3) << "no third try";
    EXPECT_EQ(imageFiles(), QStringList{"Canon Image-001.CR2"});
    const std::lock_guard lock(state->mutex);
    EXPECT_EQ(state->deleted, std::vector<QString>{"IMG_0001.CR2"});
}

TEST_F(CanonGphoto2Session, AnUnpluggedCameraMidDownloadTellsTheImageWasLost)
{
    ASSERT_TRUE(connect(32));
    state->fetchMs = 3000;
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return state->fetching.load(); }));
    {
        const std::lock_guard lock(state->mutex);
        state->cameraGone = true;
    }
    ASSERT_TRUE(waitFor([this] { return !control->isCanonConnected(); }));
    EXPECT_EQ(alertTitles(), QStringList{"The camera went away during a download."});
    ASSERT_TRUE(waitFor([this] { return !control->isCanonDownloading(); }));
    EXPECT_TRUE(imageFiles().isEmpty());
}

TEST_F(CanonGphoto2Session, ChangesOnTheBodyReachThePropertyHandling)
{
    {
        const std::lock_guard lock(state->mutex);
        state->config["cameramodel"] = "Canon EOS 5D Mark II";
        state->config["autoexposuremode"] = "Bulb";
    }
    ASSERT_TRUE(connect(14));
    ASSERT_TRUE(control->is60D());
    ASSERT_TRUE(control->panel().expButtonEnabled);

    // The mode dial turned to Manual with a 1 min exposure chosen.
    state->changeOnBody("autoexposuremode", "Manual");
    ASSERT_TRUE(waitFor([this] { return !alerts.alerts.empty(); }));
    EXPECT_EQ(alerts.alerts.front().title, "Set the mode dial to Bulb for long (>30s) exposures.");
    EXPECT_FALSE(control->panel().expButtonEnabled);

    // An ISO changed on the body is put back by the next exposure.
    state->changeOnBody("autoexposuremode", "Bulb");
    ASSERT_TRUE(waitFor([this] { return control->panel().expButtonEnabled; }));
    const int isoWrites = static_cast<int>(writes("iso").size());
    state->changeOnBody("iso", "100");
    ASSERT_TRUE(cameraSettled());
    expose();
    ASSERT_TRUE(waitFor([&] { return writes("iso").size() > isoWrites; }));
    EXPECT_EQ(writes("iso").back(), "800");
}

TEST_F(CanonGphoto2Session, AKeptImageStaysWhenTheSaveBoxesAreUntickedAfterwards)
{
    CanonImageView view(*control, DebugWriter());
    view.resize(600, 400);
    ASSERT_TRUE(connect(32));
    expose();
    now += 6;
    const QString kept = images.filePath("Canon Image-001.CR2");
    ASSERT_TRUE(waitFor([&] { return QFile::exists(kept) && !control->isCanonDownloading(); }));

    control->panel().saveToCameraChecked = false;
    control->panel().saveToMacChecked = false;
    control->canonAction(CanonControl::kTagSaveToMac);
    ASSERT_TRUE(control->isCanonTestImage());
    control->panel().gridChecked = true;
    control->canonAction(CanonControl::kTagGrid);
    ASSERT_TRUE(cameraSettled());
    EXPECT_TRUE(QFile::exists(kept)) << "downloaded to keep, kept";

    // An image downloaded as a test image is shown and then let go.
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([&] {
        const std::lock_guard lock(state->mutex);
        return state->deleted.size() == 2;
    })) << "the second image is in";
    ASSERT_TRUE(waitFor([&] { return !control->isCanonDownloading(); }));
    EXPECT_TRUE(control->canonFilePath().isEmpty());
    EXPECT_EQ(imageFiles(), QStringList{"Canon Image-001.CR2"});
}

TEST_F(CanonGphoto2Session, PanelSettingsOnASlowCameraLeaveTheWindowRunning)
{
    ASSERT_TRUE(connect(32));
    ASSERT_EQ(control->panel().isoTitles, (QStringList{"100", "800"}));
    ASSERT_TRUE(cameraSettled());
    state->callMs = 1000;
    MainThreadWatchdog watchdog;
    watchdog.start();
    control->panel().isoSelected = 0;
    control->canonAction(CanonControl::kTagISO);
    control->panel().whiteBalance = 40;
    control->canonAction(CanonControl::kTagWhiteBalance);
    control->panel().expSelected = 16;
    control->canonAction(CanonControl::kTagExpCombo);
    EXPECT_LT(watchdog.longestStall(), kNoCameraWait) << "the panel shows the request and goes on";
    ASSERT_TRUE(waitFor([this] { return control->panel().degKelvinText == "4000"; }));
    EXPECT_LT(watchdog.longestStall(), kNoCameraWait);
    watchdog.stop();
    // Each request is taken in turn, none refused for the one before.
    EXPECT_EQ(state->value("iso"), "100");
    EXPECT_EQ(state->value("colortemperature"), "4000");
    ASSERT_TRUE(waitFor([this] { return state->value("shutterspeed") == "30"; }));
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(CanonGphoto2Session, AConnectionOnASlowCameraLeavesTheWindowRunningAndTakesOneAtATime)
{
    state->callMs = 1000;
    prefs->setCanonExpIndex(32);
    std::optional<ConnectOutcome> outcome;
    MainThreadWatchdog watchdog;
    watchdog.start();
    control->canonConnect([&](bool connected, const QString& why) { outcome = ConnectOutcome{connected, why}; });
    EXPECT_TRUE(control->isCanonConnecting());

    std::optional<QString> second;
    control->canonConnect([&](bool connected, const QString& why) {
        EXPECT_FALSE(connected);
        second = why;
    });
    ASSERT_TRUE(second.has_value()) << "a second connection is refused at once";
    EXPECT_EQ(*second, "A connection to the camera is already being made.");

    ASSERT_TRUE(waitFor([&] { return outcome.has_value(); }, 120000));
    EXPECT_LT(watchdog.longestStall(), kNoCameraWait) << "the window went on while the camera answered";
    watchdog.stop();
    EXPECT_TRUE(outcome->connected);
    EXPECT_TRUE(control->isCanonConnected());
    EXPECT_FALSE(control->isCanonConnecting());
    EXPECT_EQ(control->panel().title, "Canon EOS 550D");
    EXPECT_TRUE(alerts.alerts.empty()) << alertTitles().join(", ").toStdString();
}

TEST_F(CanonGphoto2Session, AConnectionTheModeDialRefusesEndsWithoutWaitingOnASlowCamera)
{
    {
        const std::lock_guard lock(state->mutex);
        state->config["autoexposuremode"] = "AV";
    }
    state->callMs = 1000;
    MainThreadWatchdog watchdog;
    watchdog.start();
    EXPECT_FALSE(connect(32));
    EXPECT_LT(watchdog.longestStall(), kNoCameraWait) << "closing the session is not waited for either";
    watchdog.stop();
    EXPECT_TRUE(failure.isEmpty()) << "the camera's own alert has said why";
    EXPECT_EQ(alertTitles(), QStringList{"AE mode is not set to Manual or Bulb."});
    EXPECT_FALSE(control->isSDKInit());
    ASSERT_TRUE(waitFor([this] {
        const std::lock_guard lock(state->mutex);
        return state->closed;
    })) << "the camera is let go";
}

TEST_F(CanonGphoto2Session, AFailedConnectionSaysWhy)
{
    {
        const std::lock_guard lock(state->mutex);
        state->noCamera = true;
    }
    EXPECT_FALSE(connect(32));
    EXPECT_EQ(failure, "No camera was found.");
    EXPECT_FALSE(control->isSDKInit());

    {
        const std::lock_guard lock(state->mutex);
        state->noCamera = false;
        state->errorText = "Could not claim the USB device";
    }
    state->initError = kErrDeviceBusy;
    EXPECT_FALSE(connect(32));
    EXPECT_EQ(failure, "The camera is busy or held by another program. (Could not claim the USB device)");

    state->initError = kErrInternal;
    {
        const std::lock_guard lock(state->mutex);
        state->errorText = "I/O problem";
    }
    EXPECT_FALSE(connect(32));
    EXPECT_EQ(failure, "The camera could not be opened. (I/O problem)");
    EXPECT_FALSE(control->isCanonConnected());
    EXPECT_TRUE(alerts.alerts.empty()) << "the caller shows the reason";

    state->initError = kOk;
    EXPECT_TRUE(connect(32)) << "and the next connection starts afresh";
}

TEST_F(CanonGphoto2Session, ADisconnectDuringAConnectionEndsItAndLeavesNothingOpen)
{
    state->callMs = 1000;
    prefs->setCanonExpIndex(32);
    std::optional<ConnectOutcome> outcome;
    int shown = 0;
    QObject::connect(control.get(), &CanonControl::showPanelRequested, [&] { ++shown; });
    control->canonConnect([&](bool connected, const QString& why) { outcome = ConnectOutcome{connected, why}; });
    ASSERT_TRUE(waitFor([this] { return control->isSDKInit(); }));
    ASSERT_TRUE(cameraBusy()) << "a call of the connection is with the camera";
    MainThreadWatchdog watchdog;
    watchdog.start();
    control->canonDisconnect();
    EXPECT_LT(watchdog.longestStall(), kNoCameraWait) << "the camera's last call is not waited for";
    watchdog.stop();
    ASSERT_TRUE(outcome.has_value()) << "the caller hears of it at once";
    EXPECT_FALSE(outcome->connected);
    EXPECT_TRUE(outcome->failure.isEmpty()) << "ended on purpose: nothing to report";
    EXPECT_FALSE(control->isCanonConnecting());
    // The worker answers its last call before it lets the camera go.
    ASSERT_TRUE(waitFor([this] { return closed(); })) << "the camera is let go";
    QCoreApplication::processEvents();
    EXPECT_FALSE(control->isCanonConnected()) << "late answers are dropped";
    EXPECT_EQ(shown, 0);

    state->callMs = 5;
    EXPECT_TRUE(connect(32));
    EXPECT_EQ(shown, 1);
}

TEST_F(CanonGphoto2Session, ClosingTheWindowDuringAConnectionOrAStartIsSafe)
{
    state->callMs = 200;
    control->canonConnect({});
    ASSERT_TRUE(waitFor([this] { return control->isSDKInit(); }));
    ASSERT_TRUE(cameraBusy()) << "a call of the connection is with the camera";
    control.reset();
    sdk.reset();
    ASSERT_TRUE(waitFor([this] { return closed(); })) << "the camera is let go";

    {
        const std::lock_guard lock(state->mutex);
        state->closed = false;
    }
    state->callMs = 5;
    sdk = std::make_unique<Gphoto2CanonSdk>(FakeGphoto2Device::factory(state));
    control = std::make_unique<CanonControl>(*sdk, *prefs, DebugWriter());
    ASSERT_TRUE(connect(15)) << "the camera is free for the next window";
    ASSERT_TRUE(cameraSettled());
    state->callMs = 300;
    control->canonAction(CanonControl::kTagExpose);
    ASSERT_TRUE(control->isCanonStarting());
    ASSERT_TRUE(cameraBusy()) << "a call of the start is with the camera";
    control.reset();
    sdk.reset();
    ASSERT_TRUE(waitFor([this] { return closed(); })) << "the camera is let go";
    QCoreApplication::processEvents();
    EXPECT_FALSE(state->value("eosremoterelease").startsWith("Press")) << "the shutter is not left held";
    EXPECT_TRUE(alerts.alerts.empty()) << alertTitles().join(", ").toStdString();
}

TEST_F(CanonGphoto2Session, ABulbStartOnASlowCameraShowsStartingAndKeepsTheWindowRunning)
{
    ASSERT_TRUE(connect(15));
    ASSERT_TRUE(cameraSettled());
    state->callMs = 1000;
    MainThreadWatchdog watchdog;
    watchdog.start();
    control->canonAction(CanonControl::kTagExpose);
    EXPECT_EQ(control->panel().expButtonTitle, "Starting");
    EXPECT_FALSE(control->isCanonExposing());
    control->canonAction(CanonControl::kTagExpose);
    EXPECT_TRUE(control->isCanonStarting()) << "a press while starting has nothing to abort";
    ASSERT_TRUE(waitFor([this] { return control->isCanonExposing(); }, 60000));
    EXPECT_LT(watchdog.longestStall(), kNoCameraWait) << "the window went on while the camera answered";
    watchdog.stop();
    EXPECT_EQ(control->panel().expButtonTitle, "Abort");
    ASSERT_TRUE(waitFor([this] { return state->value("eosremoterelease") == "Press Full"; }, 60000));

    // Abort still releases the shutter and unlocks the controls.
    state->callMs = 5;
    control->canonAction(CanonControl::kTagExpose);
    ASSERT_TRUE(waitFor([this] { return released(); }));
    ASSERT_TRUE(waitFor([this] { return unlocked(); }));
}

TEST_F(CanonGphoto2Session, ADisconnectDuringAStartSendsNoPressAndARefusedStartGoesBackToIdle)
{
    ASSERT_TRUE(connect(15));
    ASSERT_TRUE(cameraSettled());
    state->callMs = 300;
    control->canonAction(CanonControl::kTagExpose);
    ASSERT_TRUE(control->isCanonStarting());
    control->canonDisconnect();
    EXPECT_FALSE(control->isCanonStarting());
    EXPECT_FALSE(control->isCanonExposing());
    ASSERT_TRUE(waitFor([this] { return closed(); })) << "the camera is let go";
    QCoreApplication::processEvents();
    EXPECT_TRUE(writes("eosremoterelease").isEmpty()) << "no exposure begins after the camera was let go";
    EXPECT_FALSE(control->isCanonExposing());

    // Refused at once by the camera: the panel reads "Expose" again.
    state->callMs = 5;
    ASSERT_TRUE(connect(15));
    state->captureError = kErrDeviceBusy;
    control->canonAction(CanonControl::kTagExpose);
    ASSERT_TRUE(waitFor([this] { return !alerts.alerts.empty(); }));
    ASSERT_TRUE(waitFor([this] { return !control->isCanonStarting() && !control->isCanonExposing(); }));
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    EXPECT_TRUE(control->panel().expButtonEnabled);
}

namespace {

// Live view and its zoom on a camera that takes a second for every call:
// the window goes on while the camera answers, and the camera ends as the
// user last asked.
class CanonGphoto2LiveView : public CanonGphoto2Session {
protected:
    void SetUp() override
    {
        CanonGphoto2Session::SetUp();
        control->setViewBounds(1056, 704);
        ASSERT_TRUE(connect(32));
        ASSERT_TRUE(cameraSettled());
        state->callMs = 1000;
        watchdog.start();
    }
    void liveView(bool on)
    {
        control->panel().focusChecked = on;
        control->canonAction(CanonControl::kTagFocusCheck);
    }
    QString last(const QString& name)
    {
        const QStringList written = writes(name);
        return written.isEmpty() ? QString() : written.back();
    }
    bool cameraIsOn() { return last("viewfinder") == "1"; }
    void expectNoStall()
    {
        EXPECT_LT(watchdog.longestStall(), kNoCameraWait) << "the window went on while the camera answered";
    }

    MainThreadWatchdog watchdog;
};

}  // namespace

TEST_F(CanonGphoto2LiveView, SwitchingZoomingJoggingAndExtendingDoNotWaitForTheCamera)
{
    liveView(true);
    expectNoStall();
    ASSERT_TRUE(waitFor([this] { return control->isCanonLiveView() && last("eoszoom") == "1"; }));
    EXPECT_TRUE(cameraIsOn());
    EXPECT_EQ(last("eoszoomposition"), "0,0");

    ASSERT_TRUE(control->setupCanonLiveViewPosition(0, 0));
    EXPECT_TRUE(control->jogCanonLiveViewPosition(128, -192)) << "a jog while the zoom is being written";
    ASSERT_TRUE(waitFor([this] { return !control->panel().expComboEnabled; }));
    EXPECT_EQ(last("eoszoom"), "5");
    ASSERT_TRUE(waitFor([this] { return last("eoszoomposition") == "128,2573"; }));
    // The click waits for the switch-on's writes when their answer is still
    // on its way; the jog that follows it then replaces it.
    const QStringList positions = writes("eoszoomposition");
    EXPECT_TRUE(positions == QStringList({"0,0", "0,2765", "128,2573"}) || positions == QStringList({"0,0", "128,2573"}))
        << positions.join(' ').toStdString();

    control->canonExtendLiveViewTime();
    ASSERT_TRUE(control->setupCanonLiveViewPosition(500, 500));
    ASSERT_TRUE(waitFor([this] { return control->panel().expComboEnabled; }));
    EXPECT_EQ(last("eoszoom"), "1");

    liveView(false);
    EXPECT_FALSE(control->isCanonLiveView());
    ASSERT_TRUE(waitFor([this] { return last("viewfinder") == "0"; }));
    expectNoStall();
    EXPECT_TRUE(alerts.alerts.empty()) << alertTitles().join(", ").toStdString();
    EXPECT_EQ(alerts.beeps, 0);
}

TEST_F(CanonGphoto2LiveView, ASwitchOffOrADisconnectDuringTheSwitchOnLeavesTheCameraOff)
{
    liveView(true);
    // The camera has turned live view on; the zoom is still to be written
    // and the camera's report to be read.
    ASSERT_TRUE(waitFor([this] { return cameraIsOn(); }));
    liveView(false);
    ASSERT_TRUE(waitFor([this] { return last("viewfinder") == "0"; }));
    ASSERT_TRUE(cameraSettled()) << "the switch-on's writes still under way are done or dropped";
    EXPECT_EQ(writes("viewfinder"), (QStringList{"1", "0"}));
    EXPECT_TRUE(writes("eoszoom").isEmpty()) << "the switch-on's last write was dropped";
    EXPECT_FALSE(control->isCanonLiveView());

    liveView(true);
    ASSERT_TRUE(waitFor([this] { return cameraIsOn(); }));
    control->canonDisconnect();
    EXPECT_FALSE(control->isFrameTimerRunning());
    ASSERT_TRUE(waitFor([this] {
        const std::lock_guard lock(state->mutex);
        return state->closed;
    }));
    expectNoStall();
    EXPECT_EQ(last("viewfinder"), "0") << "switched off before the session closed";
    EXPECT_TRUE(writes("eoszoom").isEmpty());
}
