#include "AllSkyTestFrame.h"

#include "camera/allsky/AllSkyFiles.h"
#include "camera/allsky/AllSkyFileNames.h"

#include <QFile>
#include <QTemporaryDir>

#include <tiffio.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct CloseTiff {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

class AllSkyTiff : public ::testing::Test {
protected:
    QString save(const AllSkyFrame& frame, const QImage& processed = QImage())
    {
        m_files.setFileFormat(AllSkyFiles::Format::Tiff);
        return m_files.saveAllSkyImage(frame, processed) ? m_files.lastPath() : QString();
    }
    void touch(const QString& name)
    {
        QFile file(m_dir.path() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_dir;
    AllSkyFiles m_files{m_dir.path(), DebugWriter()};
};

TEST_F(AllSkyTiff, RawPixelsReadBackAsLzwSixteenBitGrey)
{
    const AllSkyFrame frame = allSkyTestFrame(AllSkyFrame::kCropMode);
    const QString path = save(frame);
    ASSERT_FALSE(path.isEmpty());
    std::unique_ptr<TIFF, CloseTiff> tiff(TIFFOpen(path.toLocal8Bit().constData(), "r"));
    ASSERT_TRUE(tiff);
    uint32_t width = 0, height = 0;
    uint16_t bits = 0, samples = 0, compression = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    TIFFGetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetField(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tiff.get(), TIFFTAG_COMPRESSION, &compression);
    EXPECT_EQ(width, 512u);
    EXPECT_EQ(height, 480u);
    EXPECT_EQ(bits, 16);
    EXPECT_EQ(samples, 1);
    EXPECT_EQ(compression, COMPRESSION_LZW);
    std::vector<quint16> row(width);
    for (uint32_t y = 0; y < height; ++y) {
        ASSERT_EQ(TIFFReadScanline(tiff.get(), row.data(), y, 0), 1);
        ASSERT_TRUE(std::equal(row.begin(), row.end(), frame.pixels.begin() + std::ptrdiff_t(y) * width)) << y;
    }
}

TEST_F(AllSkyTiff, ProcessedPictureIsSavedInColourWithWhatItShows)
{
    QImage shown(640, 480, QImage::Format_RGB32);
    shown.fill(Qt::black);
    shown.setPixel(10, 470, qRgb(255, 200, 100));
    const QString path = save(allSkyTestFrame(), shown);
    std::unique_ptr<TIFF, CloseTiff> tiff(TIFFOpen(path.toLocal8Bit().constData(), "r"));
    ASSERT_TRUE(tiff);
    uint16_t samples = 0, compression = 0;
    TIFFGetField(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tiff.get(), TIFFTAG_COMPRESSION, &compression);
    EXPECT_EQ(samples, 3);
    EXPECT_EQ(compression, COMPRESSION_LZW);
    std::vector<unsigned char> row(640 * 3);
    for (uint32_t y = 0; y <= 470; ++y)
        ASSERT_EQ(TIFFReadScanline(tiff.get(), row.data(), y, 0), 1);
    EXPECT_EQ(row[30], 255);
    EXPECT_EQ(row[31], 200);
    EXPECT_EQ(row[32], 100);
}

TEST_F(AllSkyTiff, NumbersRunPerSuffixAndNeverOverwrite)
{
    touch("AllSkyImage(Light)-1.tiff");
    touch("AllSkyImage(Light)-2.tiff");
    EXPECT_TRUE(save(allSkyTestFrame()).endsWith("/AllSkyImage(Light)-3.tiff"));
    EXPECT_TRUE(save(allSkyTestFrame(AllSkyFrame::kFullMode, AllSkyFrame::kDarkType))
                    .endsWith("/AllSkyImage(Dark)-1.tiff"));
    AllSkyFrame subtracted = allSkyTestFrame();
    subtracted.isDarkSubtracted = true;
    EXPECT_TRUE(save(subtracted).endsWith("/AllSkyImage(Light)-1D.tiff"));
    // A crop or binned frame has nothing taken off, so no mark.
    EXPECT_TRUE(save(allSkyTestFrame(AllSkyFrame::kBinnedMode)).endsWith("/AllSkyImage(Light)-4.tiff"));
    EXPECT_TRUE(save(allSkyTestFrame(AllSkyFrame::kSubFrameMode)).isEmpty());
    EXPECT_EQ(QFile(m_dir.path() + "/AllSkyImage(Light)-1.tiff").size(), 0);
}

TEST_F(AllSkyTiff, SearchEndsWhenEveryNumberIsTaken)
{
    const QString base = m_dir.path() + "/x";
    const QString pattern = AllSkyFileNames::suffix(AllSkyFrame::kLightType, false, AllSkyFileNames::Format::Tiff);
    EXPECT_EQ(AllSkyFileNames::firstFree(base, pattern).number, 1);
    // A pattern without a number names one file: once it exists the search
    // ends instead of running on.
    touch("x");
    EXPECT_TRUE(AllSkyFileNames::firstFree(base, QString()).path.isEmpty());
}

TEST_F(AllSkyTiff, NoFormatWritesNothing)
{
    m_files.setFileFormat(AllSkyFiles::Format::None);
    EXPECT_FALSE(m_files.saveAllSkyImage(allSkyTestFrame(), QImage()));
}

}  // namespace
