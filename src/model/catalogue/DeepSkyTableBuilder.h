#pragma once

#include "model/catalogue/CachedTable.h"
#include "model/records/deepSky.h"

#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

// The deep-sky catalogue: "DeepSky.tvk" in the database folder, built from
// "BuildDeepSky.txt" (NGC/IC, Messier, name, Caldwell, Herschel, Arp, type,
// list, constellation, size, magnitude, RA and Dec in degrees J2000).
class DeepSkyTableBuilder {
public:
    static constexpr std::size_t kMinObjects = 10000;
    // A fourteenth field is allowed and ignored.
    static constexpr std::size_t kMinFields = 13;
    static constexpr std::size_t kMaxFields = 14;
    static constexpr float kBlankMagnitude = 16.0f;

    static CachedTable<deepSky> table(const QString& databaseDirectory,
                                      const QString& buildDirectory);

    // Record `index` from the fields of its source line.
    static deepSky makeDeepSky(std::uint32_t index, const std::vector<std::string_view>& fields);
};
