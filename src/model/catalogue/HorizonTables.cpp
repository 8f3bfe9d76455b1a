#include "model/catalogue/HorizonTables.h"

#include "model/catalogue/SourceText.h"
#include "model/UnitVector.h"
#include "model/records/TvkFile.h"
#include "platform/NumberReader.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <span>

void HorizonTables::createCustomHorizons(Slots& horizons, const QString& databaseDirectory,
                                         const QString& buildDirectory, bool rebuild)
{
    for (int k = 0; k < kNumSlots; ++k) {
        try {
            const QString cachePath = databaseDirectory + cacheName(k);
            std::vector<AltAzLocn> cached;
            if (!rebuild && TvkFile::load(cachePath, cached)) {
                if (cached.size() >= kMinPoints)
                    horizons[std::size_t(k)] = std::move(cached);
                continue;
            }
            std::optional<TextHorizon> horizon = readText(buildDirectory + textName(k));
            if (!horizon)
                continue;
            horizons[std::size_t(k)] = std::move(horizon->points);
            // A text that stopped early is used but not cached, so that it is
            // read again, whole once it is mended.
            if (horizon->complete)
                TvkFile::save(cachePath, std::span<const AltAzLocn>(horizons[std::size_t(k)]));
        } catch (const std::bad_alloc&) {
            continue;
        }
    }
}

std::optional<HorizonTables::TextHorizon> HorizonTables::readText(const QString& path)
{
    SourceText text;
    if (!text.read(path))
        return std::nullopt;
    const long long count = text.declaredCount();
    if (count < 0 || std::size_t(count) < kMinPoints)
        return std::nullopt;
    const std::size_t present = std::min(std::size_t(count), text.recordLineCount());
    TextHorizon horizon;
    horizon.points.reserve(present);
    std::vector<std::string_view> fields;
    for (std::size_t i = 0; i < present; ++i) {
        text.splitRecord(i, fields);
        if (fields.size() != 2)
            break;
        horizon.points.push_back(
            makePoint(NumberReader::readDouble(fields[0]), NumberReader::readDouble(fields[1])));
    }
    horizon.complete = horizon.points.size() == std::size_t(count);
    if (horizon.points.size() < kMinPoints)
        return std::nullopt;
    return horizon;
}

AltAzLocn HorizonTables::makePoint(double azimuthDeg, double altitudeDeg)
{
    // The horizon frame's x axis points south: azimuth 180 degrees.
    double a = azimuthDeg + 180.0;
    if (a >= 360.0)
        a -= 360.0;
    a *= kDegToRad;
    const double h = altitudeDeg * kDegToRad;
    AltAzLocn point{};
    point.screenPt = {0.0f, 0.0f};
    point.horX = std::cos(h) * std::cos(a);
    point.horY = std::cos(h) * std::sin(a);
    point.horZ = -std::sin(h);
    point.visible = 0;
    return point;
}

QString HorizonTables::textName(int slot)
{
    return QString("Horizon%1.txt").arg(slot);
}

QString HorizonTables::cacheName(int slot)
{
    return QString("Horizon%1.tvk").arg(slot);
}
