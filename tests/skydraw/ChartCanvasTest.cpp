#include "PaintingFixture.h"

#include "skydraw/ChartCanvas.h"
#include "skydraw/SubPixelSprites.h"

#include <QLineF>
#include <QPainterPath>
#include <QWidget>

#include <gtest/gtest.h>

#include <limits>

#include <vector>

namespace {

// A widget that paints through a chart canvas, as the chart view does.
class CanvasWidget : public QWidget {
public:
    std::function<void(ChartCanvas&)> paint;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        ChartCanvas canvas(painter, height());
        paint(canvas);
    }
};

}  // namespace

// Sprites blended straight into the pixels must look as the painter draws
// them one by one, wherever the canvas sits on its device.
TEST(ChartCanvas, SpritesDrawnInOneGoLookAsPaintedOneByOne)
{
    QImage soft(4, 4, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < 16; ++i)
        soft.setPixel(i % 4, i / 4, qRgba(15 * i, 12 * i, 8 * i, 15 * i));
    QImage flat(5, 5, QImage::Format_ARGB32);
    flat.fill(QColor(255, 200, 0, 180));
    // More than the canvas fetches ahead, some of them off the device.
    const std::vector<ChartCanvas::Sprite> list = {
        {{3.25, 4.5}, &soft},   {{4.0, 4.0}, &flat},     {{20.6, 9.3}, &soft},  {{-1.5, 2.0}, &flat},
        {{38.0, 18.5}, &flat},  {{8.0, 8.0}, nullptr},   {{12.5, 11.75}, &soft}, {{-40.0, -30.0}, &soft},
        {{200.0, 6.0}, &flat},  {{30.1, -3.9}, &soft},   {{44.6, 24.2}, &flat},  {{15.0, 15.0}, &soft},
        {{26.3, 2.2}, &flat},   {{5.5, 300.0}, &soft},   {{33.0, 12.0}, &soft},  {{18.2, 6.6}, &flat}};
    auto paint = [&](ChartCanvas& canvas, bool isOneGo) {
        if (isOneGo)
            canvas.drawSprites(list);
        for (const ChartCanvas::Sprite& s : list)
            if (!isOneGo && s.image != nullptr)
                canvas.drawImage(s.lowerLeft, *s.image);
    };
    for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32}) {
        // Between pixels with kept copies, and on whole pixels without.
        for (const bool isSubPixel : {true, false}) {
            auto onImage = [&](bool isOneGo) {
                QImage image(50, 30, format);
                image.fill(QColor(20, 40, 60));
                QPainter painter(&image);
                painter.translate(7, 3);
                SubPixelSprites sprites;
                ChartCanvas canvas(painter, 20);
                if (isSubPixel)
                    canvas.useSprites(sprites);
                paint(canvas, isOneGo);
                return image;
            };
            EXPECT_LE(PaintingTest::largestDifference(onImage(true), onImage(false)), isSubPixel ? 1 : 0)
                << format << " " << isSubPixel;
        }
    }
    // A widget rendered into part of an image paints through a redirected device.
    auto onWidget = [&](bool isOneGo) {
        SubPixelSprites sprites;
        CanvasWidget widget;
        widget.resize(40, 20);
        widget.paint = [&](ChartCanvas& canvas) {
            canvas.useSprites(sprites);
            paint(canvas, isOneGo);
        };
        QImage image(60, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        widget.render(&image, QPoint(11, 9));
        return image;
    };
    const QImage widgetImage = onWidget(true);
    EXPECT_LE(PaintingTest::largestDifference(widgetImage, onWidget(false)), 1);
    EXPECT_EQ(widgetImage.pixelColor(5, 5), QColor(Qt::black)) << "drawn outside the widget";
}

// Wide lines take a cosmetic pen where a point is a pixel: same pixels.
TEST(ChartCanvas, WideLinesLookAsThePenGivenDraws)
{
    const std::vector<QLineF> lines = {{10.2, 10.7, 80.4, 33.1}, {80.4, 33.1, 60.0, 70.5}, {33.3, 5.5, 33.3, 75.0}};
    const QPen pen(QColor(120, 180, 255, 200), 2.0);
    const QImage canvas = PaintingTest::render(100, 80, [&](ChartCanvas& c) {
        c.setAntialiasing(true);
        c.drawLines(lines, pen);
    });
    const QImage painter = PaintingTest::render(100, 80, [&](ChartCanvas& c) {
        c.painter().setRenderHint(QPainter::Antialiasing);
        c.painter().setPen(pen);
        for (const QLineF& line : lines)
            c.painter().drawLine(c.toDevice(line.p1()), c.toDevice(line.p2()));
    });
    EXPECT_LE(PaintingTest::largestDifference(canvas, painter), 1);
}

// A shaded photograph blended in one pass must look as the painter's fill
// over a copy and its drawing: the still chart must not change.
TEST(ChartCanvas, AShadedImageLooksAsFilledThenDrawn)
{
    QImage photo(37, 23, QImage::Format_ARGB32_Premultiplied);
    std::uint32_t seed = 12345;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int alpha = (x + y) % 5 == 0 ? 0 : (x % 4 == 0 ? 255 : int(seed >> 24));
            photo.setPixel(x, y, qPremultiply(qRgba(int(seed >> 8) & 255, int(seed >> 16) & 255, int(seed) & 255, alpha)));
        }
    for (const float darkness : {0.0f, 0.13f, 0.5f, 0.87f, 1.0f}) {
        const QColor shade = QColor::fromRgbF(0.0f, 0.0f, 0.0f, darkness);
        auto onImage = [&](bool isOnePass, QPointF lowerLeft) {
            QImage image(50, 30, QImage::Format_ARGB32_Premultiplied);
            image.fill(QColor(20, 40, 60, 200));
            QPainter painter(&image);
            painter.translate(3, 2);
            ChartCanvas canvas(painter, 26);
            if (isOnePass) {
                EXPECT_TRUE(canvas.drawShadedImageOnPixels(lowerLeft, photo, shade));
            } else {
                QImage shaded = photo.copy();
                QPainter fill(&shaded);
                fill.setCompositionMode(QPainter::CompositionMode_SourceAtop);
                fill.fillRect(shaded.rect(), shade);
                fill.end();
                canvas.drawImageOnPixels(lowerLeft, shaded);
            }
            return image;
        };
        for (const QPointF lowerLeft : {QPointF(0.0, 0.0), QPointF(20.4, 9.6), QPointF(-5.0, -4.0)})
            EXPECT_EQ(onImage(true, lowerLeft), onImage(false, lowerLeft)) << darkness << " " << lowerLeft.x();
    }
    // Scaled, or clipped, the canvas leaves it to the painter.
    QImage image(50, 30, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setClipRect(0, 0, 10, 10);
    ChartCanvas clipped(painter, 30);
    EXPECT_FALSE(clipped.drawShadedImageOnPixels(QPointF(0.0, 0.0), photo, Qt::black));
}

// Drawings the canvas cuts into bands of rows, or takes past the painter's
// smoothing (a large picture on whole pixels, a tall translucent
// rectangle, tall strokes thin and wide, a scaled photograph), land pixel
// for pixel as the painter's own single drawing, smoothed, over every kind
// of pixel, cut by the device's edges; the painter's hints stay as they were.
TEST(ChartCanvas, DrawingsInBandsLookAsOneDrawing)
{
    QImage picture(83, 211, QImage::Format_ARGB32_Premultiplied);
    std::uint32_t seed = 4242;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int alpha = (x / 7 + y / 5) % 3 == 0 ? 0 : ((x + y) % 4 == 0 ? 255 : int(seed >> 24));
            picture.setPixel(x, y, qPremultiply(qRgba(int(seed >> 8) & 255, int(seed >> 16) & 255, int(seed) & 255, alpha)));
        }
    QPainterPath shapes;
    shapes.addEllipse(20.3, 15.6, 63.1, 63.1);
    shapes.moveTo(70.4, 10.0);
    shapes.lineTo(85.0, 150.0);
    const QRectF tall(10.3, -20.25, 50.5, 240.2);
    const QColor translucent(255, 120, 40, 170);
    // Each drawing by the canvas, and by the painter alone in chart or device space.
    const std::vector<std::function<void(ChartCanvas&, QPainter*)>> drawings = {
        [&](ChartCanvas& c, QPainter* p) { p ? p->drawImage(QPoint(-27, 30), picture) : c.drawImageOnPixels({-27.4, -41.3}, picture); },
        [&](ChartCanvas& c, QPainter* p) { p ? p->fillRect(tall, translucent) : c.fillRect(tall, translucent); },
        [&](ChartCanvas& c, QPainter* p) { p ? p->strokePath(shapes, QPen(translucent, 1.0)) : c.strokePath(shapes, QPen(translucent, 1.0)); },
        [&](ChartCanvas& c, QPainter* p) { p ? p->strokePath(shapes, QPen(translucent, 3.0)) : c.strokePath(shapes, QPen(translucent, 3.0)); },
        [&](ChartCanvas& c, QPainter* p) { p ? p->drawImage(QRectF(7.3, 200.0 - 39.4 - 130.9, 70.2, 130.9), picture) : c.drawImage(QRectF(7.3, 39.4, 70.2, 130.9), picture); }};
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        auto onImage = [&](bool isCanvas) {
            QImage image(120, 240, QImage::Format_ARGB32_Premultiplied);
            image.fill(QColor(20, 40, 60, 200));
            QPainter painter(&image);
            painter.translate(3, 2);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
            ChartCanvas canvas(painter, 200);
            if (!isCanvas)
                painter.setWorldTransform(i == 1 || i == 2 || i == 3 ? canvas.chartTransform() : painter.worldTransform());
            drawings[i](canvas, isCanvas ? nullptr : &painter);
            EXPECT_TRUE(painter.testRenderHint(QPainter::SmoothPixmapTransform));
            return image;
        };
        EXPECT_EQ(onImage(true), onImage(false)) << i;
    }
}

// Unsmoothed, a turned image is sampled straight into the pixels: it must
// land as the painter's own drawing does, wherever the canvas sits, tile
// by tile, over every kind of pixel.
TEST(ChartCanvas, AnUnsmoothedTurnedImageLooksAsThePainterDrawsIt)
{
    // Blocks of colour, some clear, some see-through: nearest samples of
    // it differ only along the blocks' edges.
    QImage figure(61, 47, QImage::Format_ARGB32_Premultiplied);
    // Cleared first: a block filled with no alpha leaves what was there.
    figure.fill(Qt::transparent);
    std::uint32_t seed = 777;
    for (int y = 0; y < figure.height(); y += 6)
        for (int x = 0; x < figure.width(); x += 6) {
            seed = seed * 1664525u + 1013904223u;
            const int alpha = (x / 6 + y / 6) % 3 == 0 ? 0 : ((x / 6) % 2 == 0 ? 255 : int(seed >> 24));
            QPainter(&figure).fillRect(QRect(x, y, 6, 6), QColor(int(seed >> 8) & 255, int(seed >> 16) & 255, 200, alpha));
        }
    // Tiles as the figures have them, one left out, the last cut by the edge.
    std::vector<QRect> tiles;
    for (int top = 0; top < figure.height(); top += 16)
        for (int left = 0; left < figure.width(); left += 16)
            if (left != 16 || top != 16)
                tiles.push_back(QRect(left, top, 16, 16) & figure.rect());
    // Turned, as figures are: unturned the painter scales tile by tile on
    // whole pixels, leaving seams of its own.
    for (const double turn : {0.01, 0.3, -1.57, 2.9}) {
        for (const double scale : {1.0, 1.37, 0.8}) {
            QTransform local;
            local.translate(60.3, 45.6);
            local.rotateRadians(turn);
            local.translate(-60.3, -45.6);
            const QSizeF size = QSizeF(figure.size()) * scale;
            const QRectF rect(QPointF(60.3, 45.6) - QPointF(size.width() / 2, size.height() / 2), size);
            // The painter draws it itself where a clip keeps the canvas off the pixels.
            auto onImage = [&](bool isClipped) {
                QImage image(130, 100, QImage::Format_ARGB32_Premultiplied);
                image.fill(QColor(20, 40, 60, 230));
                QPainter painter(&image);
                painter.translate(4, 3);
                if (isClipped)
                    painter.setClipRect(-4, -3, 130, 100);
                ChartCanvas canvas(painter, 90);
                canvas.drawImage(local, rect, figure, tiles);
                return image;
            };
            const QImage direct = onImage(false);
            const QImage painted = onImage(true);
            const auto [directCentre, directInk] = PaintingTest::inkCentre(direct);
            const auto [paintedCentre, paintedInk] = PaintingTest::inkCentre(painted);
            EXPECT_LE(QLineF(directCentre, paintedCentre).length(), 0.1) << turn << " " << scale;
            EXPECT_LE(PaintingTest::largestDifferenceWithin(direct, painted, 1), 1) << turn << " " << scale;
            EXPECT_LE(PaintingTest::largestDifferenceWithin(painted, direct, 1), 1) << turn << " " << scale;
        }
    }
}

// Quick lines for a moving sky, one and two pixels wide, land within a
// pixel of the smoothed drawing with their colour; lines running far off
// the canvas (or to no place at all) are cut at its edges.
TEST(ChartCanvas, QuickLinesStayWithinAPixelOfTheSmoothedOnes)
{
    const std::vector<QLineF> lines = {{10.2, 10.7, 80.4, 33.1}, {80.4, 33.1, 60.0, 70.5}, {33.3, 5.5, 33.3, 75.0},
                                       {5.0, 60.25, 95.0, 60.25}, {12.0, 70.0, 90.0, 12.5},
                                       {-5000.0, 40.0, 9000.0, 44.0}, {50.0, -1e6, 55.0, 1e6}};
    const QColor colour(120, 180, 255, 200);
    const auto draw = [&](double width, bool isQuick) {
        return PaintingTest::render(100, 80, [&](ChartCanvas& c) {
            c.setAntialiasing(true);
            c.setQuickLines(isQuick);
            c.drawLines(lines, QPen(colour, width));
        });
    };
    // Every pixel of one drawing inked above `least` has ink of the other
    // within a pixel.
    const auto isCoveredBy = [](const QImage& a, const QImage& b, int least) {
        const auto ink = [](QRgb p) { return std::max({qRed(p), qGreen(p), qBlue(p)}); };
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                if (ink(a.pixel(x, y)) <= least)
                    continue;
                bool isNear = false;
                for (int v = std::max(0, y - 1); v <= std::min(b.height() - 1, y + 1); ++v)
                    for (int u = std::max(0, x - 1); u <= std::min(b.width() - 1, x + 1); ++u)
                        isNear = isNear || ink(b.pixel(u, v)) > 0;
                if (!isNear)
                    return false;
            }
        return true;
    };
    // About as much colour, in the same place.
    const auto inkOf = [](const QImage& image) {
        double sum = 0.0;
        QPointF moment;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const double blue = qBlue(image.pixel(x, y));
                sum += blue;
                moment += blue * QPointF(x, y);
            }
        return std::pair(sum, moment / sum);
    };
    for (const double width : {1.0, 2.0}) {
        SCOPED_TRACE(width);
        const QImage smooth = draw(width, false);
        const QImage quick = draw(width, true);
        EXPECT_NE(quick, smooth);
        EXPECT_TRUE(isCoveredBy(quick, smooth, 0));
        // The smoothed line's faint fringe may lie beyond the quick one.
        EXPECT_TRUE(isCoveredBy(smooth, quick, 100));
        const auto [quickInk, quickCentre] = inkOf(quick);
        const auto [smoothInk, smoothCentre] = inkOf(smooth);
        EXPECT_NEAR(quickInk, smoothInk, 0.1 * smoothInk);
        EXPECT_LE(QLineF(quickCentre, smoothCentre).length(), 0.25);
    }
    const QImage nowhere = PaintingTest::render(100, 80, [&](ChartCanvas& c) {
        c.setQuickLines(true);
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const std::vector<QLineF> none = {{nan, 10.0, 50.0, 50.0}, {-10.0, -10.0, -50.0, 90.0}, {1e300, 0.0, 2e300, 5.0}};
        c.drawLines(none, QPen(colour, 1.0));
    });
    EXPECT_EQ(nowhere, PaintingTest::render(100, 80, [](ChartCanvas&) {}));
}
