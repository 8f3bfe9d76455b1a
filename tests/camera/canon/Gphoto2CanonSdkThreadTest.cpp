#include "FakeGphoto2Device.h"
#include "camera/canon/CanonControl.h"
#include "camera/canon/Gphoto2CanonSdk.h"
#include "model/TempSettings.h"
#include "model/settings/PrefControl.h"
#include "platform/DisplayGamma.h"
#include "support/MainThreadWatchdog.h"
#include "support/RecordingAlertPresenter.h"
#include "support/canon/ConnectOutcome.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace CanonIds;
using namespace std::chrono_literals;

namespace {

// A main thread waiting on the camera here waits out a fetch of seconds or
// a call of one; the margin below that is for the disk and the processor of
// a loaded machine.
constexpr auto kNoCameraWait = 500ms;

// The backend on a fake camera, opened and saving to the computer, with
// its events noted and the thread each arrived on.
class Gphoto2CanonSdkThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sdk = std::make_unique<Gphoto2CanonSdk>(FakeGphoto2Device::factory(state));
        sdk->setObjectEventHandler([this](std::uint32_t event, CanonSdk::Item item) {
            objectEvents.emplace_back(event, item);
            onMainThread = onMainThread && QThread::currentThread() == qApp->thread();
        });
        sdk->setPropertyEventHandler([this](std::uint32_t, std::uint32_t property, std::uint32_t) {
            changedProperties.push_back(property);
            onMainThread = onMainThread && QThread::currentThread() == qApp->thread();
        });
        sdk->setCameraStateEventHandler([this](std::uint32_t event, std::uint32_t) { stateEvents.push_back(event); });
        ASSERT_EQ(sdk->initializeSdk(), kOk);
        std::uint32_t count = 0;
        ASSERT_EQ(sdk->getCameraList(), kOk);
        ASSERT_EQ(sdk->getChildCount(count), kOk);
        ASSERT_EQ(count, 1u);
        ASSERT_EQ(sdk->getChildAtIndex(0), kOk);
        ASSERT_EQ(sdk->openSession(), kOk);
        ASSERT_EQ(sdk->setUInt32(kPropSaveTo, 0, kSaveToHost), kOk);
    }

    // Announces a file through the camera's event queue and waits for it.
    CanonSdk::Item announceFile()
    {
        {
            const std::lock_guard lock(state->mutex);
            state->events.push_back({true, "/store_00010001/DCIM/100CANON", "IMG_0001.CR2", false, {}});
        }
        const std::size_t before = objectEvents.size();
        EXPECT_TRUE(QTest::qWaitFor([&] { return objectEvents.size() > before; }, 10000));
        return objectEvents.empty() ? 0 : objectEvents.back().second;
    }

    std::shared_ptr<FakeGphoto2Device::State> state = std::make_shared<FakeGphoto2Device::State>();
    std::unique_ptr<Gphoto2CanonSdk> sdk;
    std::vector<std::pair<std::uint32_t, CanonSdk::Item>> objectEvents;
    std::vector<std::uint32_t> changedProperties;
    std::vector<std::uint32_t> stateEvents;
    bool onMainThread = true;
};

}  // namespace

TEST_F(Gphoto2CanonSdkThreadTest, EveryCameraCallRunsOffTheMainThreadAndEventsComeBackOnIt)
{
    std::uint32_t iso = 0;
    EXPECT_EQ(sdk->getUInt32(kPropISOSpeed, 0, iso), kOk);
    EXPECT_EQ(iso, 0x60u);
    EXPECT_TRUE(changedProperties.empty()) << "the save target's change comes from the event loop";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !changedProperties.empty(); }, 10000));
    EXPECT_EQ(changedProperties.front(), kPropSaveTo);

    const CanonSdk::Item item = announceFile();
    EXPECT_EQ(objectEvents.back().first, kObjectDirItemRequestTransfer);
    CanonSdk::ItemInfo info;
    EXPECT_EQ(sdk->getDirectoryItemInfo(item, info), kOk);
    EXPECT_EQ(info.fileName, "IMG_0001.CR2");
    EXPECT_EQ(info.size, 600'000u);
    EXPECT_TRUE(onMainThread);

    const std::lock_guard lock(state->mutex);
    EXPECT_EQ(state->threads.size(), 1u) << "one worker thread for every call";
    EXPECT_EQ(state->threads.count(QThread::currentThreadId()), 0u) << "never the main thread";
}

TEST_F(Gphoto2CanonSdkThreadTest, ASlowDownloadLeavesTheMainThreadFreeAndTheCameraBusy)
{
    const CanonSdk::Item item = announceFile();
    state->fetchMs = 2000;
    QByteArray received;
    double lastPercent = 0;
    std::optional<CanonSdk::Error> result;
    MainThreadWatchdog watchdog;
    watchdog.start();
    sdk->download(
        item, [&](QByteArrayView bytes) { received += bytes.toByteArray(); return true; },
        [&](double percent) { lastPercent = percent; }, [&](CanonSdk::Error error) { result = error; });
    EXPECT_FALSE(result) << "never from inside the call";
    ASSERT_TRUE(QTest::qWaitFor([&] { return state->fetching.load(); }, 10000));

    MainThreadWatchdog asked;
    asked.start();
    std::uint32_t level = 0;
    EXPECT_EQ(sdk->getUInt32(kPropBatteryLevel, 0, level), kErrDeviceBusy);
    EXPECT_LT(asked.longestStall(), kNoCameraWait) << "a read during a download does not queue behind it";

    ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 20000));
    watchdog.stop();
    EXPECT_EQ(*result, kOk);
    EXPECT_EQ(received, state->file);
    EXPECT_DOUBLE_EQ(lastPercent, 100.0);
    EXPECT_LT(watchdog.longestStall(), kNoCameraWait);

    EXPECT_EQ(sdk->getUInt32(kPropBatteryLevel, 0, level), kOk) << "free again once the download is in";
    EXPECT_EQ(level, 50u);
}

TEST_F(Gphoto2CanonSdkThreadTest, ASinkThatRefusesBytesFailsTheDownload)
{
    const CanonSdk::Item item = announceFile();
    int pieces = 0;
    std::optional<CanonSdk::Error> result;
    sdk->download(
        item, [&](QByteArrayView) { return ++pieces < 2; }, {}, [&](CanonSdk::Error error) { result = error; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000));
    EXPECT_EQ(*result, kErrInternal);
    EXPECT_EQ(pieces, 2) << "nothing more after the refusal";
}

TEST_F(Gphoto2CanonSdkThreadTest, AReadThatDoesNotAnswerGivesUpAtItsDeadline)
{
    state->readMs = Gphoto2CanonSdk::kCallDeadlineMs + 500;
    QElapsedTimer clock;
    clock.start();
    std::uint32_t iso = 0;
    EXPECT_EQ(sdk->getUInt32(kPropISOSpeed, 0, iso), kErrDeviceBusy);
    EXPECT_LT(clock.elapsed(), Gphoto2CanonSdk::kCallDeadlineMs + 1000);
    EXPECT_EQ(iso, 0u) << "a late answer writes nothing";

    clock.restart();
    EXPECT_EQ(sdk->getUInt32(kPropISOSpeed, 0, iso), kErrDeviceBusy);
    EXPECT_LT(clock.elapsed(), 100) << "no second wait behind the call still running";
    state->readMs = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] { return sdk->getUInt32(kPropISOSpeed, 0, iso) == kOk; }, 10000));
    EXPECT_EQ(iso, 0x60u) << "answering again once it is back";
}

TEST_F(Gphoto2CanonSdkThreadTest, FramesAndCapturesAnswerFromTheEventLoop)
{
    std::optional<CanonSdk::Error> frameError;
    QByteArray frame;
    sdk->downloadEvfImage([&](CanonSdk::Error error, const QByteArray& jpeg) {
        frameError = error;
        frame = jpeg;
    });
    EXPECT_FALSE(frameError);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frameError.has_value(); }, 10000));
    EXPECT_EQ(*frameError, kOk);
    EXPECT_EQ(frame, "jpeg frame");

    {
        const std::lock_guard lock(state->mutex);
        state->frame.clear();
    }
    frameError.reset();
    sdk->downloadEvfImage([&](CanonSdk::Error error, const QByteArray&) { frameError = error; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return frameError.has_value(); }, 10000));
    EXPECT_EQ(*frameError, kErrObjectNotReady) << "a busy camera has no frame ready yet";

    EXPECT_EQ(sdk->sendCommand(kCmdTakePicture, 0), kOk);
    EXPECT_EQ(sdk->sendCommand(kCmdExtendShutDownTimer, 0), kErrNotSupported);
    EXPECT_EQ(sdk->sendCommand(kCmdBulbStart, 0), kOk);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !stateEvents.empty(); }, 10000))
        << "a camera without a remote release reports the failed bulb start";
    EXPECT_EQ(stateEvents.front(), kStateInternalError);
}

TEST_F(Gphoto2CanonSdkThreadTest, AnUnpluggedCameraEndsTheSession)
{
    {
        const std::lock_guard lock(state->mutex);
        state->cameraGone = true;
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !stateEvents.empty(); }, 10000));
    EXPECT_EQ(stateEvents, std::vector<std::uint32_t>{kStateShutDown});
}

TEST_F(Gphoto2CanonSdkThreadTest, DisconnectingCancelsADownloadAndFailsIt)
{
    const CanonSdk::Item item = announceFile();
    state->fetchMs = 60000;
    std::optional<CanonSdk::Error> result;
    sdk->download(item, [](QByteArrayView) { return true; }, {}, [&](CanonSdk::Error error) { result = error; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return state->fetching.load(); }, 10000));
    QElapsedTimer clock;
    clock.start();
    sdk->closeSession();
    sdk->releaseCamera();
    sdk->terminateSdk();
    EXPECT_LT(clock.elapsed(), 100) << "the main thread does not wait for the camera";
    EXPECT_FALSE(result);
    ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000));
    EXPECT_EQ(*result, kErrInternal);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        const std::lock_guard lock(state->mutex);
        return state->closed;
    }, Gphoto2CanonSdk::kStopDeadlineMs + 1000)) << "the worker let go of the camera";

    EXPECT_EQ(sdk->initializeSdk(), kOk) << "and a new session can start";
}

TEST_F(Gphoto2CanonSdkThreadTest, QuittingDuringACallThatNeverReturnsDoesNotHang)
{
    const CanonSdk::Item item = announceFile();
    state->stuck = true;
    sdk->download(item, [](QByteArrayView) { return true; }, {}, [](CanonSdk::Error) { FAIL() << "after the end"; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return state->fetching.load(); }, 10000));
    QElapsedTimer clock;
    clock.start();
    sdk.reset();
    EXPECT_LT(clock.elapsed(), Gphoto2CanonSdk::kStopDeadlineMs + 1000);
    EXPECT_FALSE(state->closed);

    // Let go, the call returns and its thread cleans up after itself.
    state->stuck = false;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const std::lock_guard lock(state->mutex);
        return state->closed;
    }, 10000));
}

class Gphoto2CanonControlTest : public TempSettings {};

TEST_F(Gphoto2CanonControlTest, AnExposureDownloadedThroughTheWorkerKeepsTheInterfaceRunning)
{
    ScopedAlertRecorder alerts;
    QTemporaryDir images;
    ASSERT_TRUE(images.isValid());
    const auto state = std::make_shared<FakeGphoto2Device::State>();
    state->config["autoexposuremode"] = "Manual";
    state->config["eosremoterelease"] = "None";
    // The camera sends until the test lets it go.
    state->stuck = true;
    Gphoto2CanonSdk sdk(FakeGphoto2Device::factory(state));
    const std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();
    PrefControl prefs(*gamma);
    prefs.readPrefs();
    prefs.setCanonImageFile(images.filePath("Canon Image"));
    CanonControl control(sdk, prefs, DebugWriter());
    control.setTickClock([] { return std::int64_t(1000); });
    const std::optional<ConnectOutcome> outcome = ConnectOutcome::of(control);
    ASSERT_TRUE(outcome && outcome->connected);

    control.canonAction(CanonControl::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.isCanonExposing(); }, 20000));
    {
        const std::lock_guard lock(state->mutex);
        state->events.push_back({true, "/store_00010001/DCIM/100CANON", "IMG_0001.CR2", false, {}});
    }
    // Measured for the 2 s the camera sends; opening and committing the file
    // afterwards is the disk's time.
    ASSERT_TRUE(QTest::qWaitFor([&] { return state->fetching.load(); }, 20000));
    MainThreadWatchdog watchdog;
    watchdog.start();
    // The loop's stalls over the transfer are the check: it is waited out.
    QTest::qWait(2000);
    EXPECT_LT(watchdog.longestStall(), kNoCameraWait);
    watchdog.stop();
    // From here the camera takes a second to let go of its copy.
    state->callMs = 1000;
    state->stuck = false;
    const QString path = images.filePath("Canon Image-001.CR2");
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(path); }, 20000));
    watchdog.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !control.isCanonDownloading(); }, 20000));
    EXPECT_LT(watchdog.longestStall(), kNoCameraWait) << "the camera's copy is removed without waiting for it";
    {
        const std::lock_guard lock(state->mutex);
        EXPECT_EQ(state->deleted, std::vector<QString>{"IMG_0001.CR2"});
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), state->file);
    EXPECT_TRUE(alerts.alerts.empty());
    control.canonDisconnect();
}
