#include "scopeview/cone/NomadReply.h"

#include "find/TypedPosition.h"
#include "model/Angles.h"
#include "scopeview/survey/SurveyCentre.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

constexpr QByteArrayView kCountKey = "#NOBJECTS";
constexpr qsizetype kCountStart = 11;
constexpr qsizetype kCountLength = 6;
constexpr QByteArrayView kTitleKey = "#1";
constexpr qsizetype kIdLength = 13;
// No field of a reply comes near this; a larger number is garbage.
constexpr double kLargestNumber = 1e9;

// Titles in the "#1" line, blanks included: the number under each stands in
// the same columns.
// Closer to a pole than this (a few milliarcseconds) RA does not move.
constexpr double kSmallestCosDec = 1e-8;
enum Column { kRA, kDec, kMuRA, kMuDec, kV, kColumns };
constexpr std::array<QByteArrayView, kColumns> kTitles{"         RA", "        DEC", "   MuRA",
                                                      "  MuDEC",     "      V"};

// Degrees a year per unit of proper motion.
constexpr double kMasPerYear = 2.7777778e-07;
constexpr double kTimeMsPerYear = 4.167e-06;

struct Span {
    qsizetype start = -1;
    qsizetype length = 0;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The characters of `line` in `span`, those past its end left out.
QByteArrayView field(QByteArrayView line, Span span)
{
    if (span.start >= line.size())
        return {};
    return line.sliced(span.start, std::min(span.length, line.size() - span.start));
}

// The decimal number at the start of `text` after blanks, as far as it
// reads; none when no digit reads or the number is out of all reason.
std::optional<double> number(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    // from_chars takes no leading "+".
    if (i < text.size() && text[i] == '+')
        ++i;
    double value = 0.0;
    const char* first = text.data() + i;
    const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
    if (ec != std::errc() || end == first || !(std::fabs(value) <= kLargestNumber))
        return std::nullopt;
    return value;
}

// The proper motion unit named in a header line under the "MuRA" title:
// the run of non-blanks that reaches into the title's columns.
std::optional<double> muRAUnit(QByteArrayView line, Span span)
{
    if (span.start >= line.size())
        return std::nullopt;
    qsizetype begin = span.start;
    qsizetype end = std::min(line.size(), span.start + span.length);
    while (begin < end && isBlank(line[begin]))
        ++begin;
    if (begin == end)
        return std::nullopt;
    while (begin > 0 && !isBlank(line[begin - 1]))
        --begin;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
    const QByteArray unit = line.sliced(begin, end - begin).toByteArray().toLower();
    if (unit.contains("mas"))
        return kMasPerYear;
    if (unit.contains("ms") || unit.contains("s/"))
        return kTimeMsPerYear;
    return std::nullopt;
}

struct LineReader {
    QByteArrayView text;
    qsizetype position = 0;

    bool atEnd() const { return position >= text.size(); }
    QByteArrayView peek() const
    {
        qsizetype end = text.indexOf('\n', position);
        if (end < 0)
            end = text.size();
        QByteArrayView line = text.sliced(position, end - position);
        if (line.endsWith('\r'))
            line.chop(1);
        return line;
    }
    void skip()
    {
        const qsizetype end = text.indexOf('\n', position);
        position = end < 0 ? text.size() : end + 1;
    }
};

}  // namespace

namespace NomadReply {

Result parse(QByteArrayView text, double years)
{
    if (text.size() < kMinimumLength)
        return {Error::NoData, {}};
    LineReader lines{text};
    if (!lines.peek().startsWith('#'))
        return {};
    long long count = 0;
    bool hasTitles = false;
    std::array<Span, kColumns> columns{};
    double muRAFactor = kMasPerYear;
    while (!lines.atEnd() && lines.peek().startsWith('#')) {
        const QByteArrayView line = lines.peek();
        lines.skip();
        if (line.startsWith(kCountKey)) {
            count = static_cast<long long>(
                number(field(line, {kCountStart, kCountLength})).value_or(0.0));
        } else if (!hasTitles && line.startsWith(kTitleKey)) {
            for (int c = 0; c < kColumns; ++c) {
                const qsizetype at = line.indexOf(kTitles[c]);
                if (at < 0)
                    return {};
                columns[c] = {at, kTitles[c].size()};
            }
            hasTitles = true;
        } else if (hasTitles) {
            if (const std::optional<double> unit = muRAUnit(line, columns[kMuRA]))
                muRAFactor = *unit;
        }
    }
    if (!hasTitles || count <= 0)
        return {};

    Result result{Error::None, {}};
    // The count is the server's word; the lines present bound it.
    for (long long k = 0; k < count && !lines.atEnd(); ++k) {
        const QByteArrayView line = lines.peek();
        lines.skip();
        const std::optional<double> ra = number(field(line, columns[kRA]));
        const std::optional<double> dec = number(field(line, columns[kDec]));
        if (!ra || !dec || !(*ra >= 0.0 && *ra <= 360.0) || !(*dec >= -90.0 && *dec <= 90.0))
            continue;
        nomadData star{};
        const QByteArrayView id = line.first(std::min(kIdLength, line.size()));
        std::memcpy(star.nomadId, id.data(), size_t(id.size()));
        star.ra2000 = float(*ra);
        star.dec2000 = float(*dec);
        star.muRA = float(number(field(line, columns[kMuRA])).value_or(0.0) * muRAFactor);
        star.muDec = float(number(field(line, columns[kMuDec])).value_or(0.0) * kMasPerYear);
        star.vMag = float(number(field(line, columns[kV])).value_or(0.0));
        carryToNow(star, years);
        result.stars.push_back(star);
    }
    return result;
}

void carryToNow(nomadData& star, double years)
{
    // The proper motion first, so that a star carried over a pole by it is
    // brought back before the precession rates are taken; the rates change
    // too slowly over a star's motion for the order to show.
    // The catalogue's motion in RA is along the parallel (mu alpha times cos
    // delta): divided by cos delta it is an RA change. At the pole RA has no
    // meaning and the star keeps its own.
    const double cosDec = std::cos(double(star.dec2000) * Angles::kDegToRad);
    const double raRate = cosDec > kSmallestCosDec ? double(star.muRA) / cosDec : 0.0;
    const SurveyCentre::Place moved = SurveyCentre::normalised(
        double(star.ra2000) + raRate * years,
        double(star.dec2000) + double(star.muDec) * years);
    const TypedPosition::RaDec now =
        TypedPosition::annualRates(moved.ra * Angles::kDegToRad, moved.dec * Angles::kDegToRad, years);
    // Just below 360 in double can round up to 360 in float.
    const float raNow = float(Angles::wrap360(now.ra * Angles::kRadToDeg));
    star.raNow = raNow < 360.0f ? raNow : 0.0f;
    star.decNow = float(now.dec * Angles::kRadToDeg);
}

}  // namespace NomadReply
