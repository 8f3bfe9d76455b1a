#include "chart/ChartCursors.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

QImage solid(const QColor& color)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

QImage pixelsOf(const QCursor& cursor)
{
    return cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

TEST(ChartCursors, TheImagesMakeTheCursorsWithTheirHotSpots)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(solid(Qt::white).save(dir.path() + "/TargetCursor.png"));
    ASSERT_TRUE(solid(Qt::red).save(dir.path() + "/NVTargetCursor.png"));
    ASSERT_TRUE(solid(Qt::green).save(dir.path() + "/AngleSepCursor.png"));

    const ChartCursors cursors = ChartCursors::load(dir.path() + "/");

    EXPECT_EQ(cursors.targetCursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursors.targetCursor.hotSpot(), QPoint(8, 8));
    EXPECT_EQ(pixelsOf(cursors.targetCursor), solid(Qt::white));
    EXPECT_EQ(cursors.nvTargetCursor.hotSpot(), QPoint(8, 8));
    EXPECT_EQ(pixelsOf(cursors.nvTargetCursor), solid(Qt::red));
    EXPECT_EQ(cursors.angleSepCursor.hotSpot(), QPoint(0, 14));
    EXPECT_EQ(pixelsOf(cursors.angleSepCursor), solid(Qt::green));
}

TEST(ChartCursors, MissingOrDamagedImagesFallBackToSystemCursors)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile damaged(dir.path() + "/NVTargetCursor.png");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    ASSERT_EQ(damaged.write("\x89PNG\r\n not an image"), 19);
    damaged.close();

    const ChartCursors cursors = ChartCursors::load(dir.path() + "/");

    EXPECT_EQ(cursors.targetCursor.shape(), Qt::CrossCursor);
    EXPECT_EQ(cursors.nvTargetCursor.shape(), Qt::CrossCursor);
    EXPECT_EQ(cursors.angleSepCursor.shape(), Qt::PointingHandCursor);
}
