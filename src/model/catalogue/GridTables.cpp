#include "model/catalogue/GridTables.h"

#include "model/catalogue/ShippedTable.h"

namespace {

template <class Record>
TableError loadGrid(const QString& path, std::size_t count, const char* error,
                    std::vector<Record>& points)
{
    std::vector<Record> loaded;
    if (TableError failure = loadShippedTable(path, loaded, error))
        return failure;
    if (loaded.size() != count)
        return QString(error);
    points = std::move(loaded);
    return {};
}

}  // namespace

TableError GridTables::loadRAGrid(const QString& tvkDirectory, std::vector<RALocn>& points)
{
    return loadGrid(tvkDirectory + "RAGrid.tvk", kRAGridPoints,
                    CatalogueMessages::kCanNotBuildRAGridData, points);
}

TableError GridTables::loadAltAzGrid(const QString& tvkDirectory, std::vector<AltAzLocn>& points)
{
    return loadGrid(tvkDirectory + "AltAzGrid.tvk", kAltAzGridPoints,
                    CatalogueMessages::kCanNotBuildAltAzGridData, points);
}
