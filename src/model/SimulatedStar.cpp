#include "model/SimulatedStar.h"

#include "model/UnitVector.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using Angles::kMasPerYearToRadPerCentury;

// Non-ASCII characters become '?' so the field stays plain ASCII.
QByteArray asciiOf(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? char(c.unicode()) : '?';
    return bytes;
}

template <std::size_t N>
void copyText(char (&field)[N], const QByteArray& text, std::size_t maxLength)
{
    const std::size_t length = std::min({std::size_t(text.size()), maxLength, N - 1});
    std::memset(field, 0, N);
    std::memcpy(field, text.constData(), length);
}

// The catalogue number: its first run of digits after any leading blanks, at
// most six of them. A text without digits (the finder passes one blank when
// the answer has no number) keeps its first character.
QByteArray catalogueNumber(const QByteArray& text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    qsizetype end = start;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end == start)
        return text.left(1);
    return text.mid(start, std::min<qsizetype>(end - start, 6));
}

}  // namespace

void SimulatedStar::create(double ra, double dec, const QString& name, const QString& number,
                           double pmRA, double pmDec, float mag)
{
    star s{};
    s.index = 0;
    s.raDeg = ra;
    s.decDeg = dec;
    copyText(s.name, asciiOf(name), 15);
    copyText(s.sao, catalogueNumber(asciiOf(number)), 6);
    s.mag = mag;
    s.pmRA = pmRA * kMasPerYearToRadPerCentury;
    s.pmDec = pmDec * kMasPerYearToRadPerCentury;
    const UnitVector v = UnitVector::fromRADec(ra * kDegToRad, dec * kDegToRad);
    s.vecX = v.x;
    s.vecY = v.y;
    s.vecZ = v.z;
    s.type = -3;
    m_star = s;
}
