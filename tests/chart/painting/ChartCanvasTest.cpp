#include "PaintingFixture.h"

#include "chart/painting/ChartCanvas.h"
#include "chart/painting/SubPixelSprites.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// A soft round sprite, brighter in the middle, as the star sprites are.
QImage sprite()
{
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const int a = 255 - 60 * (std::abs(2 * x - 3) + std::abs(2 * y - 3)) / 2;
            image.setPixel(x, y, qRgba(a, a * 3 / 4, a / 2, a));
        }
    return image;
}

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

// Sprites blended in one go must look as the painter draws them one by one,
// wherever the canvas sits on its device.
TEST(ChartCanvasSprites, DrawnInOneGoTheyLookAsPaintedOneByOne)
{
    const QImage a = sprite();
    QImage b(5, 5, QImage::Format_ARGB32);
    b.fill(QColor(255, 200, 0, 180));
    const std::vector<ChartCanvas::Sprite> list = {
        {{3.25, 4.5}, &a}, {{4.0, 4.0}, &b}, {{20.6, 9.3}, &a}, {{-1.5, 2.0}, &b}, {{38.0, 18.5}, &b}, {{8.0, 8.0}, nullptr}};
    auto oneGo = [&](ChartCanvas& canvas) { canvas.drawSprites(list); };
    auto oneByOne = [&](ChartCanvas& canvas) {
        for (const ChartCanvas::Sprite& s : list)
            if (s.image != nullptr)
                canvas.drawImage(s.lowerLeft, *s.image);
    };
    for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied, QImage::Format_RGB32}) {
        for (const QPoint offset : {QPoint(0, 0), QPoint(7, 3)}) {
            auto render = [&](const std::function<void(ChartCanvas&)>& paint) {
                QImage image(50, 30, format);
                image.fill(QColor(20, 40, 60));
                QPainter painter(&image);
                painter.translate(offset);
                SubPixelSprites sprites;
                ChartCanvas canvas(painter, 20);
                canvas.useSprites(sprites);
                paint(canvas);
                return image;
            };
            EXPECT_LE(PaintingTest::largestDifference(render(oneGo), render(oneByOne)), 1) << format << " " << offset.x();
        }
    }
    // A widget rendered into part of an image paints through a redirected,
    // offset device.
    auto renderWidget = [&](const std::function<void(ChartCanvas&)>& paint) {
        SubPixelSprites sprites;
        CanvasWidget widget;
        widget.resize(40, 20);
        widget.paint = [&](ChartCanvas& canvas) {
            canvas.useSprites(sprites);
            paint(canvas);
        };
        QImage image(60, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        widget.render(&image, QPoint(11, 9));
        return image;
    };
    const QImage widgetImage = renderWidget(oneGo);
    EXPECT_LE(PaintingTest::largestDifference(widgetImage, renderWidget(oneByOne)), 1);
    EXPECT_EQ(widgetImage.pixelColor(5, 5), QColor(Qt::black)) << "drawn outside the widget";
}

// Wide lines take the painter's cosmetic pen where a point is a pixel: the
// pixels must be those of the pen as given.
TEST(ChartCanvasLines, WideLinesLookAsThePenGivenDraws)
{
    const std::vector<QLineF> lines = {{10.2, 10.7, 80.4, 33.1}, {80.4, 33.1, 60.0, 70.5}, {5.0, 60.0, 90.0, 60.0},
                                       {33.3, 5.5, 33.3, 75.0}};
    for (const double width : {2.0, 3.0}) {
        const QPen pen(QColor(120, 180, 255, 200), width);
        auto render = [&](bool isCanvas) {
            QImage image(100, 80, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::black);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            if (isCanvas) {
                ChartCanvas canvas(painter, 80);
                canvas.drawLines(lines, pen);
            } else {
                painter.setPen(pen);
                for (const QLineF& line : lines)
                    painter.drawLine(QPointF(line.x1(), 80 - line.y1()), QPointF(line.x2(), 80 - line.y2()));
            }
            return image;
        };
        EXPECT_LE(PaintingTest::largestDifference(render(true), render(false)), 1) << width;
    }
}
