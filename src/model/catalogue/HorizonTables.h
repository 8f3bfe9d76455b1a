#pragma once

#include "model/records/AltAzLocn.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// The custom horizons, one landscape outline for each of the five sites: slot
// k is read from "Horizon<k>.txt" in the build folder (a count line, then one
// "azimuth<TAB>altitude" line a point, degrees, azimuth from north through
// east) and cached as "Horizon<k>.tvk" in the database folder.
class HorizonTables {
public:
    static constexpr int kNumSlots = 5;
    static constexpr std::size_t kMinPoints = 10;
    using Slots = std::array<std::vector<AltAzLocn>, kNumSlots>;

    // Fills each slot from its cache, or from its text when `rebuild` is set or
    // the cache cannot be read. A cache of fewer than kMinPoints points leaves
    // its slot alone; so does a text that gives no usable horizon. A text read
    // whole is cached again (a failed write is ignored). No alert is shown.
    static void createCustomHorizons(Slots& horizons, const QString& databaseDirectory,
                                     const QString& buildDirectory, bool rebuild);

    struct TextHorizon {
        std::vector<AltAzLocn> points;
        bool complete = false;  // all the points the count line announced
    };
    // The points of a horizon text up to its first line that is not two
    // fields. Nothing when the text cannot be read, announces fewer than
    // kMinPoints points or gives fewer than kMinPoints.
    static std::optional<TextHorizon> readText(const QString& path);

    // The fixed horizon-frame point of an azimuth and altitude in degrees.
    static AltAzLocn makePoint(double azimuthDeg, double altitudeDeg);

    static QString textName(int slot);
    static QString cacheName(int slot);
};
