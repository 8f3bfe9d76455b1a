#include "camera/movie/MovieReader.h"
#include "camera/movie/MovieWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <vector>

namespace {

QImage pattern(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + seed) & 0xff, (y * 5 + seed) & 0xff, (x ^ y) & 0xff));
    return image;
}

class MovieWriterTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }

    // A movie of `count` frames of `size`, each `duration` / 600 s long.
    MovieContents write(const QString& codec, QSize size, int count, int duration, int quality = 1024)
    {
        MovieWriter writer;
        const QString file = path(QStringLiteral("movie.mov"));
        QFile::remove(file);
        EXPECT_TRUE(writer.create(file, codec, quality)) << writer.error().toStdString();
        for (int i = 0; i < count; ++i)
            EXPECT_TRUE(writer.addFrame(pattern(size.width(), size.height(), i), duration))
                << writer.error().toStdString();
        used = writer.codec();
        EXPECT_TRUE(writer.finish()) << writer.error().toStdString();
        return MovieContents::read(file);
    }

    QTemporaryDir folder;
    MovieCodec used = MovieCodec::fallback();
};

}  // namespace

TEST_F(MovieWriterTest, EachFrameKeepsItsOwnDurationInSixHundredths)
{
    for (const int duration : {20, 24, 85}) {
        const MovieContents movie = write(QStringLiteral("jpeg"), {64, 48}, 5, duration);
        ASSERT_TRUE(movie.opened);
        EXPECT_TRUE(movie.container.startsWith(QLatin1String("mov"))) << movie.container.toStdString();
        EXPECT_EQ(movie.timeBase, MovieWriter::kTimeScale);
        EXPECT_EQ(movie.durations, std::vector<long long>(5, duration));
    }
    // Mixed durations, as a changing frame rate gives.
    MovieWriter writer;
    ASSERT_TRUE(writer.create(path("mixed.mov"), QStringLiteral("avc1"), 512));
    for (const int duration : {20, 24, 85, 20})
        ASSERT_TRUE(writer.addFrame(pattern(64, 48, duration), duration));
    ASSERT_TRUE(writer.finish());
    EXPECT_EQ(MovieContents::read(path("mixed.mov")).durations, (std::vector<long long>{20, 24, 85, 20}));
}

TEST_F(MovieWriterTest, EachCodecNameIsWrittenWithItsTagOrTheNearestThatWorks)
{
    const struct {
        const char* name;
        QSize size;
        const char* tag;
        const char* encoder;
    } cases[] = {
        {"jpeg", {64, 48}, "jpeg", "mjpeg"},     {"mjpa", {64, 48}, "mjpa", "mjpeg"},
        {"raw ", {64, 48}, "raw ", "rawvideo"},  {"yuv2", {64, 48}, "yuv2", "rawvideo"},
        {"tiff", {64, 48}, "tiff", "tiff"},      {"mjp2", {64, 48}, "mjp2", "jpeg2000"},
        {"rpza", {64, 48}, "rpza", "rpza"},      {"h263", {176, 144}, "h263", "h263"},
        {"h263", {640, 480}, "h263", "h263p"},   {"SVQ3", {64, 48}, "SVQ1", "svq1"},
        {"avc1", {64, 48}, "avc1", "libx264"},   {"none", {64, 48}, "jpeg", "mjpeg"},
    };
    for (const auto& c : cases) {
        const MovieContents movie = write(QString::fromLatin1(c.name), c.size, 3, 20);
        ASSERT_TRUE(movie.opened) << c.name;
        EXPECT_EQ(movie.tag, QLatin1String(c.tag)) << c.name;
        EXPECT_STREQ(used.encoder, c.encoder) << c.name;
        EXPECT_EQ(movie.durations.size(), 3u) << c.name;
        EXPECT_EQ(movie.firstFrame.size(), c.size) << c.name;
    }
}

TEST_F(MovieWriterTest, RawFramesDecodeBackToTheSourcePixels)
{
    const MovieContents movie = write(QStringLiteral("raw "), {40, 30}, 2, 20);
    ASSERT_FALSE(movie.firstFrame.isNull());
    const QImage source = pattern(40, 30, 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(movie.firstFrame.pixel(x, y), source.pixel(x, y)) << x << "," << y;
}

TEST_F(MovieWriterTest, ColoursSurviveTheOtherLosslessCodecs)
{
    QImage flat(32, 16, QImage::Format_RGB32);
    flat.fill(qRgb(200, 60, 30));
    for (const char* codec : {"yuv2", "tiff", "mjp2"}) {
        MovieWriter writer;
        ASSERT_TRUE(writer.create(path(QStringLiteral("flat.mov")), QString::fromLatin1(codec), 1024));
        ASSERT_TRUE(writer.addFrame(flat, 20));
        ASSERT_TRUE(writer.finish());
        const QImage back = MovieContents::read(path(QStringLiteral("flat.mov"))).firstFrame;
        QFile::remove(path(QStringLiteral("flat.mov")));
        ASSERT_FALSE(back.isNull()) << codec;
        const QRgb p = back.pixel(8, 8);
        EXPECT_NEAR(qRed(p), 200, 3) << codec;
        EXPECT_NEAR(qGreen(p), 60, 3) << codec;
        EXPECT_NEAR(qBlue(p), 30, 3) << codec;
    }
}

TEST_F(MovieWriterTest, QualityMapsOntoTheEncodersOwnControl)
{
    EXPECT_TRUE(MovieCodec::setting(MovieCodec::Control::Crf, 1024).lossless);
    EXPECT_EQ(MovieCodec::setting(MovieCodec::Control::Crf, 256).crf, 30);
    EXPECT_EQ(MovieCodec::setting(MovieCodec::Control::QScale, 768).qscale, 4);
    EXPECT_EQ(MovieCodec::setting(MovieCodec::Control::QScale, 7).qscale, 1);  // unknown: the best
    // Lower quality, smaller movie.
    write(QStringLiteral("jpeg"), {160, 120}, 3, 20, 1023);
    const qint64 best = QFileInfo(path("movie.mov")).size();
    write(QStringLiteral("jpeg"), {160, 120}, 3, 20, 256);
    EXPECT_LT(QFileInfo(path("movie.mov")).size(), best);
}

TEST_F(MovieWriterTest, FailuresComeBackAsErrorsAndLeaveNoFile)
{
    MovieWriter writer;
    EXPECT_FALSE(writer.create(path("missing/folder/movie.mov"), QStringLiteral("jpeg"), 1024));
    EXPECT_FALSE(writer.error().isEmpty());
    EXPECT_FALSE(writer.addFrame(pattern(8, 8, 0), 20));

    // No frames: no movie.
    ASSERT_TRUE(writer.create(path("empty.mov"), QStringLiteral("jpeg"), 1024));
    EXPECT_FALSE(writer.finish());
    EXPECT_FALSE(QFile::exists(path("empty.mov")));

    // A frame libx264 cannot take (odd sizes) falls back to Motion JPEG.
    ASSERT_TRUE(writer.create(path("odd.mov"), QStringLiteral("avc1"), 1024));
    ASSERT_TRUE(writer.addFrame(pattern(33, 17, 0), 20));
    EXPECT_STREQ(writer.codec().encoder, "mjpeg");
    EXPECT_TRUE(writer.finish());
    EXPECT_EQ(MovieContents::read(path("odd.mov")).durations.size(), 1u);

    // A movie in the making is already a movie under its name; a writer dropped midway finishes it.
    {
        MovieWriter dropped;
        ASSERT_TRUE(dropped.create(path("dropped.mov"), QStringLiteral("jpeg"), 1024));
        ASSERT_TRUE(dropped.addFrame(pattern(16, 16, 0), 20));
        ASSERT_TRUE(dropped.addFrame(pattern(16, 16, 1), 20));
        EXPECT_EQ(MovieContents::read(path("dropped.mov")).durations.size(), 2u);
    }
    EXPECT_EQ(MovieContents::read(path("dropped.mov")).durations.size(), 2u);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // A movie is a new file: one already there is left as it was.
    EXPECT_FALSE(writer.create(path("dropped.mov"), QStringLiteral("jpeg"), 1024));
    EXPECT_EQ(MovieContents::read(path("dropped.mov")).durations.size(), 2u);
}
