#include "AllSkyTestFrame.h"
#include "FakeAllSkyCamera.h"

#include "camera/allsky/AllSkyPicture.h"
#include "camera/allsky/AllSkySession.h"
#include "camera/movie/MovieReader.h"
#include "support/RecordingAlertPresenter.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class AllSkySessionTest : public ::testing::Test {
protected:
    AllSkySessionTest() { camera.schedule = &session.schedule(); }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
    ScopedAlertRecorder alerts;
    ManualAllSkyClock clock;
    FakeAllSkyCamera camera{clock};
    AllSkySession session{camera, clock, nullptr, dir.path(), DebugWriter()};
};

TEST_F(AllSkySessionTest, PlacementsOfTheModes)
{
    AllSkyFrame sub = allSkyTestFrame(AllSkyFrame::kSubFrameMode);
    sub.subFrameSize = 20;
    sub.subFrameX = 300;
    sub.subFrameY = 100;
    const auto subPlace = AllSkyPicture::placement(sub);
    ASSERT_TRUE(subPlace);
    EXPECT_EQ(subPlace->point, QPointF(290, 350));
    EXPECT_EQ(subPlace->source, QRectF(0, 0, 40, 40));
    EXPECT_EQ(AllSkyPicture::process(sub, 0, nullptr).size(), QSize(40, 40));
    const auto crop = AllSkyPicture::placement(allSkyTestFrame(AllSkyFrame::kCropMode));
    EXPECT_EQ(crop->point, QPointF(64, 0));
    EXPECT_EQ(AllSkyPicture::process(allSkyTestFrame(AllSkyFrame::kBinnedMode), 0, nullptr).size(), QSize(640, 480));
    AllSkyFrame odd = allSkyTestFrame();
    odd.readOutMode = 7;
    EXPECT_FALSE(AllSkyPicture::placement(odd));
    EXPECT_TRUE(AllSkyPicture::process(odd, 0, nullptr).isNull());
}

TEST_F(AllSkySessionTest, ExposureInStopsScalesTheGreyLevels)
{
    AllSkyFrame frame = allSkyTestFrame();
    frame.pixels[0] = 4096;
    EXPECT_EQ(qGray(AllSkyPicture::process(frame, 0, nullptr).pixel(0, 0)), 16);
    EXPECT_EQ(qGray(AllSkyPicture::process(frame, 2, nullptr).pixel(0, 0)), 64);
    EXPECT_EQ(qGray(AllSkyPicture::process(frame, 8, nullptr).pixel(0, 0)), 255);
}

TEST_F(AllSkySessionTest, FitsTurnsStampAndMovieOffAndTiffAllowsThemAgain)
{
    QSignalSpy allowed(&session, &AllSkySession::stampAllowedChanged);
    session.setIsAllSkyText(true);
    session.setIsAllSkyMovie(true);
    session.setFileFormat(AllSkyFiles::Format::Fits);
    EXPECT_FALSE(session.stamp().isText());
    EXPECT_FALSE(session.isAllSkyMovie());
    session.setFileFormat(AllSkyFiles::Format::Tiff);
    ASSERT_EQ(allowed.count(), 2);
    EXPECT_FALSE(allowed.at(0).at(0).toBool());
    EXPECT_TRUE(allowed.at(1).at(0).toBool());
    EXPECT_FALSE(session.stamp().isText());
    session.imageDownloaded(allSkyTestFrame());
    EXPECT_EQ(files(), QStringList{"AllSkyImage(Light)-1.tiff"});
}

TEST_F(AllSkySessionTest, SavedImagesWithStampGoIntoTheMovie)
{
    session.setFileFormat(AllSkyFiles::Format::Tiff);
    session.allSkyTextSetup(QFont(QStringLiteral("Sans"), 14), Qt::white);
    session.setIsAllSkyText(true);
    session.setIsAllSkyMovie(true);
    session.movie().setAllSkyMovieFPS(25);
    for (int i = 0; i < 3; ++i)
        session.imageDownloaded(allSkyTestFrame(AllSkyFrame::kFullMode, AllSkyFrame::kLightType, 0));
    // The stamp is in the picture that is shown, saved and recorded.
    const QImage& shown = session.allSkyCIImage();
    int lit = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            lit += qGray(shown.pixel(x, y)) > 0;
    EXPECT_GT(lit, 20);
    session.movie().allSkyMovieStop();
    EXPECT_EQ(files(), (QStringList{"AllSkyImage(Light)-1.tiff", "AllSkyImage(Light)-2.tiff",
                                    "AllSkyImage(Light)-3.tiff", "AllSkyImage-1.mov"}));
    const MovieContents movie = MovieContents::read(dir.filePath("AllSkyImage-1.mov"));
    EXPECT_EQ(movie.tag, "jpeg");
    EXPECT_EQ(movie.durations, std::vector<long long>(3, 24));
    // The next movie takes the next number.
    session.imageDownloaded(allSkyTestFrame());
    session.movie().allSkyMovieStop();
    EXPECT_TRUE(QFile::exists(dir.filePath("AllSkyImage-2.mov")));
}

TEST_F(AllSkySessionTest, FrameDurationsAreRoundedNotTruncated)
{
    EXPECT_EQ(AllSkyMovie::frameDuration(30), 20);
    EXPECT_EQ(AllSkyMovie::frameDuration(25), 24);
    EXPECT_EQ(AllSkyMovie::frameDuration(7), 86);
    EXPECT_EQ(AllSkyMovie::frameDuration(5000), 1);
    EXPECT_EQ(AllSkyMovie::frameDuration(0), 600);
    AllSkyMovie movie{DebugWriter()};
    movie.allSkySetMovieDict(0, 768);
    const QImage frame = AllSkyPicture::process(allSkyTestFrame(), 4, nullptr);
    movie.allSkyRecordMovie(frame, dir.filePath("Night"));
    movie.allSkyRecordMovie(frame, dir.filePath("Night"));
    movie.allSkyMovieStop();
    EXPECT_EQ(MovieContents::read(dir.filePath("Night-1.mov")).durations, (std::vector<long long>{20, 20}));
}

TEST_F(AllSkySessionTest, ScheduleDarkFramesAreShownButNotSaved)
{
    session.setFileFormat(AllSkyFiles::Format::Fits);
    session.schedule().setExposureSeconds(5);
    session.schedule().setExpSchedule(60);
    session.schedule().setDarkSchedule(600);
    session.schedule().runAction();
    ASSERT_TRUE(session.schedule().isExpBlock());
    session.imageDownloaded(allSkyTestFrame(AllSkyFrame::kFullMode, AllSkyFrame::kDarkType));
    EXPECT_TRUE(session.frame().has_value());
    EXPECT_TRUE(files().isEmpty());
    session.imageDownloaded(allSkyTestFrame());
    EXPECT_EQ(files(), QStringList{"AllSkyImage(Light)-1.fits"});
}

TEST_F(AllSkySessionTest, FailedSaveShowsTheAlert)
{
    session.setFileFormat(AllSkyFiles::Format::Tiff);
    session.files().setPath(dir.filePath("file/AllSkyImage"));
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    session.imageDownloaded(allSkyTestFrame(AllSkyFrame::kSubFrameMode));
    EXPECT_TRUE(alerts.alerts.empty()) << "a sub-frame is not saved, which is no failure";
    session.imageDownloaded(allSkyTestFrame());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Image save file failed.");
}

TEST_F(AllSkySessionTest, MovieThatCannotBeMadeIsReportedOnce)
{
    session.files().setPath(dir.filePath("file/AllSkyImage"));
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    session.imageDownloaded(allSkyTestFrame());
    session.allSkyRecordMovie();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Start Recording error");
    EXPECT_EQ(alerts.alerts[0].message, "Unable to create AllSky movie.");
    EXPECT_FALSE(session.movie().isAllSkyRecording());
}

}  // namespace
