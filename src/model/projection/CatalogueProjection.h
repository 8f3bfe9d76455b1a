#pragma once

#include "model/projection/CatalogueFilters.h"
#include "model/projection/ProjectionFrame.h"
#include "model/records/boundaryLocn.h"
#include "model/records/conLocn.h"
#include "model/records/deepSky.h"
#include "model/records/star.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class DeepSkyFilter;

// The projection of the catalogues kept on the J2000.0 equator: stars (with
// proper motion), the simulated star, constellation labels and boundaries,
// deep-sky objects. Horizon vectors are recomputed only while the sky moved
// (`isTimeChange`), but for the simulated star, which is recomputed always.
namespace CatalogueProjection {

// The horizon vector of a star at the frame's date: its catalogue place moved
// by its proper motion (rates of RA and Dec, radians per Julian century),
// precessed and rotated.
HorizonVector starDirection(const star& s, const ProjectionFrame& frame);

// Every star gets its horizon vector while the sky moved, kept or not;
// `onScreen` gets the positions of the stars on screen, in order.
void projectStars(std::span<star> stars, const ProjectionFrame& frame, bool isTimeChange,
                  const CatalogueFilters::StarFilter& filter, std::vector<std::uint32_t>& onScreen);
// Never filtered.
void projectSimStar(star& simStar, const ProjectionFrame& frame);
void projectLabels(std::span<conLocn> labels, const ProjectionFrame& frame, bool isTimeChange);
// Shown down to the overlay cut below the horizon.
void projectBoundaries(std::span<boundaryLocn> points, const ProjectionFrame& frame,
                       bool isTimeChange);
// A filtered object keeps its old horizon vector.
void projectDeepSky(std::span<deepSky> objects, const ProjectionFrame& frame, bool isTimeChange,
                    const DeepSkyFilter& filter, std::optional<std::uint32_t> selected);

}  // namespace CatalogueProjection
