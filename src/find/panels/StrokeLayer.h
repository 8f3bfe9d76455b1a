#pragma once

#include <QImage>
#include <QLineF>
#include <QPen>

#include <vector>

class QPainter;

// One colour's anti-aliased strokes, kept as an image while they stay the
// same: stroking some 6,000 wide anti-aliased segments costs tens of
// milliseconds a repaint, laying the kept image over the chart about one.
class StrokeLayer {
public:
    // Strokes `segments` in `pen` over an area of `size` from the origin, the
    // kept image standing in while segments, pen and device scale are
    // unchanged. A painter turned, sheared or offset by part of a pixel is
    // stroked directly: the image would not fall pixel on pixel.
    void draw(QPainter& painter, const std::vector<QLineF>& segments, const QPen& pen, QSize size);

private:
    std::vector<QLineF> m_segments;
    QPen m_pen;
    QImage m_image;
};
