#pragma once

#include <QPointF>

// The view centre, degrees: azimuth 0 to 360 from north through east,
// altitude -90 to 90.
struct ViewDirection {
    double azimuth;
    double altitude;
};

// One step of a pan drag: the sky follows the pointer. `move` is the
// pointer's movement in chart points (x right, y up, as the drag's start
// minus its end for y), `radius` the projection radius in points and
// `mouseAlt` the altitude under the pointer in degrees; the azimuth step is
// widened by 1 / cos of that altitude, taken at most 80 degrees so that it
// stays bounded near the zenith. A step longer than half the radius turns
// the view by 90 degrees at most. No radius (no projection yet) leaves the
// view as it is.
ViewDirection panStep(ViewDirection view, QPointF move, double radius, double mouseAlt, bool showBelow);
