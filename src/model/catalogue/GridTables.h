#pragma once

#include "model/catalogue/CatalogueMessages.h"
#include "model/records/AltAzLocn.h"
#include "model/records/RALocn.h"

#include <QString>

#include <vector>

// The shipped coordinate grids, "RAGrid.tvk" and "AltAzGrid.tvk". The chart
// walks a fixed number of points in each, so a file is taken only when it
// holds exactly that many whole records (bytes of a partial record after them
// are ignored); any other length is refused with the grid's message.
class GridTables {
public:
    static constexpr std::size_t kRAGridPoints = 3044;
    // The grid proper, then eight marks.
    static constexpr std::size_t kAltAzGridPoints = 3114;

    static TableError loadRAGrid(const QString& tvkDirectory, std::vector<RALocn>& points);
    static TableError loadAltAzGrid(const QString& tvkDirectory, std::vector<AltAzLocn>& points);
};
