#pragma once

#include "chart/painting/PrintMapping.h"

#include <QPainterPath>

#include <cmath>
#include <span>

// The line layers' joins: a segment between two table points, added only
// when both are visible, so that a hidden point drops both its segments.
namespace GridJoin {

template <class Record>
QPointF pointOf(const Record& r, const PrintMapping& mapping)
{
    return mapping.map(r.screenPt.x, r.screenPt.y);
}

template <class Record>
void join(QPainterPath& path, const Record& from, const Record& to, const PrintMapping& mapping)
{
    if (from.visible == 0 || to.visible == 0)
        return;
    path.moveTo(pointOf(from, mapping));
    path.lineTo(pointOf(to, mapping));
}

// A plus sign of two 10-point strokes centred on the point.
inline void addPlus(QPainterPath& path, QPointF p)
{
    path.moveTo(p.x() - 5.0, p.y());
    path.lineTo(p.x() + 5.0, p.y());
    path.moveTo(p.x(), p.y() - 5.0);
    path.lineTo(p.x(), p.y() + 5.0);
}

// Both points lie on one declination circle.
template <class Record>
bool isSameDeclination(const Record& a, const Record& b)
{
    const double za = a.vecZ;
    const double zb = b.vecZ;
    return std::asin(za) == std::asin(zb);
}

}  // namespace GridJoin
