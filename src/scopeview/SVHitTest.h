#pragma once

#include "scopeview/SVDiscPainter.h"

#include "model/records/ht2Star.h"
#include "model/records/nomadData.h"

#include <QPointF>
#include <QString>

#include <optional>
#include <span>
#include <utility>

class SVProjection;
struct ChartSky;

// The telescope view's hit test (findSVObject): the first object whose drawn
// point lies in a small square about the click, searched kind by kind.
namespace SVHitTest {

struct Input {
    QPointF point;      // view coordinates, as the layers draw
    double viewWidth;   // points
    const SVProjection& projection;  // of the last pass
    const ChartSky& sky;
    double T;           // Julian centuries from J2000 for proper motions
    const SVDiscState& discs;
    std::span<const ht2Star> ht2Stars;
    std::span<const nomadData> nomadStars;  // empty without cone-search data
    bool isNomadShown;  // cone-search stars stand in for the catalogues' stars
};

struct Hit {
    int findIndex = -1;
    std::optional<QString> name;       // none: the selection's name stays
    std::optional<QPointF> findPoint;  // none: it stays
    std::optional<std::pair<double, double>> centre;  // a track click's new centre, radians of date
};

// Half the side of the hit square: 3 points, or 0.4 % of a wider view.
double halfSide(double viewWidth);
Hit find(const Input& in);

}  // namespace SVHitTest
