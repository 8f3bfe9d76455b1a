#pragma once

#include "model/catalogue/CatalogueMessages.h"
#include "model/records/boundaryLocn.h"
#include "model/records/conLine.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// The shipped constellation figure lines ("Constellations.tvk") and boundary
// vertices ("Boundary.tvk").
class ConstellationTables {
public:
    static constexpr std::size_t kMinBoundaryVertices = 1600;

    using DebugSink = std::function<void(const QString&)>;

    // Any length is accepted, none included. A figure line is drawn between two
    // stars by their index, so lines naming a star outside the star table are
    // dropped and reported to `debug`.
    static TableError loadConLines(const QString& tvkDirectory, std::uint32_t numStars,
                                   std::vector<conLine>& lines, const DebugSink& debug);

    // Removes the lines naming a star outside 0 … numStars - 1; returns how many.
    static std::size_t dropBadConLines(std::vector<conLine>& lines, std::uint32_t numStars,
                                       const DebugSink& debug);

    // At least kMinBoundaryVertices vertices.
    static TableError loadBoundaries(const QString& tvkDirectory,
                                     std::vector<boundaryLocn>& vertices);
};
