#include "skydraw/ChartCanvas.h"
#include "skydraw/KeptPicture.h"

#include <gtest/gtest.h>

#include <QPainterPath>
#include <QRadialGradient>

namespace {

// A soft ring about a centre, with a hole: drawn as the mist is.
void ring(ChartCanvas& canvas, QPointF centre, double radius)
{
    QRadialGradient gradient(centre, radius, centre, 0.6 * radius);
    gradient.setColorAt(0.0, QColor(60, 50, 80, 0));
    gradient.setColorAt(1.0, QColor(60, 50, 80, 230));
    QPainterPath area;
    area.addRect(QRectF(0, 0, 150, 100));
    QPainterPath hole;
    hole.addEllipse(centre, 0.6 * radius, 0.6 * radius);
    canvas.fillPath(area.subtracted(hole), gradient);
}

// A frame over striped pixels, its canvas off the device's corner by
// `offset` and scaled by `scale`, drawn through `kept` or directly.
QImage frame(KeptPicture* kept, QPointF centre, double radius, QPoint offset = {3, 2}, double scale = 1.0)
{
    QImage image(160, 110, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, (x / 7 + y / 5) % 2 == 0 ? QColor(0, 0, 0) : QColor(120, 30, 10, 200));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(offset);
    painter.scale(scale, scale);
    ChartCanvas canvas(painter, 100);
    const auto paint = [&](ChartCanvas& target) { ring(target, centre, radius); };
    if (kept == nullptr)
        paint(canvas);
    else
        kept->draw(canvas, {centre.x(), centre.y(), radius}, paint);
    return image;
}

}  // namespace

// Kept once it repeats, the picture gives exactly the drawing's pixels over
// any pixels, and never a stale drawing.
TEST(KeptPicture, GivesTheDrawingsOwnPixelsOnceItRepeatsAndNeverAStaleOne)
{
    KeptPicture kept;
    const QPointF centre(75.2, 140.6);
    EXPECT_EQ(frame(&kept, centre, 120.0), frame(nullptr, centre, 120.0));
    EXPECT_FALSE(kept.wasKept());
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(frame(&kept, centre, 120.0), frame(nullptr, centre, 120.0)) << n;
        EXPECT_TRUE(kept.wasKept()) << n;
    }
    // Other numbers, or the canvas elsewhere on its device: drawn anew.
    EXPECT_EQ(frame(&kept, centre, 100.0), frame(nullptr, centre, 100.0));
    EXPECT_FALSE(kept.wasKept());
    EXPECT_EQ(frame(&kept, centre, 100.0, {5, 0}), frame(nullptr, centre, 100.0, {5, 0}));
    EXPECT_FALSE(kept.wasKept());
    EXPECT_EQ(frame(&kept, centre, 100.0, {5, 0}), frame(nullptr, centre, 100.0, {5, 0}));
    EXPECT_TRUE(kept.wasKept());
    // Where a point is not a pixel it is always drawn.
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(frame(&kept, centre, 100.0, {5, 0}, 1.5), frame(nullptr, centre, 100.0, {5, 0}, 1.5));
        EXPECT_FALSE(kept.wasKept());
    }
}
