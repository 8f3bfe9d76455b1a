#include "skydraw/PaintingFixture.h"

#include "chart/painting/TurnedFigureCache.h"

#include <gtest/gtest.h>

#include <QLineF>

#include <chrono>
#include <vector>

namespace {

// A frame with one figure-like drawing (a soft band on transparent paper)
// turned about its centre at a chart point between pixels; drawn through the
// cache when there is one, else directly.
QImage frame(TurnedFigureCache* cache, const QImage& figure, double turn, double scale, double pageScale = 1.0)
{
    const QPointF centre(80.3, 60.6);
    QTransform local;
    local.translate(centre.x(), centre.y());
    local.rotateRadians(turn);
    local.translate(-centre.x(), -centre.y());
    const QSizeF size = QSizeF(figure.size()) * scale;
    const QRectF rect(centre - QPointF(size.width() / 2, size.height() / 2), size);
    const std::vector<QRect> tiles{figure.rect()};
    QImage image(int(160 * pageScale), int(120 * pageScale), QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(10, 20, 40));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(pageScale, pageScale);
    ChartCanvas canvas(painter, 120);
    if (cache == nullptr)
        canvas.drawImage(local, rect, figure, tiles);
    else
        cache->draw(canvas, 0, local, rect, figure, tiles, nullptr);
    if (cache != nullptr)
        cache->endFrame();
    return image;
}

}  // namespace

TEST(TurnedFigureCache, AFigureLooksTheSameDrawnDirectlyOrFromItsPictureAndNeverFromAStaleOne)
{
    QImage figure(90, 50, QImage::Format_ARGB32_Premultiplied);
    figure.fill(Qt::transparent);
    QPainter(&figure).fillRect(QRect(10, 10, 70, 30), QColor(200, 60, 60, 220));
    TurnedFigureCache cache;
    // Every frame as though the sky had settled before it.
    cache.setMovingPaints(std::chrono::milliseconds(0));
    // Drawn directly while it proves still, then from its picture.
    for (int n = 0; n < 5; ++n)
        EXPECT_LE(PaintingTest::largestDifference(frame(&cache, figure, 0.6, 1.3), frame(nullptr, figure, 0.6, 1.3)),
                  2)
            << "frame " << n;
    // Turned by a fortieth of a radian, grown by four per cent, tinted anew.
    EXPECT_LE(PaintingTest::largestDifference(frame(&cache, figure, 0.625, 1.3), frame(nullptr, figure, 0.625, 1.3)),
              2);
    for (int n = 0; n < 4; ++n)
        frame(&cache, figure, 0.6, 1.3);
    EXPECT_LE(PaintingTest::largestDifference(frame(&cache, figure, 0.6, 1.35), frame(nullptr, figure, 0.6, 1.35)), 2);
    for (int n = 0; n < 4; ++n)
        frame(&cache, figure, 0.6, 1.3);
    QPainter(&figure).fillRect(QRect(10, 10, 70, 30), QColor(30, 220, 60));
    EXPECT_LE(PaintingTest::largestDifference(frame(&cache, figure, 0.6, 1.3), frame(nullptr, figure, 0.6, 1.3)), 2);
    // On a printed page a point is not a pixel: always drawn directly.
    const QImage page = frame(nullptr, figure, 0.6, 1.3, 2.0);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(frame(&cache, figure, 0.6, 1.3, 2.0), page);
}

TEST(TurnedFigureCache, WhileTheSkyMovesAFigureIsDrawnUnsmoothedWithinAPixelAndSmoothedOnceItSettles)
{
    QImage figure(90, 50, QImage::Format_ARGB32_Premultiplied);
    figure.fill(Qt::transparent);
    QPainter(&figure).fillRect(QRect(10, 10, 70, 30), QColor(200, 60, 60, 220));
    TurnedFigureCache cache;
    cache.setMovingPaints(std::chrono::hours(1));
    // A first appearance is the still drawing, even straight after a frame.
    EXPECT_EQ(frame(&cache, figure, 0.6, 1.3), frame(nullptr, figure, 0.6, 1.3));
    EXPECT_FALSE(cache.wasRough());
    // Panning turns and grows it; the time step drifts it by less than a
    // pixel. Each moving frame keeps its ink within a pixel of the still one.
    const double steps[][2] = {{0.62, 1.3}, {0.64, 1.33}, {0.6405, 1.33}, {0.66, 1.36}};
    for (const auto& [turn, scale] : steps) {
        const QImage moving = frame(&cache, figure, turn, scale);
        const QImage still = frame(nullptr, figure, turn, scale);
        EXPECT_TRUE(cache.wasRough()) << turn;
        EXPECT_LE(PaintingTest::largestDifferenceWithin(moving, still, 1), 2) << turn;
        const auto [movingCentre, movingInk] = PaintingTest::inkCentre(moving);
        const auto [stillCentre, stillInk] = PaintingTest::inkCentre(still);
        EXPECT_LE(QLineF(movingCentre, stillCentre).length(), 0.5) << turn;
        EXPECT_NEAR(movingInk, stillInk, 0.05 * stillInk) << turn;
    }
    // Painted again where it stopped: the still drawing, then its picture.
    EXPECT_EQ(frame(&cache, figure, 0.66, 1.36), frame(nullptr, figure, 0.66, 1.36));
    EXPECT_FALSE(cache.wasRough());
    for (int n = 0; n < 3; ++n) {
        EXPECT_LE(PaintingTest::largestDifference(frame(&cache, figure, 0.66, 1.36), frame(nullptr, figure, 0.66, 1.36)),
                  2);
        EXPECT_FALSE(cache.wasRough());
    }
    // A new tint is a first appearance too.
    QPainter(&figure).fillRect(QRect(10, 10, 70, 30), QColor(30, 220, 60));
    EXPECT_EQ(frame(&cache, figure, 0.7, 1.36), frame(nullptr, figure, 0.7, 1.36));
    EXPECT_FALSE(cache.wasRough());
}
