#include "prefs/CityDataSource.h"

namespace {

CityTable::Files files(const QString& database, const QString& build, const char* table, const char* title)
{
    return {database + table + QStringLiteral(".tvk"), build + QStringLiteral("Build") + table + QStringLiteral(".txt"),
            QString::fromUtf8(title)};
}

}  // namespace

CityDataSource::CityDataSource(const QString& databaseDirectory, const QString& buildDirectory)
    : m_us(files(databaseDirectory, buildDirectory, "USCity", "Startup Failed")),
      m_world(files(databaseDirectory, buildDirectory, "WorldCity", "Startup Error"))
{
}

CityTableModel* CityDataSource::model(int tag)
{
    switch (tag) {
    case kUSTag: return &m_us;
    case kWorldTag: return &m_world;
    default: return nullptr;
    }
}

std::optional<cityList> CityDataSource::cityClickedAction(int tag, int row)
{
    const CityTableModel* table = model(tag);
    if (!table || row < 0 || row >= table->rowCount())
        return std::nullopt;
    return table->table().record(std::size_t(row));
}
