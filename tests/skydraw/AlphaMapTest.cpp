#include "skydraw/AlphaMap.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <vector>

namespace {

// A figure-like drawing: grey strokes of many opacities on clear paper.
QImage greyDrawing()
{
    QImage image(57, 43, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 90, 200), 3.0));
    painter.drawEllipse(QRectF(5.3, 4.1, 40.2, 30.7));
    painter.setPen(QPen(QColor(90, 90, 90), 1.5));
    painter.drawLine(QLineF(2.0, 40.0, 55.0, 3.0));
    return image;
}

}  // namespace

// The map must give back every pixel of a drawing tinted in one opaque
// colour, and refuse what it cannot give back.
TEST(AlphaMap, GivesBackAnOpaqueTintAndRefusesMoreThanOneColour)
{
    QImage tinted = greyDrawing();
    ChartImageSet::tint(tinted, QColor(122, 153, 191));
    const std::optional<AlphaMap> map = AlphaMap::of(tinted);
    ASSERT_TRUE(map.has_value());
    ASSERT_EQ(map->alpha.size(), tinted.size());
    for (int y = 0; y < tinted.height(); ++y)
        for (int x = 0; x < tinted.width(); ++x)
            ASSERT_EQ(map->pixels[map->alpha.constScanLine(y)[x]], tinted.pixel(x, y)) << x << " " << y;

    // A see-through tint lets the drawing's own two shades through.
    QImage shaded = greyDrawing();
    QPainter(&shaded).fillRect(QRect(0, 0, 20, 43), QColor(200, 200, 200, 200));
    ChartImageSet::tint(shaded, QColor(122, 153, 191, 128));
    EXPECT_FALSE(AlphaMap::of(shaded).has_value());
    // A clear pixel holding a colour: the blend would skip it.
    QImage stray(4, 4, QImage::Format_ARGB32_Premultiplied);
    stray.fill(Qt::transparent);
    reinterpret_cast<QRgb*>(stray.scanLine(2))[1] = 0x00102030;
    EXPECT_FALSE(AlphaMap::of(stray).has_value());
}

// Sampled from its map, a turned figure lands on exactly the pixels the
// image itself gives, wherever the canvas sits and however it is turned.
TEST(AlphaMap, ATurnedFigureSampledFromItsMapLooksAsFromItsImage)
{
    QImage figure = greyDrawing();
    ChartImageSet::tint(figure, QColor(122, 153, 191));
    const std::optional<AlphaMap> map = AlphaMap::of(figure);
    ASSERT_TRUE(map.has_value());
    std::vector<QRect> tiles;
    for (int top = 0; top < figure.height(); top += 16)
        for (int left = 0; left < figure.width(); left += 16)
            if (left != 16 || top != 0)
                tiles.push_back(QRect(left, top, 16, 16) & figure.rect());
    for (const double turn : {0.02, 0.7, -2.2})
        for (const double scale : {0.6, 1.0, 1.45}) {
            QTransform local;
            local.translate(50.4, 40.7);
            local.rotateRadians(turn);
            local.translate(-50.4, -40.7);
            const QSizeF size = QSizeF(figure.size()) * scale;
            const QRectF rect(QPointF(50.4, 40.7) - QPointF(size.width() / 2, size.height() / 2), size);
            auto draw = [&](const AlphaMap* alpha) {
                QImage image(110, 90, QImage::Format_ARGB32_Premultiplied);
                image.fill(QColor(20, 40, 60, 230));
                QPainter painter(&image);
                painter.translate(3, 2);
                ChartCanvas canvas(painter, 84);
                canvas.drawImage(local, rect, figure, tiles, alpha);
                return image;
            };
            const QImage fromImage = draw(nullptr);
            EXPECT_NE(fromImage.pixel(55, 45), QColor(20, 40, 60, 230).rgba()) << "the figure is on the image";
            EXPECT_EQ(draw(&*map), fromImage) << turn << " " << scale;
        }
}
