#include "find/SimAnswer.h"

#include <QByteArray>

#include <cmath>

namespace {

constexpr QByteArrayView kSesameMarker = "%J ";
constexpr QByteArrayView kSimbadMarker = "Coordinates(ICRS,ep=J2000,eq=2000): ";
constexpr QByteArrayView kSesameMotion = "%P ";
constexpr QByteArrayView kSimbadMotion = "Proper motions: ";
constexpr QByteArrayView kSimbadFlux = "Flux V : ";
constexpr QByteArrayView kSesameNumber = "%I SAO ";
constexpr QByteArrayView kSimbadNumber = "SAO ";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads the numbers that follow one another from `position`, each running to
// the next blank.
struct Fields {
    QByteArrayView text;
    qsizetype position;

    std::optional<double> next()
    {
        while (position < text.size() && text[position] == ' ')
            ++position;
        const qsizetype start = position;
        while (position < text.size() && !isBlank(text[position]))
            ++position;
        bool ok = false;
        const double value = text.sliced(start, position - start).toByteArray().toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
        return value;
    }
};

std::optional<Fields> after(QByteArrayView text, QByteArrayView marker)
{
    const qsizetype at = text.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    return Fields{text, at + marker.size()};
}

// The text after `marker` up to the first character that `ends` accepts.
QString textAfter(QByteArrayView text, QByteArrayView marker, bool (*ends)(char))
{
    const qsizetype at = text.indexOf(marker);
    if (at < 0)
        return QStringLiteral(" ");
    qsizetype end = at + marker.size();
    while (end < text.size() && !ends(text[end]))
        ++end;
    return QString::fromLatin1(text.sliced(at + marker.size(), end - at - marker.size()));
}

// Brighter than the Sun or fainter than the faintest object observed is no
// magnitude; it would not even fit a float at the far ends.
constexpr double kBrightestMagnitude = -30.0;
constexpr double kFaintestMagnitude = 40.0;

bool isMagnitude(double value)
{
    return value >= kBrightestMagnitude && value <= kFaintestMagnitude;
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

void readMotion(QByteArrayView text, QByteArrayView marker, SimAnswer& answer)
{
    std::optional<Fields> fields = after(text, marker);
    if (!fields)
        return;
    const std::optional<double> pmRA = fields->next();
    const std::optional<double> pmDec = fields->next();
    if (pmRA && pmDec) {
        answer.pmRA = *pmRA;
        answer.pmDec = *pmDec;
    }
}

}  // namespace

bool SimAnswer::hasMarker(Form form, QByteArrayView text)
{
    return text.contains(form == Form::Sesame ? kSesameMarker : kSimbadMarker);
}

std::optional<SimAnswer> SimAnswer::parse(Form form, QByteArrayView text)
{
    const bool sesame = form == Form::Sesame;
    std::optional<Fields> position = after(text, sesame ? kSesameMarker : kSimbadMarker);
    if (!position)
        return std::nullopt;
    const std::optional<double> ra = position->next();
    const std::optional<double> dec = position->next();
    if (!ra || !dec || !(*ra >= 0.0 && *ra < 360.0) || !(std::fabs(*dec) <= 90.0))
        return std::nullopt;

    SimAnswer answer;
    answer.ra = *ra;
    answer.dec = *dec;
    readMotion(text, sesame ? kSesameMotion : kSimbadMotion, answer);
    if (sesame) {
        answer.number = textAfter(text, kSesameNumber, isLineEnd);
    } else {
        answer.number = textAfter(text, kSimbadNumber, isBlank);
        if (std::optional<Fields> flux = after(text, kSimbadFlux))
            if (const std::optional<double> mag = flux->next(); mag && isMagnitude(*mag))
                answer.mag = float(*mag);
    }
    return answer;
}

std::optional<SimAnswer> SimAnswer::parseEither(QByteArrayView text)
{
    if (hasMarker(Form::Sesame, text))
        return parse(Form::Sesame, text);
    return parse(Form::Simbad, text);
}
