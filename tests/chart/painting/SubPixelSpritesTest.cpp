#include "chart/painting/SubPixelSprites.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// The alpha-weighted centre of an image's pixels, and its total alpha.
struct Ink {
    double total = 0.0;
    QPointF centre;
};

Ink inkOf(const QImage& image)
{
    Ink ink;
    double x = 0.0;
    double y = 0.0;
    for (int row = 0; row < image.height(); ++row)
        for (int col = 0; col < image.width(); ++col) {
            const double a = qAlpha(image.pixel(col, row));
            ink.total += a;
            x += a * (col + 0.5);
            y += a * (row + 0.5);
        }
    if (ink.total > 0.0)
        ink.centre = QPointF(x / ink.total, y / ink.total);
    return ink;
}

// A small sprite with uneven alpha, as the star sprites have.
QImage sprite()
{
    QImage image(3, 2, QImage::Format_ARGB32_Premultiplied);
    const QRgb pixels[] = {qRgba(40, 40, 40, 40), qRgba(200, 100, 0, 255), qRgba(0, 0, 90, 90),
                           qRgba(10, 20, 30, 30), qRgba(128, 128, 128, 128), qRgba(0, 0, 0, 0)};
    for (int i = 0; i < 6; ++i)
        image.setPixel(i % 3, i / 3, pixels[i]);
    return image;
}

}  // namespace

TEST(SubPixelSprites, PlacesAnImageAtTheNearestQuarterPixel)
{
    struct Case {
        QPointF topLeft;
        QPoint pixel;
        int stepX;
        int stepY;
    };
    const Case cases[] = {
        {{10.0, 5.0}, {10, 5}, 0, 0},
        {{10.25, 5.5}, {10, 5}, 1, 2},
        {{10.9, 5.1}, {11, 5}, 0, 0},
        {{10.7, 5.8}, {10, 5}, 3, 3},
        {{-0.3, -1.6}, {-1, -2}, 3, 2},
    };
    for (const Case& c : cases) {
        const SubPixelSprites::Placement at = SubPixelSprites::place(c.topLeft);
        EXPECT_EQ(at.pixel, c.pixel) << c.topLeft.x() << ", " << c.topLeft.y();
        EXPECT_EQ(at.stepX, c.stepX) << c.topLeft.x();
        EXPECT_EQ(at.stepY, c.stepY) << c.topLeft.y();
    }
}

TEST(SubPixelSprites, AShiftMovesTheInkByItsStepsAndKeepsAllOfIt)
{
    const QImage image = sprite();
    const Ink before = inkOf(image);
    for (int sy = 0; sy < SubPixelSprites::kSteps; ++sy)
        for (int sx = 0; sx < SubPixelSprites::kSteps; ++sx) {
            const QImage moved = SubPixelSprites::shift(image, sx, sy);
            ASSERT_EQ(moved.size(), QSize(4, 3));
            const Ink after = inkOf(moved);
            EXPECT_NEAR(after.total, before.total, 3.0) << sx << ", " << sy;
            EXPECT_NEAR(after.centre.x() - before.centre.x(), sx / 4.0, 0.01) << sx << ", " << sy;
            EXPECT_NEAR(after.centre.y() - before.centre.y(), sy / 4.0, 0.01) << sx << ", " << sy;
            for (int y = 0; y < moved.height(); ++y)
                for (int x = 0; x < moved.width(); ++x) {
                    const QRgb p = moved.pixel(x, y);
                    EXPECT_LE(std::max({qRed(p), qGreen(p), qBlue(p)}), qAlpha(p)) << "not premultiplied";
                }
        }
    // A half-pixel step shares an opaque pixel equally.
    QImage dot(1, 1, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::white);
    const QImage half = SubPixelSprites::shift(dot, 2, 0);
    EXPECT_EQ(qAlpha(half.pixel(0, 0)), 128);
    EXPECT_EQ(qAlpha(half.pixel(1, 0)), 128);
    EXPECT_EQ(qAlpha(half.pixel(0, 1)), 0);
}

TEST(SubPixelSprites, KeepsOneCopyPerStepAndDropsThoseOfAnImageThatChanged)
{
    SubPixelSprites sprites;
    QImage image = sprite();
    const QImage* first = &sprites.shifted(image, 1, 2);
    EXPECT_EQ(&sprites.shifted(image, 1, 2), first);
    EXPECT_EQ(&sprites.shifted(image, 0, 0), &image);
    // A sprite tinted anew must not be drawn in its old colour.
    image.fill(qRgba(0, 255, 0, 255));
    const QImage& tinted = sprites.shifted(image, 1, 2);
    EXPECT_EQ(qGreen(tinted.pixel(1, 1)), 255);
    // An image that is not premultiplied comes back premultiplied.
    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(sprites.shifted(straight, 0, 0).format(), QImage::Format_ARGB32_Premultiplied);
}
