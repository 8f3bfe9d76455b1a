#pragma once

#include "model/records/minorPlanet.h"
#include "solarsystem/smallbodies/MinorPlanetOrbit.h"
#include "solarsystem/smallbodies/MinorPlanetWatch.h"

#include <QString>

#include <functional>
#include <span>
#include <stop_token>
#include <vector>

// The minor-planet table: loaded from its cache "MinorPlanets.tvk" in the
// database directory, or built from the element files in the build directory
// and cached again. Both directory strings end in "/".
namespace MinorPlanetTable {

inline constexpr const char* kCacheFile = "MinorPlanets.tvk";
inline constexpr const char* kBrightFile = "Soft00Bright.txt";
inline constexpr const char* kUnusualFile = "Soft00Unusual.txt";
inline constexpr const char* kOrbitFile = "MPCORB.DAT";
// A cache of fewer records than this is refused as damaged.
inline constexpr std::size_t kMinimumCacheRecords = 10;
// The two lists together must hold at least this many lines.
inline constexpr std::size_t kMinimumListLines = 10;

enum class Status {
    Loaded,           // from the cache
    Built,            // imported and cached
    CacheNotWritten,  // imported, but the cache could not be written (alerted): nothing changed
    Failed,           // nothing changed; any alert the user must see was shown
    OrbitFileUnusable,  // the orbit file is missing, unreadable, without a rule line or
                        // with fewer than 10 orbit lines: nothing changed and no alert,
                        // the caller reports it
    Stopped,  // asked to stop before the cache was written: nothing changed
};

struct Request {
    bool rebuild = false;       // import even when a cache can be read
    bool useOrbitFile = false;  // with rebuild: import "MPCORB.DAT" instead of the two lists
    bool allOrbits = false;     // with the orbit file: the unnumbered orbits too
    int processorCount = 1;     // the orbit file is parsed on min(this, 8) threads
    // Percentage of the orbit-file parse, delivered on the importing thread.
    std::function<void(double percent)> progress;
};

struct Result {
    Status status = Status::Failed;
    // Orbit-file lines asked for that could not be read; 0 for the lists and the cache.
    std::size_t refusedLines = 0;
};

// As with the comets, `table` is replaced only by a table that was loaded, or
// imported and cached: after Failed, OrbitFileUnusable or CacheNotWritten it
// holds what it held before, the same as the cache on disk.
Result createMinorPlanetData(const Request& request, const QString& buildDirectory,
                             const QString& databaseDirectory, std::vector<minorPlanet>& table);

// An orbit-file import made apart from the table it is to replace.
struct Import {
    Result result;
    std::vector<minorPlanet> table = {};  // the new table after Built or Loaded, else empty
    // The new table's orbits when the import computed them too and the table
    // keeps them (MinorPlanetOrbit::areKept), else empty.
    std::vector<MinorPlanetOrbit> orbits = {};
    // The orbits' watches after a first pass, when the import made one too, else empty.
    std::vector<MinorPlanetWatch> watches = {};
};

// The orbit-file rebuild of createMinorPlanetData (`request.rebuild` and
// `request.useOrbitFile` taken as set): the file parsed and the cache
// written, but no table touched and no alert raised. A stop requested
// before the cache is written gives Stopped and leaves the cache as it was.
Import importOrbitFile(const Request& request, const QString& buildDirectory,
                       const QString& databaseDirectory, std::stop_token stop = {});
// The same without the cache, for a worker thread while the old table still
// serves: Built with the new table, Stopped or OrbitFileUnusable. The table
// is cached once it is in place (writeCache).
Import parseOrbitFile(const Request& request, const QString& buildDirectory, std::stop_token stop = {});
// Replaces the cache in `databaseDirectory` with `table` as imported; false,
// and the old cache kept, when it cannot be written.
bool writeCache(const QString& databaseDirectory, std::span<const minorPlanet> table);
// Raises the alert of a cache that could not be written.
void alertCacheNotWritten();
// The cache read apart from the table it is to replace, for a worker:
// Loaded with its records, or Failed with none and no alert raised when it
// cannot serve, so that the usual load runs again and says why.
Import loadCache(const QString& databaseDirectory);
// On the interface thread: moves the import's table into `table` after
// Built or Loaded (the old one freed at once), raises the alert createMinorPlanetData
// would have raised, and returns the import's result.
Result adopt(Import& import, std::vector<minorPlanet>& table);

}  // namespace MinorPlanetTable
