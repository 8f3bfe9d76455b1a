#include "chart/photohorizon/PhotoPanorama.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

namespace {

// Transparent sky over opaque ground from row `groundRow` down.
QImage panorama(int width, int height, int groundRow)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(0, groundRow, width, height - groundRow, QColor(30, 60, 20));
    return image;
}

}  // namespace

TEST(PhotoPanorama, HorizonSamplesAreTheFirstOpaqueSampleOfEachColumnAtScaledPositions)
{
    QImage image = panorama(2048, 1024, 520);
    image.setPixelColor(0, 0, Qt::white);  // top-left sample opaque
    {
        QPainter painter(&image);  // column 100 all sky
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(8 * 100, 0, 8, 1024, Qt::transparent);
    }
    const PhotoPanorama::HorizonTable table = PhotoPanorama::horizonTable(image);
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[100], PhotoPanorama::kTableRows);
    EXPECT_EQ(table[1], 520);  // 520 is a sample row (8 × 65)

    // Other sizes: read inside the image, counted in rows of a 1024-row panorama.
    struct Case {
        int width, height, groundRow;
        std::uint16_t entry;
    };
    for (const Case& c : {Case{512, 256, 128, 512}, Case{300, 100, 75, 768}, Case{1, 1, 0, 0}}) {
        const PhotoPanorama::HorizonTable t = PhotoPanorama::horizonTable(panorama(c.width, c.height, c.groundRow));
        EXPECT_EQ(t[0], c.entry) << c.width;
        EXPECT_EQ(t[255], c.entry) << c.width;
    }
}

TEST(PhotoPanorama, FilesWithoutTransparencyOrThatDoNotDecodeAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString good = dir.filePath(PhotoPanorama::fileName(0));
    const QString opaque = dir.filePath(PhotoPanorama::fileName(1));
    const QString broken = dir.filePath(PhotoPanorama::fileName(2));
    ASSERT_TRUE(panorama(64, 32, 16).save(good));
    ASSERT_TRUE(panorama(64, 32, 16).convertToFormat(QImage::Format_RGB888).save(opaque));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\x89PNG\r\n\x1a\n truncated");
    file.close();

    const PhotoPanorama::Load loaded = PhotoPanorama::load(good);
    EXPECT_EQ(loaded.status, PhotoPanorama::Status::Loaded);
    EXPECT_EQ(loaded.image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(PhotoPanorama::load(dir.filePath("PhotoHorizon3.png")).status, PhotoPanorama::Status::Missing);
    for (const QString& path : {opaque, broken}) {
        const PhotoPanorama::Load refused = PhotoPanorama::load(path);
        EXPECT_EQ(refused.status, PhotoPanorama::Status::Refused) << qPrintable(path);
        EXPECT_TRUE(refused.image.isNull());
        EXPECT_TRUE(refused.reason.contains(QFileInfo(path).fileName())) << qPrintable(refused.reason);
    }
    EXPECT_TRUE(PhotoPanorama::load(opaque).reason.contains("alpha"));
}
