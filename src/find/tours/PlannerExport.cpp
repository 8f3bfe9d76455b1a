#include "find/tours/PlannerExport.h"

#include "find/tours/TourFile.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr int kIdColumn = 1;
constexpr int kNameColumn = 2;
constexpr int kRAColumn = 3;
constexpr int kDecColumn = 4;
constexpr int kTypeColumn = 9;
// Later rows carry a one-character placeholder where they have no id.
constexpr int kShortestLaterId = 2;
const QString kNoId = QStringLiteral("No ID");
const QString kSectionStart = QStringLiteral("<<");

bool isSolarSystemType(const QString& type)
{
    static const QStringList kTypes = {QStringLiteral("Planet"), QStringLiteral("Sun"), QStringLiteral("Moon"),
                                       QStringLiteral("Comet"), QStringLiteral("Minor")};
    return kTypes.contains(type);
}

QString column(const QStringList& columns, int k)
{
    return k < columns.size() ? columns.at(k) : QString();
}

}  // namespace

bool PlannerExport::isExport(const QString& text)
{
    return text.contains(QLatin1String(kMarker));
}

QString PlannerExport::coordinateText(double hours, double degrees)
{
    const auto h = std::int16_t(hours);
    const double raMinutes = (hours - h) * 60.0;
    const auto d = std::int16_t(degrees);
    const double decMinutes = std::fabs(degrees - d) * 60.0;
    // A declination between -1 and 0 has no sign in its whole degrees; "-00"
    // is what the typed-position reader takes as south.
    if (degrees < 0.0 && degrees > -1.0)
        return QString::asprintf("%.2d:%.4f:-00:%.4f", int(h), raMinutes, decMinutes);
    return QString::asprintf("%.2d:%.4f:%+2d:%.4f", int(h), raMinutes, int(d), decMinutes);
}

PlannerExport PlannerExport::parse(const QString& text)
{
    PlannerExport result;
    const qsizetype marker = text.indexOf(QLatin1String(kMarker));
    if (marker < 0)
        return result;
    const QStringList lines = TourFile::splitLines(text.mid(marker));
    for (qsizetype k = 1; k < lines.size(); ++k) {
        const QString& line = lines.at(k);
        if (k > 1 && line.startsWith(kSectionStart))
            break;
        const QStringList columns = line.split(QLatin1Char('\t'));
        const int shortest = result.names.isEmpty() ? 1 : kShortestLaterId;
        QString id = column(columns, kIdColumn);
        if (id.size() < shortest)
            id = column(columns, kNameColumn);
        if (id.size() < shortest)
            id = kNoId;

        QString place;
        if (isSolarSystemType(column(columns, kTypeColumn))) {
            place = QLatin1String(kFindByName);
        } else {
            bool raOk = false;
            bool decOk = false;
            const double ra = column(columns, kRAColumn).trimmed().toDouble(&raOk);
            const double dec = column(columns, kDecColumn).trimmed().toDouble(&decOk);
            if (!raOk || !decOk || !(ra >= 0.0 && ra < 24.0) || !(std::fabs(dec) <= 90.0))
                continue;
            place = coordinateText(ra, dec);
        }
        result.names.append(id);
        result.coordinates.append(place);
    }
    return result;
}
