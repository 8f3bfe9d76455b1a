#pragma once

#include "model/catalogue/CachedTable.h"
#include "model/records/star.h"

#include <QString>

#include <cstdint>
#include <string_view>
#include <vector>

// The star catalogue: "Stars.tvk" in the database folder, built from
// "BuildStar.txt" (SAO, Bayer, name, magnitude, spectral class, type, RA and
// Dec in degrees J2000, proper motions in mas/yr) when missing.
class StarTableBuilder {
public:
    static constexpr std::size_t kMinStars = 2000;
    static constexpr std::size_t kFieldCount = 10;

    static CachedTable<star> table(const QString& databaseDirectory, const QString& buildDirectory);

    // Record `index` from the ten fields of its source line.
    static star makeStar(std::uint32_t index, const std::vector<std::string_view>& fields);

    // Chart colour code from the first letter of the spectral class.
    static char colorOf(std::string_view spectral);
};
