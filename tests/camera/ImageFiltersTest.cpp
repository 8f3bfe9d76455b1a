#include "camera/image/ColorAdjust.h"
#include "camera/image/ImageFilters.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

QImage filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QRgb at(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xffffff;
}

}  // namespace

TEST(ImageFilters, DifferenceAdditionAndLightenWorkPerChannel)
{
    QImage image = filled(4, 2, qRgb(100, 20, 250));
    ImageFilters::difference(image, filled(4, 2, qRgb(30, 50, 250)));
    EXPECT_EQ(at(image, 3, 1), 0x461e00u);  // 70, 30, 0

    QImage sum = filled(2, 2, qRgb(100, 10, 200));
    const QImage a = filled(2, 2, qRgb(100, 10, 40));
    const QImage b = filled(2, 2, qRgb(100, 10, 40));
    const std::array<const QImage*, 2> others{&a, &b};
    ImageFilters::addition(sum, others);
    EXPECT_EQ(at(sum, 1, 1), qRgb(255, 30, 255) & 0xffffff);

    // A transparent overlay pixel leaves the frame; one hanging over the edge is clipped.
    QImage frame = filled(4, 4, qRgb(50, 50, 50));
    QImage overlay(2, 2, QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    overlay.setPixel(0, 0, qRgba(200, 0, 100, 255));
    overlay.setPixel(1, 1, qRgba(200, 200, 200, 255));
    ImageFilters::lighten(frame, overlay, QPoint(3, 3));
    EXPECT_EQ(at(frame, 3, 3), qRgb(200, 50, 100) & 0xffffff);
    EXPECT_EQ(at(frame, 2, 2), qRgb(50, 50, 50) & 0xffffff);
    ImageFilters::lighten(frame, overlay, QPoint(-1, -1));
    EXPECT_EQ(at(frame, 0, 0), qRgb(200, 200, 200) & 0xffffff);
}

TEST(ImageFilters, GreyIsLuminanceRowsFromTheTop)
{
    QImage image = filled(3, 2, qRgb(0, 0, 0));
    image.setPixel(2, 0, qRgb(255, 255, 255));
    image.setPixel(0, 1, qRgb(0, 255, 0));
    image.setPixel(1, 1, qRgb(255, 0, 0));
    std::vector<std::uint8_t> grey(6, 7);
    ImageFilters::grey(image, grey);
    EXPECT_EQ(grey, (std::vector<std::uint8_t>{0, 0, 255, 182, 54, 0}));
    // A buffer too small for the frame is left alone.
    std::vector<std::uint8_t> small(5, 7);
    ImageFilters::grey(image, small);
    EXPECT_EQ(small, std::vector<std::uint8_t>(5, 7));
}

TEST(ImageFilters, CopyRowsReadsThroughThePaddedRowLength)
{
    // Rows of 3 pixels padded to 5: the padding holds a marker that must not show.
    std::vector<quint32> bytes(5 * 2, 0xffabcdefu);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            bytes[std::size_t(y * 5 + x)] = 0xff000000u | quint32(y * 3 + x);
    const QImage padded(reinterpret_cast<const uchar*>(bytes.data()), 3, 2, 5 * 4, QImage::Format_RGB32);
    QImage copy = filled(3, 2, 0);
    ImageFilters::copyRows(padded, copy);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(at(copy, x, y), quint32(y * 3 + x)) << x << "," << y;
}

TEST(ColorAdjust, NeutralValuesKeepThePixels)
{
    QImage image = filled(4, 4, qRgb(10, 128, 240));
    ColorAdjust adjust;
    adjust.apply(image);
    EXPECT_EQ(at(image, 2, 2), qRgb(10, 128, 240) & 0xffffff);
}

TEST(ColorAdjust, EachAdjustmentDoesWhatItSays)
{
    ColorAdjust adjust;
    QImage image = filled(4, 4, qRgb(40, 60, 100));
    adjust.setValues({.ev = 1.0f});
    adjust.apply(image);
    EXPECT_EQ(at(image, 1, 1), qRgb(80, 120, 200) & 0xffffff);

    image = filled(4, 4, qRgb(128, 128, 128));
    adjust.setValues({.gamma = 2.0f});
    adjust.apply(image);
    EXPECT_NEAR(qRed(image.pixel(1, 1)), 64, 1);

    // No saturation leaves the luminance grey; a hue turn keeps grey grey.
    image = filled(4, 4, qRgb(255, 0, 0));
    adjust.setValues({.saturation = 0.0f});
    adjust.apply(image);
    EXPECT_NEAR(qRed(image.pixel(1, 1)), 54, 1);
    EXPECT_EQ(qRed(image.pixel(1, 1)), qBlue(image.pixel(1, 1)));
    image = filled(4, 4, qRgb(90, 90, 90));
    adjust.setValues({.hue = 2.0f});
    adjust.apply(image);
    EXPECT_EQ(at(image, 1, 1), qRgb(90, 90, 90) & 0xffffff);
    // A full turn of hue is no change.
    image = filled(4, 4, qRgb(200, 40, 90));
    adjust.setValues({.hue = float(2 * M_PI)});
    adjust.apply(image);
    EXPECT_NEAR(qGreen(image.pixel(1, 1)), 40, 1);
}

TEST(ColorAdjust, NoiseReductionSmoothsSpeckleButKeepsStars)
{
    QImage image = filled(5, 5, qRgb(100, 100, 100));
    image.setPixel(1, 1, qRgb(104, 104, 104));  // noise
    image.setPixel(3, 3, qRgb(250, 250, 250));  // a star
    ColorAdjust adjust;
    adjust.setValues({.noise = 0.05f});
    adjust.apply(image);
    EXPECT_EQ(at(image, 1, 1), qRgb(100, 100, 100) & 0xffffff);
    EXPECT_EQ(at(image, 3, 3), qRgb(250, 250, 250) & 0xffffff);
}
