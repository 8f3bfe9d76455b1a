#include "prefs/CityTable.h"

#include "model/catalogue/SourceText.h"
#include "model/records/TvkFile.h"
#include "platform/AlertPanel.h"
#include "platform/MacRoman.h"
#include "platform/NumberReader.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <cstring>
#include <new>

namespace {

constexpr char kStartupError[] = "Startup Error";
constexpr char kCanNotBuild[] = "Can not build city data.";
constexpr char kCanNotAllocate[] = "Can not allocate memory.";
constexpr char kCanNotWrite[] = "Can not write file.";
constexpr std::size_t kFieldCount = 8;
constexpr std::size_t kNameBytes = sizeof(cityList::name) - 2;  // 31 bytes before the NUL

float degreesAndMinutes(std::string_view degrees, std::string_view minutes, bool negate)
{
    const double value = NumberReader::readDouble(degrees) + NumberReader::readDouble(minutes) / 60.0;
    return float(negate ? -value : value);
}

bool startsWith(std::string_view field, char letter) { return !field.empty() && field.front() == letter; }

}  // namespace

bool CityTable::isSound(const cityList& city)
{
    const auto within = [](float value, float low, float high) {
        return std::isfinite(value) && value >= low && value <= high;
    };
    return std::memchr(city.name, '\0', kNameBytes + 1) != nullptr && within(city.latitude, -90.0f, 90.0f) &&
           within(city.longitude, -180.0f, 180.0f) && within(city.timeZone, -12.0f, 14.0f);
}

std::optional<cityList> CityTable::fromFields(const std::vector<std::string_view>& fields)
{
    if (fields.size() != kFieldCount)
        return std::nullopt;
    cityList city{};
    const std::string_view name = fields[0].substr(0, kNameBytes);
    std::memcpy(city.name, name.data(), name.size());
    city.latitude = degreesAndMinutes(fields[1], fields[2], startsWith(fields[3], 'S'));
    city.longitude = degreesAndMinutes(fields[4], fields[5], startsWith(fields[6], 'W'));
    city.timeZone = float(NumberReader::readDouble(fields[7]));
    if (!isSound(city))
        return std::nullopt;
    return city;
}

bool CityTable::loadBinary(std::vector<cityList>& records) const
{
    const QFileInfo info(m_files.binaryPath);
    if (!info.isFile() || info.size() < qint64(sizeof(cityList)) * kMinRecords || info.size() > kMaxBinaryBytes)
        return false;
    if (!TvkFile::load(m_files.binaryPath, records))
        return false;
    for (const cityList& city : records) {
        if (!isSound(city))
            return false;
    }
    return true;
}

CityTable::Outcome CityTable::build(std::vector<cityList>& records) const
{
    const QFileInfo info(m_files.textPath);
    if (!info.isFile())
        return Outcome::NoText;
    SourceText text;
    if (info.size() > kMaxTextBytes) {
        AlertPanel::runAlert(kStartupError, kCanNotBuild);
        return Outcome::Failed;
    }
    if (!text.read(m_files.textPath))
        return Outcome::NoText;
    // The count is a claim: it must not outnumber the lines before anything is reserved for it.
    const long long count = text.declaredCount();
    if (count < 0 || std::size_t(count) > text.recordLineCount()) {
        AlertPanel::runAlert(kStartupError, kCanNotBuild);
        return Outcome::Failed;
    }
    std::vector<cityList> built;
    built.reserve(std::size_t(count));
    std::vector<std::string_view> fields;
    for (std::size_t i = 0; i < std::size_t(count); ++i) {
        text.splitRecord(i, fields);
        const std::optional<cityList> city = fromFields(fields);
        if (!city) {
            AlertPanel::runAlert(kStartupError, kCanNotBuild);
            return Outcome::Failed;
        }
        built.push_back(*city);
    }
    if (!TvkFile::save(m_files.binaryPath, std::span<const cityList>(built))) {
        AlertPanel::runAlert(kCanNotWrite, m_files.binaryPath);
        return Outcome::Failed;
    }
    records = std::move(built);
    return Outcome::Built;
}

void CityTable::create()
{
    try {
        std::vector<cityList> records;
        if (loadBinary(records) || build(records) == Outcome::Built)
            take(std::move(records));
        else
            take({});
    } catch (const std::bad_alloc&) {
        take({});
        AlertPanel::runAlert(m_files.allocationTitle, kCanNotAllocate);
    }
}

bool CityTable::rebuild()
{
    try {
        std::vector<cityList> records;
        if (build(records) != Outcome::Built)
            return false;
        take(std::move(records));
        return true;
    } catch (const std::bad_alloc&) {
        AlertPanel::runAlert(m_files.allocationTitle, kCanNotAllocate);
        return false;
    }
}

void CityTable::take(std::vector<cityList> records)
{
    QStringList names;
    names.reserve(qsizetype(records.size()));
    for (const cityList& city : records)
        names.append(MacRoman::decode(QByteArrayView(city.name, qsizetype(std::strlen(city.name)))));
    m_records = std::move(records);
    m_names = std::move(names);
}
