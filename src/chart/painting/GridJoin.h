#pragma once

#include "skydraw/PrintMapping.h"

#include <QLineF>

#include <cmath>
#include <vector>

// The line layers' joins: a segment between two table points, added only
// when both are visible, so that a hidden point drops both its segments.
namespace GridJoin {

template <class Record>
QPointF pointOf(const Record& r, const PrintMapping& mapping)
{
    return mapping.map(r.screenPt.x, r.screenPt.y);
}

template <class Record>
void join(std::vector<QLineF>& lines, const Record& from, const Record& to, const PrintMapping& mapping)
{
    if (from.visible == 0 || to.visible == 0)
        return;
    lines.emplace_back(pointOf(from, mapping), pointOf(to, mapping));
}

// A plus sign of two 10-point strokes centred on the point.
inline void addPlus(std::vector<QLineF>& lines, QPointF p)
{
    lines.emplace_back(p.x() - 5.0, p.y(), p.x() + 5.0, p.y());
    lines.emplace_back(p.x(), p.y() - 5.0, p.x(), p.y() + 5.0);
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
