#pragma once

#include "scopeview/SVLayerContext.h"

#include "model/records/nomadData.h"

#include <QString>

#include <span>

// The cone-search stars of the telescope view: filled discs as stars or
// rings as an overlay, sized by V magnitude, with their magnitudes, and the
// grid of right ascension and declination about the field centre.
namespace SVConeSearchLayer {

struct Options {
    bool isNomadStar = false;     // drawn as stars rather than as an overlay
    bool isNomadShowMag = false;  // magnitude labels
    bool isNomadGrid = false;
};

// Stores each star's projected point in its record.
void drawStars(const SVLayerContext& c, std::span<nomadData> stars, const Options& options);
// `fov`: the field in degrees; `trackRAPlus`, `trackDecPlus`: the centre in degrees.
void drawGrid(const SVLayerContext& c, double fov, double trackRAPlus, double trackDecPlus);

// The size of a star of V magnitude `vMag`: 11.0 below -0.5, half a point
// less per magnitude, 2.0 from 16.5.
double starSize(float vMag);
// Grid labels: right ascension (degrees) as "HHhMMmSSs", declination
// (degrees) as "DD°MM'SS\"" with its sign, seconds rounded and carried.
QString raLabel(double ra);
QString decLabel(double dec);

}  // namespace SVConeSearchLayer
