#include "camera/allsky/AllSkyMovie.h"
#include "camera/movie/KilledRecording.h"
#include "camera/movie/MovieJob.h"
#include "camera/movie/MovieReader.h"
#include "camera/movie/NoisyFrame.h"
#include "support/FileSizeLimit.h"
#include "support/RecordingAlertPresenter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class AllSkyMovieTest : public ::testing::Test {
protected:
    QString base() const { return dir.filePath("Night"); }

    QTemporaryDir dir;
    ScopedAlertRecorder alerts;
    AllSkyMovie movie{DebugWriter()};
};

}  // namespace

TEST_F(AllSkyMovieTest, AFullDiskEndsTheMovieWithTheReasonAndKeepsItsFrames)
{
    int offered = 0;
    {
        const FileSizeLimit limit(48 * 1024);
        for (; offered < 100 && alerts.alerts.empty(); ++offered)
            movie.allSkyRecordMovie(noisyFrame(offered), base());
    }
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, MovieJob::kWriteError);
    EXPECT_TRUE(alerts.alerts[0].message.contains("Night-1.mov")) << alerts.alerts[0].message.toStdString();
    EXPECT_TRUE(alerts.alerts[0].message.contains("File too large")) << alerts.alerts[0].message.toStdString();
    EXPECT_FALSE(movie.isAllSkyRecording());
    const MovieContents written = MovieContents::read(dir.filePath("Night-1.mov"));
    ASSERT_TRUE(written.opened);
    // Every frame but the one that failed.
    EXPECT_EQ(written.durations.size(), std::size_t(offered - 1));
    EXPECT_GT(written.durations.size(), 1u);

    // Until the movie is stopped no frame starts a new one, nor a new alert.
    movie.allSkyRecordMovie(noisyFrame(1), base());
    EXPECT_FALSE(QFile::exists(dir.filePath("Night-2.mov")));
    EXPECT_EQ(alerts.alerts.size(), 1u);
    movie.allSkyMovieStop();
    movie.allSkyRecordMovie(noisyFrame(2), base());
    movie.allSkyMovieStop();
    EXPECT_EQ(MovieContents::read(dir.filePath("Night-2.mov")).durations.size(), 1u);
    EXPECT_EQ(alerts.alerts.size(), 1u);
}

// Run only as the child of the next test.
TEST_F(AllSkyMovieTest, DISABLED_RecordsUntilKilled)
{
    ASSERT_FALSE(KilledRecording::folder().isEmpty());
    for (int i = 0; i < KilledRecording::kFrames; ++i)
        movie.allSkyRecordMovie(noisyFrame(i), KilledRecording::folder() + "/Night");
    ASSERT_TRUE(alerts.alerts.empty());
    KilledRecording::die();
}

TEST_F(AllSkyMovieTest, AKilledRecordingLeavesItsMovieUnderItsName)
{
    ASSERT_TRUE(KilledRecording::run("AllSkyMovieTest.DISABLED_RecordsUntilKilled", dir.path()));
    const MovieContents written = MovieContents::read(dir.filePath("Night-1.mov"));
    ASSERT_TRUE(written.opened);
    EXPECT_GE(written.durations.size(), std::size_t(KilledRecording::kFrames - 1));
}
