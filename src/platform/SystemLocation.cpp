#include "platform/SystemLocation.h"

#include <QFile>
#include <QTimeZone>

namespace {

// One signed sexagesimal field of `degreeDigits` degree digits; false when malformed.
bool parseAngle(const QByteArray& field, int degreeDigits, double& value)
{
    if (field.size() < 1 + degreeDigits + 2 || (field[0] != '+' && field[0] != '-'))
        return false;
    const QByteArray digits = field.mid(1);
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return false;
    }
    const qsizetype extra = digits.size() - degreeDigits;
    if (extra != 2 && extra != 4)
        return false;
    const int degrees = digits.left(degreeDigits).toInt();
    const int minutes = digits.mid(degreeDigits, 2).toInt();
    const int seconds = extra == 4 ? digits.mid(degreeDigits + 2, 2).toInt() : 0;
    if (minutes >= 60 || seconds >= 60)
        return false;
    value = degrees + minutes / 60.0 + seconds / 3600.0;
    if (field[0] == '-')
        value = -value;
    return true;
}

}  // namespace

namespace SystemLocation {

std::optional<Location> parseCoordinates(const QByteArray& text)
{
    // The longitude starts at the second sign.
    qsizetype split = -1;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i] == '+' || text[i] == '-') {
            split = i;
            break;
        }
    }
    if (split < 0)
        return std::nullopt;
    Location location{};
    if (!parseAngle(text.left(split), 2, location.latitude)
        || !parseAngle(text.mid(split), 3, location.longitude))
        return std::nullopt;
    if (location.latitude > 90.0 || location.longitude > 180.0 || location.longitude < -180.0
        || location.latitude < -90.0)
        return std::nullopt;
    return location;
}

std::optional<Location> locationOfZone(const QByteArray& zoneId, const QString& tablePath)
{
    QFile table(tablePath);
    if (zoneId.isEmpty() || !table.open(QIODevice::ReadOnly))
        return std::nullopt;
    while (!table.atEnd()) {
        const QByteArray line = table.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() >= 3 && fields[2] == zoneId)
            return parseCoordinates(fields[1]);
    }
    return std::nullopt;
}

std::optional<Location> storedLocation()
{
    return locationOfZone(QTimeZone::systemTimeZoneId(), "/usr/share/zoneinfo/zone1970.tab");
}

}  // namespace SystemLocation
