#include "CanonFixture.h"

#include "camera/canon/CanonTables.h"

using namespace CanonIds;
using Call = SimulatedCanonSdk::Call;

namespace {

class CanonExposureTest : public CanonFixture {
protected:
    void SetUp() override
    {
        CanonFixture::SetUp();
        ASSERT_TRUE(connect());
    }
};

}  // namespace

TEST_F(CanonExposureTest, TypedExposuresAreBulbLengthsAboveThirtySeconds)
{
    choose(14);
    typeExposure("20");
    EXPECT_EQ(alerts.beeps, 1);
    EXPECT_TRUE(control->isCanonBulb());
    EXPECT_EQ(control->canonExpTime(), 60) << "the previous choice stays";
    choose(32);
    typeExposure("20");
    EXPECT_FALSE(control->isCanonBulb()) << "a refused number does not turn a shutter speed into bulb";
    EXPECT_EQ(control->canonExpTime(), 0.00125);
    EXPECT_EQ(control->expCode(), 0x85u);

    typeExposure("5000");
    EXPECT_TRUE(control->isCanonBulb());
    EXPECT_EQ(control->canonExpTime(), 3540);
    EXPECT_EQ(sdk.uint32Value(kPropTv), kTvBulb);

    typeExposure("45.5");
    EXPECT_EQ(control->canonExpTime(), 45.5);
    EXPECT_EQ(prefs->canonExpIndex(), 32) << "only a listed choice is stored";
}

TEST_F(CanonExposureTest, TimedExposureReachesDownloadAndSavesNumberedFiles)
{
    choose(32);
    QFile existing(images.filePath("Canon Image-001.CR2"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("older");
    existing.close();

    expose();
    EXPECT_TRUE(control->isCanonExposing());
    EXPECT_EQ(control->panel().expButtonTitle, "Abort");
    now += 6;  // one 0.1 s tick
    ASSERT_TRUE(waitFor([this] { return control->isCanonDownloading() || !control->isCanonExposing(); }));
    ASSERT_TRUE(waitFor([this] { return !control->isCanonDownloading(); }));
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    EXPECT_TRUE(control->isNewExposeImage());
    EXPECT_EQ(control->canonFilePath(), images.filePath("Canon Image-002.CR2"));

    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return imageFiles().size() == 3; }));
    EXPECT_EQ(imageFiles(), QStringList({"Canon Image-001.CR2", "Canon Image-002.CR2", "Canon Image-003.CR2"}));
    QFile first(images.filePath("Canon Image-001.CR2"));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), "older") << "an existing file is never overwritten";
    QFile second(images.filePath("Canon Image-002.CR2"));
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(second.readAll(), QByteArray("IMG_0001.CR2").repeated(1000));
}

TEST_F(CanonExposureTest, TheFirstProgressTickOfAShortExposureSwitchesToDownload)
{
    choose(32);
    sdk.setAnnounceFiles(false);
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return control->isCanonDownloading(); }));
    EXPECT_EQ(control->panel().expButtonTitle, "Download");
    EXPECT_FALSE(control->panel().expButtonEnabled);
    expose();
    EXPECT_TRUE(control->isCanonDownloading()) << "the button does nothing while downloading";
}

TEST_F(CanonExposureTest, ADownloadThatNeverComesIsGivenUp)
{
    control->setDownloadGraceMs(50);
    choose(32);
    sdk.setAnnounceFiles(false);
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return control->isCanonDownloading(); }));
    ASSERT_TRUE(waitFor([this] { return !control->isCanonDownloading(); }));
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    EXPECT_TRUE(control->panel().expButtonEnabled);
    EXPECT_TRUE(logText().contains("no transfer request"));
}

TEST_F(CanonExposureTest, DelaysBelowFifteenSecondsWaitBeforeTheFirstOfSeveral)
{
    choose(32);
    count(2);  // 3 exposures
    delay(3);  // 15 s
    expose();
    EXPECT_TRUE(control->isCanonExposing()) << "15 s or more: the first starts at once";
    EXPECT_EQ(control->panel().expTakenText, "1/3");
    control->canonAction(CanonControl::kTagExpose);  // abort
    EXPECT_FALSE(control->isCanonExposing());

    count(0);
    delay(1);  // 5 s
    expose();
    EXPECT_TRUE(control->isCanonExposing()) << "a single exposure starts at once";
    control->canonAction(CanonControl::kTagExpose);

    count(1);
    expose();
    EXPECT_FALSE(control->isCanonExposing());
    EXPECT_EQ(control->panel().expButtonTitle, "Delay");
    EXPECT_EQ(control->panel().expTakenText, "0/2");
    EXPECT_FALSE(control->panel().focusEnabled);
}

TEST_F(CanonExposureTest, AContinuousSequenceRunsUntilAbort)
{
    choose(32);
    count(CanonTables::kContinuousItem);
    EXPECT_EQ(control->panel().expTakenText, "0");
    expose();
    for (int i = 0; i < 4; ++i) {
        now += 6;
        ASSERT_TRUE(waitFor([this, i] { return imageFiles().size() == i + 1; }));
    }
    ASSERT_TRUE(waitFor([this] { return control->isCanonExposing(); }));
    EXPECT_GE(control->canonNumExpTaken(), 4u);
    control->canonAction(CanonControl::kTagExpose);
    EXPECT_FALSE(control->isCanonExposing());
    EXPECT_EQ(control->canonNumExposures(), 1u);
    EXPECT_EQ(control->panel().numExpSelected, 0);
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");

    // The transfer that follows the abort is cancelled, not saved.
    now += 6;
    ASSERT_TRUE(waitFor([this] { return sdk.cancelledDownloads() == 1; }));
    EXPECT_EQ(imageFiles().size(), 4);
    EXPECT_FALSE(control->isCanonAbort());
}

TEST_F(CanonExposureTest, WithTwoFilesPerExposureTheNextStartsAfterTheSecond)
{
    sdk.setUInt32Value(kPropImageQuality, 0, 0x00130F03);  // RAW + JPEG
    choose(32);
    count(1);
    expose();
    EXPECT_TRUE(control->isJpegPlusRaw());
    now += 6;
    ASSERT_TRUE(waitFor([this] { return imageFiles().size() == 4; }));
    EXPECT_EQ(imageFiles(), QStringList({"Canon Image-001.CR2", "Canon Image-001.JPG", "Canon Image-002.CR2",
                                         "Canon Image-002.JPG"}));
    EXPECT_EQ(commandsSent(kCmdTakePicture), 2);
    EXPECT_EQ(control->canonNumExpTaken(), 2u);
    ASSERT_TRUE(waitFor([this] { return !control->isCanonDownloading(); }));
    EXPECT_TRUE(control->panel().focusEnabled) << "the finished sequence hands live view back";
}

TEST_F(CanonExposureTest, TheDownloadLastsUntilTheSecondFileOfAPair)
{
    sdk.setUInt32Value(kPropImageQuality, 0, 0x00130F03);
    sdk.setAnnounceFiles(false);
    choose(32);
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return control->isCanonDownloading(); }));
    sdk.announceFile({"IMG_0001.CR2", "raw"});
    ASSERT_TRUE(waitFor([this] { return imageFiles().size() == 1; }));
    EXPECT_TRUE(control->isCanonDownloading()) << "the JPEG is still to come";
    EXPECT_EQ(control->panel().expButtonTitle, "Download");
    sdk.announceFile({"IMG_0001.JPG", "jpeg"});
    ASSERT_TRUE(waitFor([this] { return !control->isCanonDownloading(); }));
    EXPECT_EQ(imageFiles().size(), 2);
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
}

TEST_F(CanonExposureTest, SavingOnlyOnTheCardDownloadsNothing)
{
    control->panel().saveToCameraChecked = true;
    control->panel().saveToMacChecked = false;
    control->canonAction(CanonControl::kTagSaveToCamera);
    EXPECT_EQ(sdk.uint32Value(kPropSaveTo), kSaveToCamera);
    EXPECT_FALSE(control->panel().fileFolderEnabled);
    choose(32);
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return !control->isCanonExposing() && !control->isCanonDownloading(); }));
    EXPECT_TRUE(imageFiles().isEmpty());

    control->panel().saveToCameraChecked = false;
    control->canonAction(CanonControl::kTagSaveToCamera);
    EXPECT_TRUE(control->isCanonTestImage());
    EXPECT_EQ(sdk.uint32Value(kPropSaveTo), kSaveToHost);
}

TEST_F(CanonExposureTest, BulbGoesThroughTheCommandsOrTheShutterAdapter)
{
    choose(15);  // 45 s bulb
    expose();
    ASSERT_TRUE(control->isCanonExposing());
    EXPECT_TRUE(sdk.isBulbOpen());
    EXPECT_EQ(commandsSent(kCmdBulbStart), 1);
    control->canonAction(CanonControl::kTagExpose);
    EXPECT_FALSE(sdk.isBulbOpen());
    EXPECT_GE(commandsSent(kCmdBulbEnd), 1);

    FakeShutter shutter;
    control->setShutter(&shutter);
    expose();
    EXPECT_EQ(shutter.opened, 1);
    EXPECT_FALSE(sdk.isBulbOpen()) << "the adapter holds the shutter, not the camera";
    control->canonAction(CanonControl::kTagExpose);
    EXPECT_GE(shutter.closed, 1);
    EXPECT_EQ(commandsSent(kCmdBulbStart), 1);
}

TEST_F(CanonExposureTest, SixtyDWithTheDialOffBulbCannotStartABulbExposure)
{
    control->canonDisconnect();
    sdk.setDescription("Canon EOS 5D Mark II");
    ASSERT_TRUE(connect(14));
    ASSERT_TRUE(control->is60D());
    alerts.alerts.clear();
    sdk.failCommand(kCmdPressShutterButton, kErrInvalidParameter);
    expose();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Start Bulb Exposure error.");
    EXPECT_EQ(alerts.alerts[0].message, "Set mode dial to Bulb.");
    EXPECT_FALSE(control->isCanonExposing());
    EXPECT_EQ(control->panel().expTakenText, " ");
}

TEST_F(CanonExposureTest, MirrorLockupAtTheStartIsRepairedOrReported)
{
    choose(32);
    sdk.setUInt32Value(kPropCustomFunction, kParamMirrorLockup, 1);
    sdk.failCommand(kCmdTakePicture, kErrMirrorUp);
    expose();
    EXPECT_TRUE(control->isCanonExposing());
    EXPECT_EQ(sdk.uint32Value(kPropCustomFunction, kParamMirrorLockup), 0u);
    EXPECT_EQ(commandsSent(kCmdTakePicture), 2);
    control->canonAction(CanonControl::kTagExpose);
    // The aborted exposure's file is let go before the next start.
    ASSERT_TRUE(waitFor([this] { return sdk.cancelledDownloads() == 1; }));

    sdk.failCommand(kCmdTakePicture, kErrMirrorUp);
    sdk.failWrite(kPropCustomFunction, kParamMirrorLockup, kErrDeviceBusy);
    expose();
    EXPECT_FALSE(control->isCanonExposing());
    ASSERT_FALSE(alerts.alerts.empty());
    EXPECT_EQ(alerts.alerts.back().title, "Mirror lockup error.");
    EXPECT_EQ(alerts.alerts.back().message, "Mirror lockup must be turned off.");
}

TEST_F(CanonExposureTest, EachStartErrorHasItsMessage)
{
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0x02, "The problem is probably a configuration mismatch."},
        {0x07, "Fucntion not supported."},
        {0x60, "Invalid parameter error."},
        {0x81, "Camera Busy error."},
        {0x84, "The memory is full."},
        {0x8D01, "Auto focus operation invalid."},
        {0x8D07, "Memory card error."},
        {0x1234, "Please contact Telvisk stating the error code."},
    };
    choose(32);
    for (const auto& [code, message] : cases) {
        alerts.alerts.clear();
        sdk.failCommand(kCmdTakePicture, code);
        expose();
        EXPECT_FALSE(control->isCanonExposing());
        ASSERT_EQ(alerts.alerts.size(), 1u);
        EXPECT_EQ(alerts.alerts[0].title, QString::asprintf("Start exposure error: 0x%04X.", code));
        EXPECT_EQ(alerts.alerts[0].message, message);
    }
}
