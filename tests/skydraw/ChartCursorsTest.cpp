#include "skydraw/ChartCursors.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

TEST(ChartCursors, TheImagesMakeTheCursorsWithTheirHotSpotsAndMissingOnesFallBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(dir.path() + "/AngleSepCursor.png"));
    QFile damaged(dir.path() + "/NVTargetCursor.png");
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    ASSERT_EQ(damaged.write("\x89PNG\r\n not an image"), 19);
    damaged.close();

    ChartCursors cursors = ChartCursors::load(dir.path() + "/");
    EXPECT_EQ(cursors.targetCursor.shape(), Qt::CrossCursor);
    EXPECT_EQ(cursors.nvTargetCursor.shape(), Qt::CrossCursor);
    EXPECT_EQ(cursors.angleSepCursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursors.angleSepCursor.hotSpot(), QPoint(0, 14));
    EXPECT_EQ(cursors.angleSepCursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32), image);

    for (const char* name : {"TargetCursor.png", "NVTargetCursor.png"})
        ASSERT_TRUE(image.save(dir.path() + "/" + name));
    cursors = ChartCursors::load(dir.path() + "/");
    EXPECT_EQ(cursors.targetCursor.hotSpot(), QPoint(8, 8));
    EXPECT_EQ(cursors.nvTargetCursor.hotSpot(), QPoint(8, 8));
    // Without its image the angle cursor is the pointing hand.
    ASSERT_TRUE(QFile::remove(dir.path() + "/AngleSepCursor.png"));
    EXPECT_EQ(ChartCursors::load(dir.path() + "/").angleSepCursor.shape(), Qt::PointingHandCursor);
}
