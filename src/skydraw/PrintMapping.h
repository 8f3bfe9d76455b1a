#pragma once

#include <QPointF>
#include <QTransform>

// Where a screen chart point lands on the printed page: scaled by `scale`
// and moved by (dx, dy), both fixed per page. Offsets of symbols and labels
// from the mapped point stay in page points.
struct PrintMapping {
    double scale = 1.0;
    double dx = 0.0;
    double dy = 0.0;

    QPointF map(QPointF p) const { return {p.x() * scale + dx, p.y() * scale + dy}; }
    QPointF map(double x, double y) const { return map(QPointF(x, y)); }
    QTransform transform() const { return QTransform(scale, 0.0, 0.0, scale, dx, dy); }
};
