#include "solarsystem/smallbodies/MinorPlanetTable.h"

#include "model/records/TvkFile.h"
#include "platform/AlertPanel.h"
#include "solarsystem/smallbodies/ElementFile.h"
#include "solarsystem/smallbodies/MappedElementFile.h"
#include "solarsystem/smallbodies/MinorPlanetImport.h"
#include "solarsystem/smallbodies/OrbitFileParse.h"
#include "solarsystem/smallbodies/SliceRunner.h"

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

// Reads the orbit file into `built`; the count of refused lines, or nothing
// when the file cannot be used.
std::optional<std::size_t> parseOrbitFile(const MinorPlanetTable::Request& request,
                                          const QString& path, std::vector<minorPlanet>& built)
{
    const MappedElementFile file(path);
    const std::optional<std::string_view> text = file.text();
    if (!text)
        return std::nullopt;
    OrbitFileParse::Result result =
        OrbitFileParse::parse(*text, request.allOrbits,
                              SliceRunner::operationCount(request.processorCount), request.progress);
    if (result.status != OrbitFileParse::Status::Ok)
        return std::nullopt;
    built.swap(result.minorPlanets);
    return result.refusedLines;
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

Result build(const MinorPlanetTable::Request& request, const QString& buildDirectory,
             const QString& cachePath, std::vector<minorPlanet>& table)
{
    std::vector<minorPlanet> built;
    std::size_t refused = 0;
    if (request.rebuild && request.useOrbitFile) {
        const std::optional<std::size_t> parsed = parseOrbitFile(
            request, buildDirectory + QLatin1String(MinorPlanetTable::kOrbitFile), built);
        if (!parsed)
            return {Status::OrbitFileUnusable};
        refused = *parsed;
    } else if (!parseLists(buildDirectory, built)) {
        return {Status::Failed};
    }
    if (!TvkFile::save<minorPlanet>(cachePath, built)) {
        alert("Can not write minor planet data.");
        return {Status::CacheNotWritten, refused};
    }
    table.swap(built);
    return {Status::Built, refused};
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
    try {
        return build(request, buildDirectory, cachePath, table);
    } catch (const std::bad_alloc&) {
        // The new table could not be allocated: the old one stays.
        return {request.rebuild && request.useOrbitFile ? Status::OrbitFileUnusable
                                                        : Status::Failed};
    }
}

}  // namespace MinorPlanetTable
