#include "FakeFrameSource.h"
#include "camera/movie/KilledRecording.h"
#include "camera/movie/MovieReader.h"
#include "camera/movie/NoisyFrame.h"

#include "camera/webcam/WebCamController.h"
#include "camera/webcam/WebcamView.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

namespace {

QImage flat(int seed)
{
    QImage frame(64, 48, QImage::Format_RGB32);
    frame.fill(qRgb(seed * 20 % 256, 40, 90));
    return frame;
}

struct RecordingView final : WebcamView {
    std::vector<double> progress;
    bool recording = false;
    bool hasCamera = false;
    quint32 count = 0;
    QString title;
    void setDeviceItems(const QList<WebcamDeviceList::Item>&) override {}
    void selectDeviceTag(int) override {}
    void setSizeText(const QString&) override {}
    void setFrequencyText(const QString&) override {}
    void setDarkCheckbox(bool, bool) override {}
    void setAddCheckbox(bool) override {}
    void showAdjustments(const ColorAdjust::Values&, float) override {}
    void showFrame(const QImage&) override {}
    void setRecordingControls(bool on) override { recording = on; }
    void setCameraControls(bool on) override { hasCamera = on; }
    void setFrameCount(quint32 n) override { count = n; }
    void setProgress(bool indeterminate, double percent) override { progress.push_back(indeterminate ? -1 : percent); }
    void setMovieNameTitle(const QString& text) override { title = text; }
};

class WebcamRecordingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(movies.isValid());
        controller.setView(&view);
        ASSERT_TRUE(controller.webcamStartup());
    }

    // Shows one frame and lets its movie job, and the finishing of a movie
    // it ended, run to their ends.
    void showFrame(int seed = 0) { showImage(flat(seed)); }
    void showImage(const QImage& frame)
    {
        source.play(frame);
        settle();
        settle();
    }
    // Lets the job in flight end and its result arrive.
    void settle()
    {
        recorder().waitForFrame();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
    void stop()
    {
        ASSERT_TRUE(controller.stopRecording());
        settle();
    }

    QString movie(const char* name) const { return movies.filePath(QString::fromLatin1(name)); }
    WebcamRecorder& recorder() { return controller.recorder(); }

    QTemporaryDir movies;
    FakeFrameSource source;
    RecordingView view;
    WebCamController controller{source, DebugWriter(), QString(), movies.path() + "/"};
    ScopedAlertRecorder alerts;
};

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

}  // namespace

TEST(WebcamRecordingDuration, SixHundredDividedByTheRoundedRate)
{
    EXPECT_EQ(MovieJob::frameDuration(30.0f), 20);
    EXPECT_EQ(MovieJob::frameDuration(25.3f), 24);
    EXPECT_EQ(MovieJob::frameDuration(6.6f), 85);
    // Below half a frame per second the rounded rate would be 0: counted as 1.
    EXPECT_EQ(MovieJob::frameDuration(0.3f), 600);
    EXPECT_EQ(MovieJob::frameDuration(0.0f), 600);
    // Frames handed over faster than 600 a second still last one unit.
    EXPECT_EQ(MovieJob::frameDuration(5000.0f), 1);
}

TEST_F(WebcamRecordingTest, NewMoviesTakeTheFirstFreeNumberAndNeverOverwrite)
{
    touch(movie("WebcamMovie.mov"));
    touch(movie("WebcamMovie-1.mov"));
    ASSERT_TRUE(controller.startRecording(0));
    EXPECT_EQ(recorder().moviePath(), movie("WebcamMovie-2.mov"));
    showFrame();
    stop();
    EXPECT_EQ(QFileInfo(movie("WebcamMovie.mov")).size(), 0);
    EXPECT_EQ(MovieContents::read(movie("WebcamMovie-2.mov")).durations.size(), 1u);

    QFile::remove(movie("WebcamMovie-1.mov"));
    controller.disconnect();
    ASSERT_TRUE(controller.webcamStartup());
    ASSERT_TRUE(controller.startRecording(0));
    EXPECT_EQ(recorder().moviePath(), movie("WebcamMovie-1.mov"));
    controller.stopRecording();
}

TEST_F(WebcamRecordingTest, WhenEveryNameIsTakenRecordingDoesNotStart)
{
    touch(movie("WebcamMovie.mov"));
    for (int n = 1; n <= MovieJob::kMaxNumbered; ++n)
        touch(movies.filePath(QStringLiteral("WebcamMovie-%1.mov").arg(n)));
    EXPECT_FALSE(controller.startRecording(0));
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, WebcamRecorder::kStartError);
    EXPECT_EQ(alerts.alerts[0].message, WebcamRecorder::kCreateError);
    EXPECT_FALSE(recorder().isRecording());
    EXPECT_FALSE(view.recording);
}

TEST_F(WebcamRecordingTest, AFrameLimitStopsByItselfAfterTheLastFrame)
{
    ASSERT_TRUE(controller.startRecording(10));
    EXPECT_TRUE(view.recording);
    for (int i = 1; i <= 9; ++i)
        showFrame(i);
    EXPECT_EQ(view.count, 9u);
    EXPECT_DOUBLE_EQ(view.progress.back(), 90.0);
    EXPECT_TRUE(recorder().isRecording());
    showFrame(10);
    EXPECT_FALSE(recorder().isRecording());
    EXPECT_FALSE(view.recording);
    EXPECT_EQ(view.count, 10u);
    EXPECT_DOUBLE_EQ(view.progress.back(), 0.0);
    showFrame(11);
    const MovieContents written = MovieContents::read(movie("WebcamMovie.mov"));
    ASSERT_EQ(written.durations.size(), 10u);
    // The first frame is shown at the starting rate of one per second.
    EXPECT_EQ(written.durations.front(), 600);
}

TEST_F(WebcamRecordingTest, NoFramesAreWrittenWhileTheNameDialogIsOpen)
{
    ASSERT_TRUE(controller.startRecording(0));
    showFrame(1);
    recorder().beginMovieName();
    showFrame(2);
    showFrame(3);
    EXPECT_EQ(recorder().frameCount(), 1u);
    recorder().endMovieName(std::nullopt);
    showFrame(4);
    EXPECT_EQ(recorder().frameCount(), 2u);
    EXPECT_TRUE(recorder().isRecording());
    stop();
    EXPECT_EQ(MovieContents::read(movie("WebcamMovie.mov")).durations.size(), 2u);

    // A name chosen in the dialog is the next movie's.
    recorder().beginMovieName();
    recorder().endMovieName(movies.filePath("Jupiter.mov"));
    EXPECT_EQ(view.title, "Jupiter");
    EXPECT_EQ(recorder().moviePath(), movie("Jupiter.mov"));
    EXPECT_FALSE(recorder().isPause());
}

TEST_F(WebcamRecordingTest, DisconnectingMidRecordingLeavesAPlayableMovie)
{
    controller.evControl(WebCamController::kCodec, 2);
    ASSERT_TRUE(controller.startRecording(0));
    for (int i = 0; i < 4; ++i)
        showFrame(i);
    controller.disconnect();
    EXPECT_FALSE(recorder().isRecording());
    settle();
    const MovieContents written = MovieContents::read(movie("WebcamMovie.mov"));
    EXPECT_EQ(written.tag, "raw ");
    EXPECT_EQ(written.durations.size(), 4u);
    EXPECT_EQ(written.firstFrame.pixel(3, 3), qRgb(0, 40, 90));
}

TEST_F(WebcamRecordingTest, ThePopUpsChooseCodecAndQualityByTag)
{
    const std::vector<std::pair<int, const char*>> codecs{{1, "jpeg"}, {2, "raw "}, {3, "tiff"}, {4, "SVQ3"},
                                                          {5, "mjp2"}, {6, "yuv2"}, {7, "h263"}, {8, "rpza"},
                                                          {9, "mjpa"}, {42, "jpeg"}};
    for (const auto& [tag, name] : codecs) {
        controller.evControl(WebCamController::kCodec, tag);
        EXPECT_EQ(recorder().codecStr(), QLatin1String(name)) << tag;
    }
    const std::vector<std::pair<int, int>> qualities{{1, 1024}, {2, 1023}, {3, 768}, {4, 512}, {5, 256}, {0, 1024}};
    for (const auto& [tag, quality] : qualities) {
        controller.evControl(WebCamController::kQuality, tag);
        EXPECT_EQ(recorder().quality(), quality) << tag;
    }
}

TEST_F(WebcamRecordingTest, StopFinishesTheMovieOffTheMainThreadAndThenTellsTheWindow)
{
    ASSERT_TRUE(controller.startRecording(0));
    showFrame(1);
    ASSERT_TRUE(controller.stopRecording());
    EXPECT_FALSE(recorder().isRecording());
    EXPECT_TRUE(recorder().isFinishing());
    EXPECT_TRUE(view.recording) << "the controls wait for the finished movie";
    EXPECT_FALSE(controller.stopRecording()) << "a second Stop has nothing to stop";
    settle();
    EXPECT_FALSE(recorder().isFinishing());
    EXPECT_FALSE(view.recording);
    EXPECT_EQ(MovieContents::read(movie("WebcamMovie.mov")).durations.size(), 1u);

    // Stopped before its first frame, a movie is no file and no loss.
    ASSERT_TRUE(controller.startRecording(0));
    stop();
    EXPECT_FALSE(QFile::exists(movie("WebcamMovie-1.mov")));
    EXPECT_TRUE(alerts.alerts.empty());
}

// Run only as the child of the next test.
TEST_F(WebcamRecordingTest, DISABLED_RecordsUntilKilled)
{
    ASSERT_FALSE(KilledRecording::folder().isEmpty());
    recorder().endMovieName(KilledRecording::folder() + "/Killed");
    ASSERT_TRUE(controller.startRecording(0));
    for (int i = 0; i < KilledRecording::kFrames; ++i)
        showImage(noisyFrame(i));
    ASSERT_EQ(recorder().frameCount(), quint32(KilledRecording::kFrames));
    KilledRecording::die();
}

TEST_F(WebcamRecordingTest, AKilledRecordingLeavesItsMovieUnderItsName)
{
    ASSERT_TRUE(KilledRecording::run("WebcamRecordingTest.DISABLED_RecordsUntilKilled", movies.path()));
    const MovieContents written = MovieContents::read(movie("Killed.mov"));
    ASSERT_TRUE(written.opened);
    EXPECT_GE(written.durations.size(), std::size_t(KilledRecording::kFrames - 1));
    EXPECT_FALSE(written.firstFrame.isNull());
}
