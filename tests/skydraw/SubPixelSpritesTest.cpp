#include "PaintingFixture.h"

#include "skydraw/SubPixelSprites.h"

#include <gtest/gtest.h>

namespace {

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
    const std::tuple<QPointF, QPoint, int, int> cases[] = {
        {{10.0, 5.0}, {10, 5}, 0, 0}, {{10.25, 5.5}, {10, 5}, 1, 2}, {{10.9, 5.1}, {11, 5}, 0, 0},
        {{10.7, 5.8}, {10, 5}, 3, 3}, {{-0.3, -1.6}, {-1, -2}, 3, 2}, {{-1.0, -0.125}, {-1, 0}, 0, 0},
        {{10.125, -2.375}, {10, -3}, 1, 3}, {{-7.9, 1919.8}, {-8, 1919}, 0, 3}};
    for (const auto& [topLeft, pixel, stepX, stepY] : cases) {
        const SubPixelSprites::Placement at = SubPixelSprites::place(topLeft);
        EXPECT_EQ(at.pixel, pixel) << topLeft.x() << ", " << topLeft.y();
        EXPECT_EQ(at.stepX, stepX) << topLeft.x();
        EXPECT_EQ(at.stepY, stepY) << topLeft.y();
    }
}

TEST(SubPixelSprites, AShiftMovesTheInkByItsStepsAndKeepsAllOfIt)
{
    const auto [centre, total] = PaintingTest::inkCentre(sprite());
    for (int sy = 0; sy < SubPixelSprites::kSteps; ++sy)
        for (int sx = 0; sx < SubPixelSprites::kSteps; ++sx) {
            // One pixel larger, so the chart's y of every row grows by one.
            const auto [moved, movedTotal] = PaintingTest::inkCentre(SubPixelSprites::shift(sprite(), sx, sy));
            EXPECT_NEAR(movedTotal, total, 3.0) << sx << ", " << sy;
            EXPECT_NEAR(moved.x() - centre.x(), sx / 4.0, 0.01) << sx << ", " << sy;
            EXPECT_NEAR(moved.y() - 1.0 - centre.y(), -sy / 4.0, 0.01) << sx << ", " << sy;
        }
}

TEST(SubPixelSprites, KeepsOneCopyPerStepAndNoneOfAnImageThatChanged)
{
    SubPixelSprites sprites;
    QImage image = sprite();
    const QImage* first = &sprites.shifted(image, 1, 2);
    EXPECT_EQ(&sprites.shifted(image, 1, 2), first);
    EXPECT_EQ(&sprites.shifted(image, 0, 0), &image);
    // A sprite tinted anew must not be drawn in its old colour.
    image.fill(qRgba(0, 255, 0, 255));
    EXPECT_EQ(qGreen(sprites.shifted(image, 1, 2).pixel(1, 1)), 255);
    EXPECT_EQ(sprites.shifted(image.convertToFormat(QImage::Format_ARGB32), 0, 0).format(),
              QImage::Format_ARGB32_Premultiplied);
}

// Past the most copies kept all are dropped: none found afterwards may be a
// dropped one.
TEST(SubPixelSprites, ADroppedKeepLeavesNoStaleCopy)
{
    SubPixelSprites sprites;
    const QImage image = sprite();
    const QImage expected = SubPixelSprites::shift(image, 3, 1);
    EXPECT_EQ(sprites.shifted(image, 3, 1), expected);
    std::vector<QImage> others;
    for (int i = 0; i < 8200; ++i) {
        others.emplace_back(1, 1, QImage::Format_ARGB32_Premultiplied);
        others.back().fill(qRgba(i % 256, 0, 0, 255));
        sprites.shifted(others.back(), 1, 0);
    }
    EXPECT_EQ(sprites.shifted(image, 3, 1), expected);
    EXPECT_EQ(sprites.shifted(image, 3, 1), expected);
}
