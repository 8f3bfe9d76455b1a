#pragma once

#include "model/projection/ProjectionFrame.h"
#include "model/records/AltAzLocn.h"
#include "model/records/RALocn.h"

#include <span>

// The projection of the two coordinate grids. The equatorial grid is of date
// (never precessed); the alt-azimuth table is fixed in the horizon frame, so
// it needs no rotation at all.
namespace GridProjection {

// The alt-azimuth table: this many grid points, then the eight marks.
inline constexpr std::size_t kAltAzGridLines = 3106;

// Shown down to the overlay cut below the horizon, or at any height in the
// all-sky chart, where the ground area masks them.
void projectRAGrid(std::span<RALocn> points, const ProjectionFrame& frame, bool isTimeChange);
// The grid points of the alt-azimuth table (the first kAltAzGridLines).
void projectAltAzGrid(std::span<AltAzLocn> table, const ProjectionFrame& frame);
// The eight marks after them.
void projectAltAzMarks(std::span<AltAzLocn> table, const ProjectionFrame& frame);

}  // namespace GridProjection
