#include "AllSkyTestFrame.h"

#include "camera/allsky/AllSkyFiles.h"
#include "camera/allsky/AllSkyFitsWriter.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <fitsio.h>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// fitsverify's verdict: true when it finds neither errors nor warnings.
void expectVerified(const QString& path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("fitsverify"));
    if (tool.isEmpty())
        GTEST_SKIP() << "fitsverify is not installed (scripts/install-deps.sh installs it)";
    QProcess verify;
    verify.start(tool, {QStringLiteral("-q"), path});
    ASSERT_TRUE(verify.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(verify.readAllStandardOutput());
    EXPECT_EQ(verify.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("verification OK"))) << out.toStdString();
}

// A string keyword's value without quotes and padding.
QString text(fitsfile* file, const char* key)
{
    char value[FLEN_VALUE] = {};
    int status = 0;
    fits_read_key_str(file, key, value, nullptr, &status);
    return status == 0 ? QString::fromLatin1(value) : QString();
}

QString keyword(fitsfile* file, const char* key)
{
    char value[FLEN_VALUE] = {};
    int status = 0;
    fits_read_keyword(file, key, value, nullptr, &status);
    return status == 0 ? QString::fromLatin1(value) : QString();
}

class AllSkyFits : public ::testing::Test {
protected:
    QString save(const AllSkyFrame& frame)
    {
        m_files.setFileFormat(AllSkyFiles::Format::Fits);
        m_files.setVersionStr(QStringLiteral("V1.4"));
        return m_files.saveAllSkyImage(frame, QImage()) ? m_files.lastPath() : QString();
    }

    QTemporaryDir m_dir;
    AllSkyFiles m_files{m_dir.path() + "/Misc/", DebugWriter()};
};

TEST_F(AllSkyFits, FullFrameIsWholeBlocksVerifiedAndReadsBackPixelForPixel)
{
    AllSkyFrame frame = allSkyTestFrame();
    frame.pixels[0] = 0;
    frame.pixels[1] = 65535;
    frame.pixels[2] = 32768;
    const QString path = save(frame);
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(path.endsWith("/Misc/AllSkyImage(Light)-1.fits"));
    const QByteArray bytes = readAll(path);
    EXPECT_EQ(bytes.size(), 619200);
    // The data start after one header block.
    EXPECT_EQ(bytes.mid(2880, 6), QByteArray("\x80\x00\x7F\xFF\x00\x00", 6));
    expectVerified(path);

    fitsfile* file = nullptr;
    int status = 0;
    ASSERT_EQ(fits_open_file(&file, path.toLocal8Bit().constData(), READONLY, &status), 0);
    std::vector<quint16> back(frame.pixels.size());
    int anyNull = 0;
    fits_read_img(file, TUSHORT, 1, LONGLONG(back.size()), nullptr, back.data(), &anyNull, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(back, frame.pixels);
    EXPECT_EQ(keyword(file, "BITPIX"), "16");
    EXPECT_EQ(keyword(file, "BZERO").toDouble(), 32768.0);
    EXPECT_EQ(text(file, "CCDFNAME"), "AllSkyImage-1.fits");
    EXPECT_TRUE(text(file, "PROGRAM").startsWith("Norvane Pro"));
    EXPECT_EQ(text(file, "DATE-OBS"), "2026-12-07T03:04:05.678");
    EXPECT_EQ(text(file, "INSTRUME"), "SBIG AllSky (V1.4)");
    EXPECT_EQ(keyword(file, "EXPTIME"), "12.50");
    EXPECT_EQ(text(file, "IMAGETYP"), "Light");
    EXPECT_EQ(text(file, "IMAGEBIN"), "1X1");
    char card[FLEN_CARD] = {};
    int cardStatus = 0;
    fits_read_card(file, "HISTORY", card, &cardStatus);
    EXPECT_NE(cardStatus, 0) << "no history without a dark frame taken off";
    fits_close_file(file, &status);
}

TEST_F(AllSkyFits, DarkSubtractedFramesAreMarkedInNameAndHistory)
{
    AllSkyFrame frame = allSkyTestFrame();
    frame.isDarkSubtracted = true;
    const QString path = save(frame);
    EXPECT_TRUE(path.endsWith("AllSkyImage(Light)-1D.fits"));
    fitsfile* file = nullptr;
    int status = 0;
    ASSERT_EQ(fits_open_file(&file, path.toLocal8Bit().constData(), READONLY, &status), 0);
    EXPECT_EQ(text(file, "CCDFNAME"), "AllSkyImage-1D.fits");
    char card[FLEN_CARD] = {};
    fits_read_card(file, "HISTORY", card, &status);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(QString::fromLatin1(card).contains("Dark Subtracted"));
    fits_close_file(file, &status);
    expectVerified(path);
}

TEST_F(AllSkyFits, OtherModesAndTypesNameThemselves)
{
    const QString crop = save(allSkyTestFrame(AllSkyFrame::kCropMode, AllSkyFrame::kDarkType));
    EXPECT_TRUE(crop.endsWith("AllSkyImage(Dark)-1.fits"));
    EXPECT_EQ(readAll(crop).size() % 2880, 0);
    const QString binned = save(allSkyTestFrame(AllSkyFrame::kBinnedMode, AllSkyFrame::kAutoType));
    EXPECT_TRUE(binned.endsWith("AllSkyImage(Auto)-1.fits"));
    fitsfile* file = nullptr;
    int status = 0;
    ASSERT_EQ(fits_open_file(&file, binned.toLocal8Bit().constData(), READONLY, &status), 0);
    EXPECT_EQ(text(file, "IMAGEBIN"), "2X2");
    EXPECT_EQ(text(file, "IMAGETYP"), "Auto");
    EXPECT_EQ(keyword(file, "NAXIS1"), "320");
    fits_close_file(file, &status);
}

TEST_F(AllSkyFits, LongNamesAreCutToOneCard)
{
    m_files.setPath(m_dir.path() + "/" + QString(200, u'n'));
    const QString path = save(allSkyTestFrame(AllSkyFrame::kBinnedMode));
    ASSERT_FALSE(path.isEmpty());
    expectVerified(path);
    EXPECT_EQ(AllSkyFitsWriter::oneCardValue(QString(100, u'\'')).size(), 34);
    EXPECT_EQ(AllSkyFitsWriter::oneCardValue(QStringLiteral("Zürich")), "Z?rich");
}

TEST_F(AllSkyFits, SubFramesAndIncompleteFramesAreNeverSaved)
{
    EXPECT_TRUE(save(allSkyTestFrame(AllSkyFrame::kSubFrameMode)).isEmpty());
    AllSkyFrame shortFrame = allSkyTestFrame();
    shortFrame.pixels.pop_back();
    EXPECT_TRUE(save(shortFrame).isEmpty());
    EXPECT_FALSE(QFile::exists(m_dir.path() + "/Misc/AllSkyImage(Light)-1.fits"));
}

TEST_F(AllSkyFits, WriteCutShortLeavesNoFileAndKeepsTheNumber)
{
    {
        FileSizeLimit limit(100000);
        EXPECT_TRUE(save(allSkyTestFrame()).isEmpty());
    }
    EXPECT_TRUE(QDir(m_dir.path() + "/Misc").entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(save(allSkyTestFrame()).endsWith("AllSkyImage(Light)-1.fits"));
}

}  // namespace
