#pragma once

#include "scopeview/SVLayerContext.h"

#include <QDateTime>

class SVDiscPainter;

// The telescope view's solar-system layers, all from records of date: the
// selected body's path with its date labels, comets, minor planets with the
// ring of the nearest near-Earth object, and the Sun, Moon and planets as
// discs, or as sprites (black dots on paper) while too small for one.
namespace SVSolarSystemLayers {

// The maximum magnitude setting above which every body shows.
inline constexpr double kNoMagLimit = 23.5;

void drawPath(const SVLayerContext& c);
void drawComets(const SVLayerContext& c);
void drawMinorPlanets(const SVLayerContext& c);
// `discs` paints the bodies large enough for a disc; without it every body
// is a sprite.
void drawPlanets(const SVLayerContext& c, SVDiscPainter* discs);

// Whether a path point is far enough from the last labelled one for its own
// date label: more than 48 points across or 9 up or down.
bool isLabelClear(QPointF last, QPointF p);
// The sprite class of a planet: 0 (value 12 and up) to 13 (below 0), from
// (mag - 12.5) x bright + 12.5.
int planetClass(float mag, double starBrightVal);
// On paper: the dot's diameter (1 to 11 points) of that brightness value.
int planetPrintDot(float mag, double starBrightVal);

}  // namespace SVSolarSystemLayers
