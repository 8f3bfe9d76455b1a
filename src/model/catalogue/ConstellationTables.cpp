#include "model/catalogue/ConstellationTables.h"

#include "model/catalogue/ShippedTable.h"

TableError ConstellationTables::loadConLines(const QString& tvkDirectory, std::uint32_t numStars,
                                             std::vector<conLine>& lines, const DebugSink& debug)
{
    std::vector<conLine> loaded;
    if (TableError error = loadShippedTable(tvkDirectory + "Constellations.tvk", loaded,
                                            CatalogueMessages::kCanNotBuildConstellationData))
        return error;
    dropBadConLines(loaded, numStars, debug);
    lines = std::move(loaded);
    return {};
}

std::size_t ConstellationTables::dropBadConLines(std::vector<conLine>& lines,
                                                 std::uint32_t numStars, const DebugSink& debug)
{
    const auto outside = [numStars](std::int32_t index) {
        return index < 0 || std::uint32_t(index) >= numStars;
    };
    std::vector<conLine> kept;
    kept.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const conLine& line = lines[i];
        if (!outside(line.star1) && !outside(line.star2)) {
            kept.push_back(line);
        } else if (debug) {
            debug(QString("Constellation line %1 dropped: stars %2, %3 of %4")
                      .arg(i)
                      .arg(line.star1)
                      .arg(line.star2)
                      .arg(numStars));
        }
    }
    const std::size_t dropped = lines.size() - kept.size();
    lines = std::move(kept);
    return dropped;
}

TableError ConstellationTables::loadBoundaries(const QString& tvkDirectory,
                                               std::vector<boundaryLocn>& vertices)
{
    std::vector<boundaryLocn> loaded;
    if (TableError error = loadShippedTable(tvkDirectory + "Boundary.tvk", loaded,
                                            CatalogueMessages::kBoundaryAccessError))
        return error;
    if (loaded.size() < kMinBoundaryVertices)
        return QString(CatalogueMessages::kBoundaryNumberError);
    vertices = std::move(loaded);
    return {};
}
