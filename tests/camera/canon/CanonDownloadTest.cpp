#include "CanonFixture.h"
#include "support/MainThreadWatchdog.h"

using namespace CanonIds;

namespace {

class CanonDownloadTest : public CanonFixture {
protected:
    void SetUp() override
    {
        CanonFixture::SetUp();
        ASSERT_TRUE(connect(32));
    }
};

}  // namespace

TEST_F(CanonDownloadTest, AFailedDownloadLeavesNoFileAndResetsThePanel)
{
    sdk.failDownloadAfter(3000, kErrInternal, 2);
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return !control->isCanonExposing() && !control->isCanonDownloading(); }));
    ASSERT_TRUE(waitFor([this] { return sdk.openItems() == 0; }));
    EXPECT_EQ(allFiles(), QStringList({"DebugLog.txt"})) << "neither the numbered file nor a temporary one";
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    EXPECT_TRUE(control->panel().expButtonEnabled);
    EXPECT_TRUE(logText().contains("EdsDownload error: 0x0002."));
}

TEST_F(CanonDownloadTest, ADownloadThatFailsOnceIsTriedAgain)
{
    sdk.failDownloadAfter(3000, kErrInternal, 1);
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return imageFiles().size() == 1; }));
    QFile file(images.filePath("Canon Image-001.CR2"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("IMG_0001.CR2").repeated(1000)) << "the whole image, not the first try's part";
}

TEST_F(CanonDownloadTest, ThePauseBeforeTheSecondTryLeavesTheEventLoopRunning)
{
    sdk.failDownloadAfter(3000, kErrInternal, 1);
    MainThreadWatchdog watchdog;
    watchdog.start();
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return imageFiles().size() == 1; }));
    // The pause is half a second; a stall that long means it slept on the main thread.
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(400));
}

TEST_F(CanonDownloadTest, ACameraThatWillNotLetGoOfTheImageIsAskedOnceMoreAfterAPause)
{
    using Call = SimulatedCanonSdk::Call;
    sdk.failCall(Call::DownloadComplete, kErrDeviceBusy, 2);
    MainThreadWatchdog watchdog;
    watchdog.start();
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return imageFiles().size() == 1; }));
    EXPECT_TRUE(control->isCanonDownloading()) << "the image is kept while the camera is asked again";
    ASSERT_TRUE(waitFor([this] { return !control->isCanonDownloading(); }));
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(400)) << "the pause is not slept on the main thread";
    EXPECT_EQ(sdk.callCount(Call::DownloadComplete), 2) << "once more, then the download ends all the same";
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    EXPECT_TRUE(control->isNewExposeImage());
    ASSERT_TRUE(waitFor([this] { return sdk.openItems() == 0; })) << "the item is let go after the camera's answer";
}

TEST_F(CanonDownloadTest, TheBaseNameComesFromTheSettingsOrTheDialog)
{
    prefs->setCanonImageFile(" ");
    control->canonDisconnect();
    ASSERT_TRUE(connect(32));
    sdk.queueFile({"shot.jpg", "jpeg bytes"});
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return !control->canonFilePath().isEmpty(); }));
    EXPECT_TRUE(control->canonFilePath().endsWith("/Misc/Canon Image-001.jpg"));

    CanonControl::BaseNameRequest asked;
    control->setChooseBaseName([&](const CanonControl::BaseNameRequest& request) {
        asked = request;
        return images.filePath("M31/Andromeda");
    });
    control->canonAction(CanonControl::kTagFileFolder);
    EXPECT_EQ(asked.title, "Save Image File Name");
    EXPECT_EQ(asked.message, "Enter the image file name without an extension.");
    EXPECT_EQ(asked.name, "Canon Image");
    EXPECT_EQ(prefs->canonImageFile(), images.filePath("M31/Andromeda"));
    EXPECT_EQ(control->panel().fileFolderToolTip, "Image Path: " + images.filePath("M31/Andromeda"));

    control->canonAction(CanonControl::kTagFileFolder);
    EXPECT_EQ(asked.name, "Andromeda") << "the dialog starts on the current base";
    EXPECT_EQ(asked.folder, images.filePath("M31"));
}

TEST_F(CanonDownloadTest, NumbersStopAtTheLastSixteenBitNumber)
{
    const QString base = images.filePath("Canon Image");
    for (int i = 1; i <= 65535; ++i) {
        QFile file(base + QString::asprintf("-%03d.CR2", i));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    expose();
    now += 6;
    ASSERT_TRUE(waitFor([this] { return !control->isCanonExposing() && !control->isCanonDownloading(); }));
    ASSERT_TRUE(waitFor([this] { return sdk.openItems() == 0; }));
    EXPECT_FALSE(QFileInfo::exists(base + "-65536.CR2"));
    EXPECT_EQ(control->panel().expButtonTitle, "Expose");
    EXPECT_TRUE(logText().contains("every file number up to 65535 is taken"));
}
