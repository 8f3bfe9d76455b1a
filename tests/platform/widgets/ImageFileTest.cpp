#include "platform/widgets/ImageFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A 3 x 2 picture with one pixel of each primary.
QImage sample()
{
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 255, 0, 255));
    image.setPixel(2, 1, qRgba(0, 0, 255, 128));
    return image;
}

bool writeAs(const QImage& image, const QString& path, const char* format)
{
    QImageWriter writer(path, format);
    return writer.write(image);
}

class ImageFileTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QTemporaryDir folder;
};

}  // namespace

TEST_F(ImageFileTest, ReadsAPictureByItsSuffixWhateverItsCase)
{
    ASSERT_TRUE(writeAs(sample(), path("a.png"), "png"));
    ASSERT_TRUE(writeAs(sample(), path("b.PNG"), "png"));
    for (const char* name : {"a.png", "b.PNG"}) {
        const ImageFile::Read read = ImageFile::read(path(name));
        EXPECT_TRUE(read.error.isEmpty()) << name;
        EXPECT_EQ(read.image.convertToFormat(QImage::Format_ARGB32), sample()) << name;
    }
}

TEST_F(ImageFileTest, ReadsAJpegUnderEitherSuffix)
{
    QImage opaque(16, 16, QImage::Format_RGB32);
    opaque.fill(QColor(200, 100, 50));
    ASSERT_TRUE(writeAs(opaque, path("c.jpg"), "jpeg"));
    ASSERT_TRUE(QFile::copy(path("c.jpg"), path("d.jpeg")));
    for (const char* name : {"c.jpg", "d.jpeg"}) {
        const QImage image = ImageFile::image(path(name));
        ASSERT_EQ(image.size(), QSize(16, 16)) << name;
        const QColor centre = image.pixelColor(8, 8);
        EXPECT_NEAR(centre.red(), 200, 4) << name;
        EXPECT_NEAR(centre.blue(), 50, 4) << name;
    }
}

TEST_F(ImageFileTest, APictureUnderAnotherFormatsSuffixStillReads)
{
    ASSERT_TRUE(writeAs(sample(), path("png-in-disguise.jpg"), "png"));
    const ImageFile::Read read = ImageFile::read(path("png-in-disguise.jpg"));
    EXPECT_TRUE(read.error.isEmpty());
    EXPECT_EQ(read.image.convertToFormat(QImage::Format_ARGB32), sample());
}

TEST_F(ImageFileTest, AMissingOrBrokenFileSaysWhyAndGivesNoPicture)
{
    QFile broken(path("broken.png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\x89PNG\r\n\x1a\n and then nothing of a picture");
    broken.close();
    for (const char* name : {"missing.png", "broken.png", "no-suffix"}) {
        const ImageFile::Read read = ImageFile::read(path(name));
        EXPECT_TRUE(read.image.isNull()) << name;
        EXPECT_FALSE(read.error.isEmpty()) << name;
    }
}
