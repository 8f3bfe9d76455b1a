#pragma once

#include "model/records/cityList.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>
#include <vector>

// One city list of the Setup tab: a binary table ("USCity.tvk") of 48-byte
// records in the user's "Database" folder, built from a Mac OS Roman source
// text ("BuildUSCity.txt") in "Build Data" when it is missing or damaged.
class CityTable {
public:
    struct Files {
        QString binaryPath;
        QString textPath;
        // The title of the alert when the records cannot be allocated.
        QString allocationTitle;
    };

    // Fewer records than this in the binary file mean a damaged file.
    static constexpr qint64 kMinRecords = 10;
    // Readers stop here: no city list comes near either size.
    static constexpr qint64 kMaxBinaryBytes = qint64(sizeof(cityList)) * 1'000'000;
    static constexpr qint64 kMaxTextBytes = 64 * 1024 * 1024;

    explicit CityTable(Files files) : m_files(std::move(files)) {}

    // Loads the binary file when every record in it is sound, else builds it
    // from the text. A missing text leaves the table empty without a word;
    // a bad text, no memory or a failed write alerts and leaves it empty.
    void create();
    // Builds the table and its binary file again from the text. On failure
    // (alerted) the old file and records stay; false then.
    bool rebuild();

    const Files& files() const { return m_files; }
    std::size_t size() const { return m_records.size(); }
    const cityList& record(std::size_t row) const { return m_records[row]; }
    // One name a record, in file order, decoded from Mac OS Roman.
    const QStringList& names() const { return m_names; }

    // Latitude, longitude and zone finite and in range, the name terminated
    // within its 31 bytes.
    static bool isSound(const cityList& city);
    // A record from a source line's eight fields; nothing when they are not
    // eight or the city is not sound. A longer name is cut at 31 bytes.
    static std::optional<cityList> fromFields(const std::vector<std::string_view>& fields);

private:
    enum class Outcome { Built, NoText, Failed };

    bool loadBinary(std::vector<cityList>& records) const;
    Outcome build(std::vector<cityList>& records) const;
    void take(std::vector<cityList> records);

    Files m_files;
    std::vector<cityList> m_records;
    QStringList m_names;
};
