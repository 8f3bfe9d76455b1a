#pragma once

#include "model/projection/CatalogueFilters.h"
#include "model/projection/ProjectionFrame.h"
#include "model/records/comet.h"
#include "model/records/planet.h"
#include "model/records/planetPath.h"

#include <span>

// The projection of the solar-system records, whose vectors are of date
// already (no precession). Horizon vectors are recomputed only while the sky
// moved.
namespace SolarSystemProjection {

// Never filtered. Entry 0, the Sun, is always given its chart point and
// shown, wherever it stands (the chart draws the daylight from it).
void projectPlanets(std::span<planet> planets, const ProjectionFrame& frame, bool isTimeChange);
// A point is shown (1) or not (0).
void projectPath(std::span<planetPath> points, const ProjectionFrame& frame, bool isTimeChange);
// A filtered comet keeps its old horizon vector.
void projectComets(std::span<comet> comets, const ProjectionFrame& frame, bool isTimeChange,
                   const CatalogueFilters::CometFilter& filter);

}  // namespace SolarSystemProjection
