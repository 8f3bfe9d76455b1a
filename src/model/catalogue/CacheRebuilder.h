#pragma once

#include <QString>

// A cache in the user's "Database" folder that another subsystem builds from
// its own source (comets, minor planets, the city lists). The catalogue
// rebuild calls it when the cache file exists.
class CacheRebuilder {
public:
    virtual ~CacheRebuilder() = default;
    // The cache's file name in the "Database" folder, such as "Comets.tvk".
    virtual QString cacheFileName() const = 0;
    // Rebuilds the table and its cache from the source. On failure the old
    // cache file and table must stay as they were; false then.
    virtual bool rebuildCache() = 0;
};
