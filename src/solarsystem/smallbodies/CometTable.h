#pragma once

#include "model/records/comet.h"

#include <QString>

#include <vector>

// The comet table: loaded from its cache "Comets.tvk" in the database
// directory, or imported from "Soft00Cmt.txt" in the build directory and
// cached again. Both directory strings end in "/".
namespace CometTable {

inline constexpr const char* kCacheFile = "Comets.tvk";
inline constexpr const char* kElementFile = "Soft00Cmt.txt";
// A cache of fewer records than this is refused as damaged.
inline constexpr std::size_t kMinimumCacheRecords = 10;

// Loads the cache unless `rebuild` is set or it cannot be read, else imports
// the element file and writes the cache. As with the minor planets, `comets`
// is replaced only by a table that was loaded, or imported and cached: after
// any failure, a failed cache write included, it holds what it held before,
// the same as the cache on disk. Failures the user must see raise their
// alert; returns true when the table was loaded or built and cached.
bool createCometData(bool rebuild, const QString& buildDirectory,
                     const QString& databaseDirectory, std::vector<comet>& comets);

}  // namespace CometTable
