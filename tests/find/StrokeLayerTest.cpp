#include "find/panels/StrokeLayer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

const std::vector<QLineF> kSegments{{QLineF(10, 10, 90, 40)}, {QLineF(90, 40, 150, 20)}};
const std::vector<QLineF> kOtherSegments{{QLineF(10, 60, 90, 90)}};

// The segments through a kept layer, and stroked straight onto the image, on the same painter set-up.
struct Drawings {
    QImage kept;
    QImage direct;
};

Drawings draw(StrokeLayer& layer, const std::vector<QLineF>& segments, const QPen& pen, const QTransform& transform)
{
    Drawings d{QImage(200, 100, QImage::Format_ARGB32_Premultiplied), {}};
    d.kept.fill(Qt::black);
    d.direct = d.kept;
    for (QImage* image : {&d.kept, &d.direct}) {
        QPainter painter(image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setTransform(transform);
        if (image == &d.kept) {
            layer.draw(painter, segments, pen, QSize(200, 100));
        } else {
            painter.setPen(pen);
            painter.drawLines(segments.data(), int(segments.size()));
        }
    }
    return d;
}

// Every colour of every pixel the same but for rounding.
bool sameWithinRounding(const QImage& a, const QImage& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 2 || std::abs(qGreen(p) - qGreen(q)) > 2 || std::abs(qBlue(p) - qBlue(q)) > 2)
                return false;
        }
    return true;
}

// New segments or a new pen are never drawn from the image kept for the old
// ones; a turned or half-pixel-shifted painter is stroked as without a layer.
TEST(StrokeLayer, DrawsAsTheDirectStrokeForEveryPenAndPainter)
{
    StrokeLayer layer;
    const struct {
        const std::vector<QLineF>& segments;
        QPen pen;
        QTransform transform;
        const char* what;
    } cases[] = {
        {kSegments, QPen(Qt::red, 1.5), {}, "first drawing"},
        {kSegments, QPen(Qt::red, 1.5), {}, "from the kept image"},
        {kSegments, QPen(Qt::blue, 1.5), {}, "a new colour"},
        {kOtherSegments, QPen(Qt::blue, 1.5), {}, "new segments"},
        {kSegments, QPen(Qt::blue, 3.0), {}, "a new width"},
        {kSegments, QPen(Qt::blue, 3.0), QTransform().rotate(10), "turned"},
        {kSegments, QPen(Qt::blue, 3.0), QTransform::fromTranslate(0.5, 0.0), "half a pixel on"},
        {kSegments, QPen(Qt::blue, 3.0), QTransform::fromTranslate(7.0, 3.0), "whole pixels on"},
    };
    for (const auto& c : cases) {
        const Drawings d = draw(layer, c.segments, c.pen, c.transform);
        EXPECT_TRUE(sameWithinRounding(d.kept, d.direct)) << c.what;
    }
}

}  // namespace
