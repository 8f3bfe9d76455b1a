#include "CanonFixture.h"
#include "camera/movie/KilledRecording.h"
#include "camera/movie/MovieJob.h"
#include "camera/movie/MovieReader.h"
#include "camera/movie/NoisyFrame.h"
#include "support/FileSizeLimit.h"
#include "platform/DataPaths.h"

#include <QCoreApplication>
#include <QSet>

#include <vector>

namespace {

class CanonMovieTest : public CanonFixture {
protected:
    void SetUp() override
    {
        CanonFixture::SetUp();
        prefs->setCanonMovieFile(images.filePath("Canon Movie"));
        sdk.setEvfFrame("frame");
        control->setMicroClock([this] { return micros; });
        ASSERT_TRUE(connect());
        control->panel().focusChecked = true;
        control->canonAction(CanonControl::kTagFocusCheck);
        ASSERT_TRUE(waitFor([this] { return control->isCanonLiveView(); }));
    }
    void record(const char* limit)
    {
        control->panel().movieFramesText = QString::fromLatin1(limit);
        control->canonAction(CanonControl::kTagRecord);
    }
    // One shown frame `ms` after the last; its encoding job ends before this returns.
    void show(int ms, int seed = 0)
    {
        QImage frame(96, 64, QImage::Format_RGB32);
        frame.fill(qRgb(seed * 23 % 256, 60, 120));
        showImage(ms, frame);
    }
    void showImage(int ms, const QImage& frame)
    {
        micros += ms * 1000;
        control->recordCanonMovie(frame);
        settle();
        // A movie the frame ended is finished by a job of its own.
        settle();
    }
    // Lets the movie's job in flight (a frame's or the finishing one) end and its result arrive.
    void settle()
    {
        control->waitForMovieFrame();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    }
    QString movie(const char* name) const { return images.filePath(QString::fromLatin1(name)); }

    std::int64_t micros = 5'000'000;
};

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

}  // namespace

TEST_F(CanonMovieTest, ALimitOfTenGivesTenFramesTimedByTheSmoothedRate)
{
    control->panel().movieQualityRow = 1;
    control->canonAction(CanonControl::kTagMovieQuality);
    record("10");
    ASSERT_TRUE(control->isCanonMovieRecording());
    EXPECT_EQ(control->panel().recordTitle, "Stop");
    EXPECT_FALSE(control->panel().expButtonEnabled);
    EXPECT_FALSE(control->panel().progressIndeterminate);
    show(0, 0);
    for (int i = 1; i <= 5; ++i)
        show(50, i);
    EXPECT_EQ(control->panel().movieFPSText, "20.0 fps");
    EXPECT_DOUBLE_EQ(control->panel().progress, 60.0);
    for (int i = 6; i <= 9; ++i)
        show(100, i);
    EXPECT_FALSE(control->isCanonMovieRecording()) << "stopped at the limit, not one frame later";
    EXPECT_EQ(control->canonNumMovieFramesTaken(), 10u);
    show(100, 10);

    const MovieContents contents = MovieContents::read(movie("Canon Movie.mov"));
    ASSERT_TRUE(contents.opened);
    EXPECT_EQ(contents.tag, "tiff");
    EXPECT_EQ(contents.timeBase, 600);
    // 0.2 s first; 20 fps; then the rate halves its way towards 10 fps.
    EXPECT_EQ(contents.durations, (std::vector<long long>{120, 30, 30, 30, 30, 30, 40, 46, 54, 54}));
    EXPECT_EQ(control->panel().recordTitle, "Record");
    EXPECT_TRUE(control->panel().expButtonEnabled);
    EXPECT_EQ(control->panel().expTakenText, " ");
    EXPECT_EQ(control->panel().movieFPSText, " ");
}

TEST_F(CanonMovieTest, NumberedNamesFollowAnExistingMovieAndTheRateCarriesOver)
{
    touch(movie("Canon Movie.mov"));
    record("2");
    show(0, 1);
    show(100, 2);
    EXPECT_FALSE(control->isCanonMovieRecording());
    EXPECT_EQ(control->canonMoviePath(), movie("Canon Movie-001.mov"));

    // Without a limit the recording runs until the button; the first frame
    // takes the rate measured so far, the pause included.
    record("0");
    EXPECT_TRUE(control->panel().progressIndeterminate);
    show(900, 3);
    show(100, 4);
    show(100, 5);
    EXPECT_TRUE(control->isCanonMovieRecording());
    record("0");
    EXPECT_FALSE(control->isCanonMovieRecording());
    EXPECT_EQ(control->canonMoviePath(), movie("Canon Movie-002.mov"));
    settle();

    const MovieContents first = MovieContents::read(movie("Canon Movie-001.mov"));
    EXPECT_EQ(first.tag, "avc1");
    EXPECT_EQ(first.durations, (std::vector<long long>{120, 60}));
    const MovieContents second = MovieContents::read(movie("Canon Movie-002.mov"));
    // 0.5 x 10 + 0.5 / 1 s = 5.5 -> 6 fps, then 7.75 -> 8, then 8.875 -> 9.
    EXPECT_EQ(second.durations, (std::vector<long long>{100, 75, 66}));
}

TEST_F(CanonMovieTest, AMovieThatCannotBeCreatedShowsTheAlertAndLeavesNothing)
{
    touch(images.filePath("blocker"));
    control->panel().movieFramesText = "0";
    prefs->setCanonMovieFile(images.filePath("blocker/Canon Movie"));
    control->canonDisconnect();
    ASSERT_TRUE(connect());
    control->panel().focusChecked = true;
    control->canonAction(CanonControl::kTagFocusCheck);
    ASSERT_TRUE(waitFor([this] { return control->isCanonLiveView(); }));
    const QStringList before = allFiles();

    record("5");
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Start Recording error");
    EXPECT_EQ(alerts.alerts[0].message, "Unable to create movie.");
    EXPECT_FALSE(control->isCanonMovieRecording());
    EXPECT_EQ(control->panel().recordTitle, "Record") << "the button must not offer to stop a movie that never began";
    EXPECT_TRUE(control->panel().expButtonEnabled);
    show(50);
    EXPECT_EQ(control->canonNumMovieFramesTaken(), 0u);
    EXPECT_EQ(allFiles(), before);
}

TEST_F(CanonMovieTest, WithoutAChosenNameTheDialogIsAskedAndMiscIsTheFallback)
{
    prefs->setCanonMovieFile(QStringLiteral(" "));
    control->canonDisconnect();
    ASSERT_TRUE(connect());
    control->panel().focusChecked = true;
    control->canonAction(CanonControl::kTagFocusCheck);
    ASSERT_TRUE(waitFor([this] { return control->isCanonLiveView(); }));
    CanonControl::BaseNameRequest asked;
    control->setChooseBaseName([&](const CanonControl::BaseNameRequest& request) {
        asked = request;
        return QString();
    });

    record("0");
    EXPECT_EQ(asked.title, "Save Movie Name");
    EXPECT_EQ(asked.message, "Enter the movie name without an extension.");
    EXPECT_EQ(asked.name, "Canon Movie");
    ASSERT_TRUE(control->isCanonMovieRecording());
    EXPECT_EQ(control->canonMoviePath(), DataPaths::userDataFolder() + "/Misc/Canon Movie.mov");

    // Switching live view off ends the movie with the frames it has.
    show(0, 1);
    control->panel().focusChecked = false;
    control->canonAction(CanonControl::kTagFocusCheck);
    EXPECT_FALSE(control->isCanonMovieRecording());
    settle();
    EXPECT_EQ(MovieContents::read(control->canonMoviePath()).durations.size(), 1u);

    control->setChooseBaseName([&](const CanonControl::BaseNameRequest&) { return images.filePath("Night"); });
    control->canonAction(CanonControl::kTagMovieFolder);
    EXPECT_EQ(prefs->canonMovieFile(), images.filePath("Night"));
    EXPECT_EQ(control->panel().movieFolderToolTip, "Movie Path: " + images.filePath("Night"));
    // The next choice starts from the last.
    control->setChooseBaseName([&](const CanonControl::BaseNameRequest& request) {
        asked = request;
        return QString();
    });
    control->canonAction(CanonControl::kTagMovieFolder);
    EXPECT_EQ(asked.folder, QFileInfo(images.path()).absoluteFilePath());
    EXPECT_EQ(asked.name, "Night");
    EXPECT_EQ(prefs->canonMovieFile(), images.filePath("Night")) << "a cancelled dialog keeps the name";
}

TEST_F(CanonMovieTest, AFullDiskStopsTheMovieWithTheReasonAndKeepsItsFrames)
{
    record("0");
    ASSERT_TRUE(control->isCanonMovieRecording());
    {
        const FileSizeLimit limit(48 * 1024);
        for (int i = 0; i < 100 && control->isCanonMovieRecording(); ++i)
            showImage(100, noisyFrame(i));
    }
    EXPECT_FALSE(control->isCanonMovieRecording());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, MovieJob::kWriteError);
    EXPECT_TRUE(alerts.alerts[0].message.contains("Canon Movie.mov")) << alerts.alerts[0].message.toStdString();
    EXPECT_TRUE(alerts.alerts[0].message.contains("File too large")) << alerts.alerts[0].message.toStdString();
    EXPECT_EQ(control->panel().recordTitle, "Record");
    EXPECT_TRUE(control->panel().expButtonEnabled);
    const std::uint32_t taken = control->canonNumMovieFramesTaken();
    EXPECT_GT(taken, 1u);
    const MovieContents written = MovieContents::read(movie("Canon Movie.mov"));
    ASSERT_TRUE(written.opened);
    EXPECT_EQ(written.durations.size(), taken);
}

// Run only as the child of the next test.
TEST_F(CanonMovieTest, DISABLED_RecordsUntilKilled)
{
    ASSERT_FALSE(KilledRecording::folder().isEmpty());
    control->setChooseBaseName(
        [](const CanonControl::BaseNameRequest&) { return KilledRecording::folder() + "/Canon Movie"; });
    control->canonAction(CanonControl::kTagMovieFolder);
    record("0");
    ASSERT_TRUE(control->isCanonMovieRecording());
    for (int i = 0; i < KilledRecording::kFrames; ++i)
        showImage(100, noisyFrame(i));
    ASSERT_EQ(control->canonNumMovieFramesTaken(), std::uint32_t(KilledRecording::kFrames));
    KilledRecording::die();
}

TEST_F(CanonMovieTest, AKilledRecordingLeavesItsMovieUnderItsName)
{
    ASSERT_TRUE(KilledRecording::run("CanonMovieTest.DISABLED_RecordsUntilKilled", images.path()));
    const MovieContents written = MovieContents::read(movie("Canon Movie.mov"));
    ASSERT_TRUE(written.opened);
    EXPECT_EQ(written.tag, "avc1");
    EXPECT_GE(written.durations.size(), std::size_t(KilledRecording::kFrames - 1));
}
