#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Cone-search replies laid out as the service writes them: the numbers right
// under their column titles.
namespace NomadReplies {

inline const QByteArray kTitles = "#1 NOMAD_ID           RA        DEC   MuRA  MuDEC      V";
inline const QByteArray kMasUnits = "#2                 (deg)      (deg) mas/yr mas/yr  (mag)";

struct Star {
    const char* id;
    double ra;
    double dec;
    double muRA = 0.0;
    double muDec = 0.0;
    double v = 10.0;
};

inline QByteArray line(const Star& s)
{
    return QString::asprintf("%-13.13s%11.6f%11.6f%7.1f%7.1f%7.3f", s.id, s.ra, s.dec, s.muRA,
                             s.muDec, s.v)
        .toLatin1();
}

// A reply counting `count` stars and holding `lines`, padded past the
// shortest reply that can hold stars.
inline QByteArray reply(int count, const std::vector<QByteArray>& lines,
                        const QByteArray& titles = kTitles, const QByteArray& units = kMasUnits)
{
    QByteArray text = "# NOMAD cone search\n#" + QByteArray(1000, '-') + "\n";
    text += QString::asprintf("#NOBJECTS  %-6d\n", count).toLatin1();
    text += titles + "\n" + units + "\n";
    for (const QByteArray& l : lines)
        text += l + "\n";
    return text;
}

inline QByteArray reply(const std::vector<Star>& stars)
{
    std::vector<QByteArray> lines;
    for (const Star& s : stars)
        lines.push_back(line(s));
    return reply(int(stars.size()), lines);
}

}  // namespace NomadReplies
