#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The machine's location as far as the system knows it: the reference
// coordinates of its time zone in tzdata's zone table. Used once, on a first
// run, to give the chart a sensible site before the user sets one.
namespace SystemLocation {

struct Location {
    double latitude;   // degrees, north positive
    double longitude;  // degrees, east positive
};

// The location of the system's time zone, or none.
std::optional<Location> storedLocation();

// The location of `zoneId` in the zone table at `tablePath`, or none.
std::optional<Location> locationOfZone(const QByteArray& zoneId, const QString& tablePath);

// Parses an ISO 6709 coordinate pair as the table writes it: ±DDMM±DDDMM or ±DDMMSS±DDDMMSS.
std::optional<Location> parseCoordinates(const QByteArray& text);

}  // namespace SystemLocation
