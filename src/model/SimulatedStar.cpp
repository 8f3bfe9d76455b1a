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

// The catalogue number: its leading run of digits, at most six of them. A text
// without digits (the finder passes one blank when the answer has no number)
// keeps its first character.
QByteArray catalogueNumber(const QByteArray& text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    return text.left(digits > 0 ? std::min<qsizetype>(digits, 6) : 1);
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
