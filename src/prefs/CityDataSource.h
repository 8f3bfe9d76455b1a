#pragma once

#include "model/records/cityList.h"
#include "prefs/CityTableModel.h"

#include <QString>

#include <optional>

// The Setup tab's two city lists, US (tag 1) and world (tag 2), each built
// from its text in "Build Data" into its binary table in "Database".
class CityDataSource final {
public:
    enum Tag { kUSTag = 1, kWorldTag = 2 };

    // `databaseDirectory` and `buildDirectory` end in a '/'.
    CityDataSource(const QString& databaseDirectory, const QString& buildDirectory);

    void createUSCityList() { m_us.create(); }
    void createWorldCityList() { m_world.create(); }
    CityTableModel& usCities() { return m_us; }
    CityTableModel& worldCities() { return m_world; }
    // The table of `tag`, or none for another tag.
    CityTableModel* model(int tag);

    // A copy of the record a click on `row` of table `tag` chose; nothing for
    // a click outside the rows or another tag.
    std::optional<cityList> cityClickedAction(int tag, int row);

private:
    CityTableModel m_us;
    CityTableModel m_world;
};
