#pragma once

#include "model/PrefFixture.h"
#include "skydraw/ColorNear.h"

#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

// Settings after their launch read, and a black chart image to paint into.
// Chart points have y upward: the pixel of chart point (x, y) of an image
// h pixels high is column x, row h − 1 − y.
class PaintingTest : public PrefFixture {
public:

    static QImage render(int width, int height, const std::function<void(ChartCanvas&)>& paint,
                         QColor background = Qt::black)
    {
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(background);
        QPainter painter(&image);
        ChartCanvas canvas(painter, height);
        paint(canvas);
        return image;
    }
    // The colour at chart point (x, y).
    static QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, image.height() - 1 - y); }
    // The largest difference of a colour channel between two images of one
    // size.
    static int largestDifference(const QImage& a, const QImage& b)
    {
        int most = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y);
                const QRgb q = b.pixel(x, y);
                most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                 std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            }
        return most;
    }
    // How far the pixels of `moved` lie from a drawing: the largest, over
    // its pixels, of the smallest channel difference to a pixel of `still`
    // within `reach` pixels of the same place.
    static int largestDifferenceWithin(const QImage& moved, const QImage& still, int reach)
    {
        const auto difference = [](QRgb p, QRgb q) {
            return std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        };
        int most = 0;
        for (int y = 0; y < moved.height(); ++y)
            for (int x = 0; x < moved.width(); ++x) {
                int nearest = 255;
                for (int v = std::max(0, y - reach); v <= std::min(still.height() - 1, y + reach); ++v)
                    for (int u = std::max(0, x - reach); u <= std::min(still.width() - 1, x + reach); ++u)
                        nearest = std::min(nearest, difference(moved.pixel(x, y), still.pixel(u, v)));
                most = std::max(most, nearest);
            }
        return most;
    }
    // The alpha-weighted centre of an image in chart points (y upward), and
    // its whole alpha.
    static std::pair<QPointF, double> inkCentre(const QImage& image)
    {
        double sum = 0.0;
        QPointF moment;
        for (int row = 0; row < image.height(); ++row)
            for (int col = 0; col < image.width(); ++col) {
                const double a = qAlpha(image.pixel(col, row));
                sum += a;
                moment += a * QPointF(col + 0.5, image.height() - row - 0.5);
            }
        return {sum > 0.0 ? moment / sum : QPointF(), sum};
    }
    // Pixels that differ from the background.
    static int inkCount(const QImage& image, QColor background = Qt::black)
    {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) != background ? 1 : 0;
        return count;
    }

protected:
    void SetUp() override
    {
        PrefFixture::SetUp();
        m_settings = &launch();
    }
    PrefControl& prefs() { return *m_settings; }

private:
    PrefControl* m_settings = nullptr;
};
