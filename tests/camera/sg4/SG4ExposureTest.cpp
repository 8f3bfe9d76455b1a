#include "SG4Fixture.h"

#include <algorithm>

// Exposures, their completion and the download on the mount's worker.
class SG4Exposure : public SG4Fixture {
protected:
    void SetUp() override { ASSERT_TRUE(connect()); }
    // Waits until the controller is idle again.
    void waitIdle(int ms = 20000)
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !control.isSG4Exposing() && !control.isSG4Transfer(); }, ms));
    }
};

TEST_F(SG4Exposure, AShortExposureEndsInsideItsReplyAndDownloadsWithoutPolls)
{
    sg4Panel.fields = {0, 0, 50.0};
    control.sg4ImageAction(SG4Control::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([this] { return worker.downloads > 0; }, 20000));
    // The 'T' reply carried the 'D': no exposure runs, the download is posted.
    EXPECT_FALSE(control.isSG4Exposing());
    EXPECT_EQ(worker.downloads, 1);
    EXPECT_EQ(sg4Panel.status, "Download...");
    ASSERT_TRUE(QTest::qWaitFor([this] { return control.sg4Image() != nullptr; }, 20000));
    const auto image = control.sg4Image();
    EXPECT_EQ(image->width, 640);
    EXPECT_EQ(image->height, 480);
    ASSERT_EQ(image->pixels.size(), 640u * 480u);
    EXPECT_EQ(image->pixels[1234], 1000 + 1234);
    EXPECT_FLOAT_EQ(image->exposureSeconds, 0.05f);
    EXPECT_TRUE(image->exposureUtc.isValid());
    EXPECT_EQ(sg4Panel.exposeTitle, "Expose");
    EXPECT_EQ(sg4Panel.status, " ");
    EXPECT_TRUE(sg4Panel.statuses.contains("Download: 1%"));
    EXPECT_GE(control.allSkyDownloadSec(), 0.0f);
}

TEST_F(SG4Exposure, ALongerExposureIsPolledUntilItsLoneD)
{
    ASSERT_TRUE(exposeAndDownload(sg4Panel, 0.3));
    EXPECT_TRUE(sg4Panel.statuses.contains("Exposing..."));
    // The simulator counts the transfer on its own thread once the last
    // block is out, which may be after the program has the image.
    EXPECT_TRUE(QTest::qWaitFor([this] { return device.transfersDone() == 1; }, 5000));
}

TEST_F(SG4Exposure, ElevenPollsWithoutTheEndRaiseTheTimeOut)
{
    device.setNeverDone(true);
    sg4Panel.fields = {0, 0, 200.0};
    control.sg4ImageAction(SG4Control::kTagExpose);
    settle();
    EXPECT_TRUE(control.isSG4Exposing());
    EXPECT_EQ(sg4Panel.exposeTitle, "Abort");
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.alerts.empty(); }, 30000));
    EXPECT_EQ(alerts.alerts.front().title, "Exposure completion timeout error.");
    EXPECT_FALSE(control.isSG4Exposing());
    EXPECT_EQ(sg4Panel.exposeTitle, "Expose");
    EXPECT_EQ(worker.downloads, 0);
}

TEST_F(SG4Exposure, AbortDuringTheExposureSendsA)
{
    sg4Panel.fields = {0, 5, 0.0};
    sg4Panel.focus = true;
    control.sg4ImageAction(SG4Control::kTagFocus);
    control.sg4ImageAction(SG4Control::kTagExpose);
    settle();
    ASSERT_TRUE(control.isSG4Exposing());
    control.sg4ImageAction(SG4Control::kTagExpose);
    settle();
    EXPECT_FALSE(control.isSG4Exposing());
    EXPECT_FALSE(control.isSG4Focus());
    EXPECT_FALSE(sg4Panel.focus);
    EXPECT_EQ(commandsOf('A'), 1);
    EXPECT_EQ(sg4Panel.exposeTitle, "Expose");
}

TEST_F(SG4Exposure, AbortDuringTheTransferStopsItAtTheNextBlockAndKeepsNoImage)
{
    ASSERT_TRUE(exposeAndDownload(sg4Panel, 0.05));
    device.delayBlock(3, std::chrono::milliseconds(400));
    bool failed = false;
    QObject::connect(&control, &SG4Control::downloadFailed, [&] { failed = true; });
    sg4Panel.fields = {0, 0, 50.0};
    control.sg4ImageAction(SG4Control::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([this] { return device.blocksSent() >= 4 + 75; }, 20000));
    control.sg4ImageAction(SG4Control::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([&] { return failed; }, 20000));
    EXPECT_EQ(control.sg4Image(), nullptr);
    EXPECT_TRUE(device.acks().endsWith('S'));
    EXPECT_EQ(device.acks().count('S'), 1);
    EXPECT_EQ(sg4Panel.exposeTitle, "Expose");
    EXPECT_EQ(commandsOf('A'), 0) << "the exposure had ended; only the transfer stops";
    // The next exposure downloads again.
    EXPECT_TRUE(exposeAndDownload(sg4Panel, 0.05));
}

TEST_F(SG4Exposure, ADownloadTheWorkerDroppedDoesNotHoldTheNextConnection)
{
    worker.dropDownloads = true;
    sg4Panel.fields = {0, 0, 50.0};
    control.sg4ImageAction(SG4Control::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([this] { return control.isSG4Transfer(); }, 20000));
    control.sg4Disconnect();
    worker.dropDownloads = false;
    ASSERT_TRUE(connect());
    EXPECT_FALSE(control.isSG4Transfer());
    EXPECT_TRUE(exposeAndDownload(sg4Panel, 0.05));
}

TEST_F(SG4Exposure, BlocksFailingThreeTimesAreRepeatedAFourthEndsTheTransfer)
{
    device.corruptNext(3);
    ASSERT_TRUE(exposeAndDownload(sg4Panel, 0.05));
    EXPECT_TRUE(device.acks().startsWith("RRRK"));
    EXPECT_EQ(control.sg4Image()->pixels[5], 1005) << "the repeated block is stored in its place";
    device.corruptNext(4);
    EXPECT_FALSE(exposeAndDownload(sg4Panel, 0.05));
    // Given up, the camera is told to stop: it takes the next 'T' as a command.
    EXPECT_EQ(device.acks().right(4), "RRRS");
    EXPECT_EQ(sg4Panel.exposeTitle, "Expose");
    EXPECT_TRUE(exposeAndDownload(sg4Panel, 0.05));
    EXPECT_EQ(control.sg4Image()->pixels[5], 1005);
}

TEST_F(SG4Exposure, ABlockSlowerThanItsLimitEndsTheTransfer)
{
    SG4Timing timing = fastTiming();
    timing.blockSeconds = 0.3f;
    SG4Control strict(serial, DebugWriter(), timing);
    control.sg4Disconnect();
    TestSG4Worker strictWorker(strict);
    strict.setWorker(&strictWorker);
    strict.setSG4Panel(&sg4Panel);
    ASSERT_TRUE(connectWith(strict));
    device.delayBlock(2, std::chrono::milliseconds(1500));
    bool ended = false;
    QObject::connect(&strict, &SG4Control::downloadFailed, [&] { ended = true; });
    sg4Panel.fields = {0, 0, 50.0};
    strict.sg4ImageAction(SG4Control::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended; }, 20000));
    EXPECT_EQ(strict.sg4Image(), nullptr);
    EXPECT_TRUE(serial.isSG4Timeout());
    // Read once the late block is out.
    EXPECT_TRUE(QTest::qWaitFor([this] { return device.acks().endsWith('S'); }, 5000));
    device.delayBlock(-1, std::chrono::milliseconds(0));
    // The late block is out before the stop was read; the next exposure downloads whole.
    bool ready = false;
    QObject::connect(&strict, &SG4Control::imageReady, [&] { ready = true; });
    strict.sg4ImageAction(SG4Control::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready; }, 20000));
    EXPECT_EQ(strict.sg4Image()->pixels[5], 1005);
    strict.sg4Disconnect();
}

TEST_F(SG4Exposure, ASubFrameOfSideTenTransfersTenBlocksOfTwentyOneBytes)
{
    alerts.alerts.clear();
    control.sg4SetupAction(SG4Control::kTagReadout, SG4Control::kItemSubFrame);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts.front().title, "Drag a subframe rectangle first");
    EXPECT_EQ(control.sg4Bin(), 0);
    EXPECT_EQ(sg4Panel.readoutMode, SG4Control::kItemFirstMode);

    control.setSG4SubFrameXY(100, 200);
    control.setSG4SubFrameSize(10);
    ASSERT_TRUE(control.sg4DefineSubFrameCmd());
    settle();
    EXPECT_EQ(device.commands().last(), SG4Protocol::frame('S', QByteArray("\x00\x64\x00\xC8\x0A", 5)));
    control.sg4SetupAction(SG4Control::kTagReadout, SG4Control::kItemSubFrame);
    EXPECT_EQ(control.sg4Bin(), 255);
    const int before = device.blocksSent();
    ASSERT_TRUE(exposeAndDownload(sg4Panel, 0.05));
    EXPECT_EQ(device.blocksSent() - before, 10);
    const auto image = control.sg4Image();
    EXPECT_EQ(image->width, 10);
    EXPECT_EQ(image->pixels.size(), 100u);
    EXPECT_EQ(image->subFrameX, 100);
    EXPECT_EQ(image->subFrameY, 200);
    // A side past 127 is sent as 127.
    control.setSG4SubFrameSize(200);
    ASSERT_TRUE(control.sg4DefineSubFrameCmd());
    settle();
    EXPECT_EQ(quint8(device.commands().last().at(5)), 127);
}

TEST_F(SG4Exposure, StrayStatusBytesAreDroppedInContinuousExposure)
{
    device.setStrayBytes(true);
    control.setIsAllSkyConstExp(true);
    control.sg4SetupAction(SG4Control::kTagReadout, SG4Control::kItemFirstMode + 2);
    ASSERT_TRUE(exposeAndDownload(sg4Panel, 0.05));
    EXPECT_EQ(control.sg4Image()->width, 320);
    EXPECT_EQ(control.sg4Image()->pixels[100], 1100);
}

TEST_F(SG4Exposure, TheFocusLoopExposesAgainAfterEachDownloadUntilUnticked)
{
    sg4Panel.focus = true;
    control.sg4ImageAction(SG4Control::kTagFocus);
    sg4Panel.fields = {0, 0, 50.0};
    control.sg4ImageAction(SG4Control::kTagExpose);
    ASSERT_TRUE(QTest::qWaitFor([this] { return device.transfersDone() >= 3; }, 30000));
    sg4Panel.focus = false;
    control.sg4ImageAction(SG4Control::kTagFocus);
    waitIdle();
    const int exposures = commandsOf('T');
    // No exposure may start during a span of ticks: waiting it out is the check.
    QTest::qWait(500);
    EXPECT_EQ(commandsOf('T'), exposures);
    EXPECT_EQ(device.transfersDone(), exposures);
    EXPECT_EQ(sg4Panel.exposeTitle, "Expose");
}

// Exposures long enough for the camera's progress bytes, which come every
// 100-160 ms until the lone 'D'.
class SG4LongExposure : public SG4Fixture {
protected:
    // The transport's own cycles: a reply read to silence would run on
    // from progress byte to progress byte.
    SG4LongExposure() : SG4Fixture(SerialTiming{}.tick) {}

    // Clicks Expose for `seconds` and waits until the panel offers Abort;
    // true when the camera was still exposing then.
    bool startExposure(FakeSG4Panel& panel, double seconds)
    {
        panel.fields = {0, 0, seconds * 1000.0};
        control.sg4ImageAction(SG4Control::kTagExpose);
        if (!QTest::qWaitFor([&] { return panel.exposeTitle == "Abort"; }, 20000))
            return false;
        return device.isExposing();
    }
    // A moment of the simulator's clock on the wall clock.
    static QDateTime wallTime(std::chrono::steady_clock::time_point at)
    {
        const auto before = std::chrono::steady_clock::now() - at;
        return QDateTime::currentDateTimeUtc().addMSecs(
            -std::chrono::duration_cast<std::chrono::milliseconds>(before).count());
    }
    // Waits for the download that ends the exposure.
    bool downloaded(int waitMs)
    {
        bool ready = false;
        const QMetaObject::Connection connection =
            QObject::connect(&control, &SG4Control::imageReady, [&] { ready = true; });
        const bool came = QTest::qWaitFor([&] { return ready; }, waitMs);
        QObject::disconnect(connection);
        return came;
    }
};

TEST_F(SG4LongExposure, OneSecondStartsAtOnceAndIsDatedAtItsStart)
{
    ASSERT_TRUE(connect(true));
    ASSERT_TRUE(startExposure(allSkyPanel, 1.0));
    ASSERT_TRUE(downloaded(20000));
    EXPECT_GT(device.progressBytesSent(), 2);
    const QDateTime taken = wallTime(device.exposureTakenAt());
    const QDateTime ended = wallTime(device.exposureEndedAt());
    const QDateTime dated = control.sg4Image()->exposureUtc;
    EXPECT_GE(dated.msecsTo(ended), 700) << "the image is dated at its start, not its end";
    EXPECT_LT(std::abs(taken.msecsTo(dated)), 300);
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(SG4LongExposure, AbortReachesTheCameraDuringAFourSecondExposure)
{
    ASSERT_TRUE(connect());
    device.setProgressBytes(std::chrono::milliseconds(100), std::chrono::milliseconds(100));
    ASSERT_TRUE(startExposure(sg4Panel, 4.0));
    control.sg4ImageAction(SG4Control::kTagExpose);
    settle();
    EXPECT_EQ(device.abortsWhileExposing(), 1);
    EXPECT_FALSE(control.isSG4Exposing());
    EXPECT_EQ(sg4Panel.exposeTitle, "Expose");
    EXPECT_EQ(alerts.beeps, 0);
    EXPECT_TRUE(exposeAndDownload(sg4Panel, 0.05));
}

TEST_F(SG4LongExposure, TwelveSecondsOnTheAllSkyCameraDownloadWithoutATimeOut)
{
    ASSERT_TRUE(connect(true));
    device.setProgressBytes(std::chrono::milliseconds(100), std::chrono::milliseconds(100));
    ASSERT_TRUE(startExposure(allSkyPanel, 12.0));
    EXPECT_FALSE(allSkyPanel.readoutEnabled);
    ASSERT_TRUE(downloaded(40000));
    EXPECT_GT(device.progressBytesSent(), 80);
    EXPECT_EQ(control.sg4Image()->width, 640);
    EXPECT_EQ(allSkyPanel.exposeTitle, "Expose");
    EXPECT_TRUE(allSkyPanel.readoutEnabled);
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_EQ(alerts.beeps, 0);
}

// The AllSky camera keeps a dark frame at full resolution only.
class SG4DarkFrames : public SG4Fixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(connect(true));
        device.setPixels([](int index, quint8 type) {
            return quint16(type == 0 ? 300 : index % 600);
        });
    }
};

TEST_F(SG4DarkFrames, ADarkIsKeptAndTakenFromTheNextLightNeverBelowZero)
{
    control.sg4ImageAction(SG4Control::kTagImageType, SG4Control::kItemDark);
    ASSERT_TRUE(exposeAndDownload(allSkyPanel, 0.05));
    EXPECT_TRUE(control.hasDarkFrame());
    EXPECT_EQ(control.sg4Image()->imageType, 0);
    EXPECT_FALSE(control.sg4Image()->darkSubtracted);
    control.sg4ImageAction(SG4Control::kTagImageType, SG4Control::kItemLight);
    ASSERT_TRUE(exposeAndDownload(allSkyPanel, 0.05));
    const auto light = control.sg4Image();
    EXPECT_TRUE(light->darkSubtracted);
    EXPECT_EQ(light->pixels[100], 0);
    EXPECT_EQ(light->pixels[299], 0);
    EXPECT_EQ(light->pixels[450], 150);
    EXPECT_EQ(*std::max_element(light->pixels.begin(), light->pixels.end()), 299);
    EXPECT_TRUE(allSkyPanel.readoutEnabled);
}

TEST_F(SG4DarkFrames, NoDarkIsKeptOrTakenAtOtherModes)
{
    control.sg4SetupAction(SG4Control::kTagReadout, SG4Control::kItemFirstMode + 2);
    control.sg4ImageAction(SG4Control::kTagImageType, SG4Control::kItemDark);
    ASSERT_TRUE(exposeAndDownload(allSkyPanel, 0.05));
    EXPECT_FALSE(control.hasDarkFrame());
    control.sg4SetupAction(SG4Control::kTagReadout, SG4Control::kItemFirstMode);
    ASSERT_TRUE(exposeAndDownload(allSkyPanel, 0.05));
    EXPECT_TRUE(control.hasDarkFrame());
    control.sg4SetupAction(SG4Control::kTagReadout, SG4Control::kItemFirstMode + 1);
    control.sg4ImageAction(SG4Control::kTagImageType, SG4Control::kItemLight);
    ASSERT_TRUE(exposeAndDownload(allSkyPanel, 0.05));
    EXPECT_FALSE(control.sg4Image()->darkSubtracted);
    EXPECT_EQ(control.sg4Image()->pixels[450], 450);
}

TEST_F(SG4DarkFrames, AutoTypeAtFullResolutionBecomesLight)
{
    control.sg4ImageAction(SG4Control::kTagImageType, SG4Control::kItemAuto);
    ASSERT_TRUE(exposeAndDownload(allSkyPanel, 0.05));
    EXPECT_EQ(control.sg4Type(), 1);
    const QList<QByteArray> sent = device.commands();
    const auto take = std::find_if(sent.rbegin(), sent.rend(), [](const QByteArray& c) { return c.startsWith('T'); });
    ASSERT_NE(take, sent.rend());
    EXPECT_EQ(take->at(5), 1) << "the type byte";
}
