#include "solarsystem/smallbodies/MinorPlanetTable.h"

#include "model/records/TvkFile.h"
#include "platform/AlertPanel.h"
#include "solarsystem/smallbodies/ElementFile.h"
#include "solarsystem/smallbodies/MappedElementFile.h"
#include "solarsystem/smallbodies/MinorPlanetCacheWriter.h"
#include "solarsystem/smallbodies/MinorPlanetImport.h"
#include "solarsystem/smallbodies/OrbitFileParse.h"
#include "solarsystem/smallbodies/SliceRunner.h"

#include <algorithm>
#include <new>
#include <optional>
#include <string_view>

namespace {

using MinorPlanetTable::Result;
using MinorPlanetTable::Status;

void alert(const char* message)
{
    AlertPanel::runAlert(QStringLiteral("Startup Error"), QString::fromLatin1(message));
}

std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), std::size_t(bytes.size()));
}

// Each parse thread takes at least this much of the file (some 1300
// lines): a smaller share is read in less time than a thread takes to start.
constexpr std::size_t kBytesPerSlice = std::size_t(256) << 10;

// Reads the orbit file into `built`: Built with the count of refused lines,
// Stopped, or OrbitFileUnusable.
Result parseOrbitLines(const MinorPlanetTable::Request& request, const QString& path,
                       std::vector<minorPlanet>& built, std::stop_token stop)
{
    const MappedElementFile file(path);
    const std::optional<std::string_view> text = file.text();
    if (!text)
        return {Status::OrbitFileUnusable};
    const auto slices = int(std::min(std::size_t(SliceRunner::operationCount(request.processorCount)),
                                     text->size() / kBytesPerSlice + 1));
    OrbitFileParse::Result result =
        OrbitFileParse::parse(*text, request.allOrbits, slices, request.progress, std::move(stop),
                              [&file](std::size_t bytes) { file.release(bytes); });
    if (result.status == OrbitFileParse::Status::Stopped)
        return {Status::Stopped};
    if (result.status != OrbitFileParse::Status::Ok)
        return {Status::OrbitFileUnusable};
    built.swap(result.minorPlanets);
    return {Status::Built, result.refusedLines};
}

// Reads the two lists into `built`; false after a failure.
bool parseLists(const QString& buildDirectory, std::vector<minorPlanet>& built)
{
    const std::optional<QByteArray> bright =
        ElementFile::readAscii(buildDirectory + QLatin1String(MinorPlanetTable::kBrightFile));
    if (!bright) {
        alert("Can not open MP file.");
        return false;
    }
    std::optional<QByteArray> unusual =
        ElementFile::readAscii(buildDirectory + QLatin1String(MinorPlanetTable::kUnusualFile));
    if (!unusual) {
        alert("Can not open NEO file.");
        unusual = QByteArray();
    }
    const std::size_t lines =
        MinorPlanetImport::lineCount(view(*bright)) + MinorPlanetImport::lineCount(view(*unusual));
    if (lines < MinorPlanetTable::kMinimumListLines)
        return false;
    built.reserve(lines);
    MinorPlanetImport::appendList(view(*bright), kMPSourceBright, built);
    MinorPlanetImport::appendList(view(*unusual), kMPSourceUnusual, built);
    return true;
}

Result buildFromLists(const QString& buildDirectory, const QString& cachePath,
                      std::vector<minorPlanet>& table)
{
    std::vector<minorPlanet> built;
    if (!parseLists(buildDirectory, built))
        return {Status::Failed};
    if (!TvkFile::save<minorPlanet>(cachePath, built)) {
        MinorPlanetTable::alertCacheNotWritten();
        return {Status::CacheNotWritten};
    }
    table.swap(built);
    return {Status::Built};
}

}  // namespace

namespace MinorPlanetTable {

Result createMinorPlanetData(const Request& request, const QString& buildDirectory,
                             const QString& databaseDirectory, std::vector<minorPlanet>& table)
{
    const QString cachePath = databaseDirectory + QLatin1String(kCacheFile);
    if (!request.rebuild) {
        try {
            std::vector<minorPlanet> cached;
            if (TvkFile::load(cachePath, cached)) {
                if (cached.size() < kMinimumCacheRecords) {
                    alert("Minor Planet number error.");
                    return {Status::Failed};
                }
                table.swap(cached);
                return {Status::Loaded};
            }
        } catch (const std::bad_alloc&) {
            alert("Can not allocate memory.");
            return {Status::Failed};
        }
    }
    if (request.rebuild && request.useOrbitFile) {
        Import import = importOrbitFile(request, buildDirectory, databaseDirectory);
        return adopt(import, table);
    }
    try {
        return buildFromLists(buildDirectory, cachePath, table);
    } catch (const std::bad_alloc&) {
        // The new table could not be allocated: the old one stays.
        return {Status::Failed};
    }
}

Import importOrbitFile(const Request& request, const QString& buildDirectory,
                       const QString& databaseDirectory, std::stop_token stop)
{
    Import import = parseOrbitFile(request, buildDirectory, stop);
    if (import.result.status == Status::Built && stop.stop_requested())
        import = Import{{Status::Stopped}};
    if (import.result.status == Status::Built && !writeCache(databaseDirectory, import.table))
        import = Import{{Status::CacheNotWritten, import.result.refusedLines}};
    return import;
}

Import parseOrbitFile(const Request& request, const QString& buildDirectory, std::stop_token stop)
{
    Import import;
    try {
        import.result = parseOrbitLines(request, buildDirectory + QLatin1String(kOrbitFile), import.table, stop);
    } catch (const std::bad_alloc&) {
        // The new table could not be allocated: the old one stays.
        import.result = {Status::OrbitFileUnusable};
    }
    if (import.result.status != Status::Built)
        import = Import{import.result};
    return import;
}

bool writeCache(const QString& databaseDirectory, std::span<const minorPlanet> table)
{
    return MinorPlanetCacheWriter::write(databaseDirectory + QLatin1String(kCacheFile), table);
}

void alertCacheNotWritten()
{
    alert("Can not write minor planet data.");
}

Import loadCache(const QString& databaseDirectory)
{
    Import import;
    try {
        if (TvkFile::load(databaseDirectory + QLatin1String(kCacheFile), import.table)
            && import.table.size() >= kMinimumCacheRecords) {
            import.result = {Status::Loaded};
            return import;
        }
    } catch (const std::bad_alloc&) {
        // Failed: the usual load tries again and alerts.
    }
    std::vector<minorPlanet>().swap(import.table);
    return import;
}

Result adopt(Import& import, std::vector<minorPlanet>& table)
{
    if (import.result.status == Status::CacheNotWritten)
        alertCacheNotWritten();
    // Moved, not swapped: the old table is freed before its orbits are
    // computed again.
    if (import.result.status == Status::Built || import.result.status == Status::Loaded)
        table = std::move(import.table);
    return import.result;
}

}  // namespace MinorPlanetTable
