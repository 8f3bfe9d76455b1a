#include "PaintingFixture.h"

#include "chart/painting/ChartCanvas.h"
#include "chart/painting/TurnedFigureCache.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// A figure-like drawing: soft strokes on transparent paper, drawn turned
// about its centre at a chart point between pixels.
class TurnedFigureCacheTest : public ::testing::Test {
protected:
    TurnedFigureCacheTest() : figure(90, 50, QImage::Format_ARGB32_Premultiplied)
    {
        figure.fill(Qt::transparent);
        QPainter painter(&figure);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(200, 60, 60, 220), 3.0));
        painter.drawEllipse(QRectF(5, 5, 40, 40));
        painter.drawLine(QPointF(50, 5), QPointF(85, 45));
        tiles = {figure.rect()};
    }

    struct Pose {
        QTransform local;
        QRectF rect;
    };
    static Pose pose(double turn, double scale)
    {
        const QPointF centre(80.3, 60.6);
        QTransform local;
        local.translate(centre.x(), centre.y());
        local.rotateRadians(turn);
        local.translate(-centre.x(), -centre.y());
        const QSizeF size(90 * scale, 50 * scale);
        return {local, QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size)};
    }
    QImage frame(TurnedFigureCache* cache, const Pose& p)
    {
        QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(10, 20, 40));
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        ChartCanvas canvas(painter, kHeight);
        if (cache != nullptr) {
            cache->draw(canvas, 0, p.local, p.rect, figure, tiles);
            cache->endFrame();
        } else {
            canvas.drawImage(p.local, p.rect, figure, tiles);
        }
        return image;
    }

    QImage figure;
    std::vector<QRect> tiles;
};

}  // namespace

TEST_F(TurnedFigureCacheTest, AFigureLooksTheSameDrawnDirectlyOrFromItsKeptPicture)
{
    TurnedFigureCache cache;
    const Pose still = pose(0.6, 1.3);
    const QImage direct = frame(nullptr, still);
    // Drawn directly while it proves still, then from its picture.
    for (int n = 0; n < 5; ++n)
        EXPECT_LE(PaintingTest::largestDifference(frame(&cache, still), direct), 2) << "frame " << n;
}

TEST_F(TurnedFigureCacheTest, AFigureThatTurnsGrowsOrIsTintedAnewIsNotDrawnFromAnOldPicture)
{
    struct Change {
        const char* what;
        double turn;
        double scale;
        bool isTinted;
    };
    const Change changes[] = {
        {"turned by a fortieth of a radian", 0.625, 1.3, false},
        {"grown by four per cent", 0.6, 1.35, false},
        {"tinted anew", 0.6, 1.3, true},
    };
    for (const Change& c : changes) {
        TurnedFigureCache cache;
        figure.fill(Qt::transparent);
        QPainter(&figure).fillRect(QRect(10, 10, 70, 30), QColor(200, 60, 60, 220));
        for (int n = 0; n < 4; ++n)
            frame(&cache, pose(0.6, 1.3));
        if (c.isTinted)
            QPainter(&figure).fillRect(QRect(10, 10, 70, 30), QColor(30, 220, 60));
        const Pose changed = pose(c.turn, c.scale);
        EXPECT_LE(PaintingTest::largestDifference(frame(&cache, changed), frame(nullptr, changed)), 2) << c.what;
    }
}

TEST_F(TurnedFigureCacheTest, AScaledCanvasGetsTheFigureDrawnDirectly)
{
    // A printed page: chart points are not pixels, so no picture is kept.
    TurnedFigureCache cache;
    const Pose p = pose(0.6, 1.3);
    auto onPage = [&](bool isCached) {
        QImage image(2 * kWidth, 2 * kHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(2.0, 2.0);
        ChartCanvas canvas(painter, kHeight);
        if (isCached)
            cache.draw(canvas, 0, p.local, p.rect, figure, tiles);
        else
            canvas.drawImage(p.local, p.rect, figure, tiles);
        return image;
    };
    const QImage direct = onPage(false);
    for (int n = 0; n < 3; ++n)
        onPage(true);
    EXPECT_EQ(onPage(true), direct);
}
