#include "mount/families/LX200Reply.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace LX200Reply {

namespace {

constexpr char kEnd = '#';
constexpr char kDegreeSign = char(0xDF);

bool isDelimiter(char c)
{
    return c == ':' || c == kEnd || c == kDegreeSign || c == '\'' || c == ' ' || c == '*';
}

// The text before the reply's `#`, which must be there; none when too long.
std::optional<QByteArrayView> body(QByteArrayView reply)
{
    if (reply.size() > kLongestReply)
        return std::nullopt;
    const qsizetype end = reply.indexOf(kEnd);
    if (end < 0)
        return std::nullopt;
    return reply.first(end);
}

// The fields between delimiters; empty fields are skipped.
std::vector<QByteArrayView> fields(QByteArrayView text)
{
    std::vector<QByteArrayView> out;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool delimiter = i == text.size() || isDelimiter(text[i]);
        if (!delimiter && start < 0)
            start = i;
        if (delimiter && start >= 0) {
            out.push_back(text.sliced(start, i - start));
            start = -1;
        }
    }
    return out;
}

// A field of digits only (at least one).
std::optional<int> whole(QByteArrayView field)
{
    if (field.isEmpty() || field.size() > 4)
        return std::nullopt;
    int value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "MM.T": digits, one point, one digit.
std::optional<double> decimalMinutes(QByteArrayView field)
{
    if (field.size() != 4 || field[2] != '.')
        return std::nullopt;
    const std::optional<int> minutes = whole(field.first(2));
    const std::optional<int> tenths = whole(field.sliced(3));
    if (!minutes || !tenths)
        return std::nullopt;
    return *minutes + *tenths / 10.0;
}

struct Signed {
    bool negative;
    QByteArrayView rest;
};
// One leading sign at most (after blanks); a second sign refuses the text.
std::optional<Signed> sign(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const QByteArrayView rest = text.sliced(i);
    if (rest.contains('+') || rest.contains('-'))
        return std::nullopt;
    return Signed{negative, rest};
}

struct Angle {
    bool negative;
    bool hasSign;
    int degrees;
    int minutes;
    std::optional<int> seconds;
};
// "sD*MM[:SS]": degrees up to `maxDegrees`, minutes and seconds below 60.
std::optional<Angle> angle(QByteArrayView reply, int maxDegrees)
{
    const std::optional<QByteArrayView> text = body(reply);
    if (!text)
        return std::nullopt;
    const std::optional<Signed> s = sign(*text);
    if (!s)
        return std::nullopt;
    const std::vector<QByteArrayView> parts = fields(s->rest);
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const std::optional<int> degrees = whole(parts[0]);
    const std::optional<int> minutes = whole(parts[1]);
    if (!degrees || !minutes || *degrees > maxDegrees || *minutes >= 60)
        return std::nullopt;
    std::optional<int> seconds;
    if (parts.size() == 3) {
        seconds = whole(parts[2]);
        if (!seconds || *seconds >= 60)
            return std::nullopt;
    }
    const qsizetype firstChar = text->size() - s->rest.size() - 1;
    const bool hasSign = firstChar >= 0 && ((*text)[firstChar] == '+' || (*text)[firstChar] == '-');
    return Angle{s->negative, hasSign, *degrees, *minutes, seconds};
}

}  // namespace

std::optional<RightAscension> parseRA(QByteArrayView reply)
{
    const std::optional<QByteArrayView> text = body(reply);
    if (!text)
        return std::nullopt;
    const std::vector<QByteArrayView> parts = fields(*text);
    if (parts.size() < 2)
        return std::nullopt;
    const std::optional<int> hours = whole(parts[0]);
    if (!hours || *hours >= 24)
        return std::nullopt;
    if (parts.size() == 2) {
        const std::optional<double> minutes = decimalMinutes(parts[1]);
        if (!minutes || *minutes >= 60.0)
            return std::nullopt;
        return RightAscension{*hours + *minutes / 60.0, false};
    }
    const std::optional<int> minutes = whole(parts[1]);
    const std::optional<int> seconds = whole(parts[2]);
    if (parts.size() != 3 || !minutes || !seconds || *minutes >= 60 || *seconds >= 60)
        return std::nullopt;
    return RightAscension{*hours + (*minutes + *seconds / 60.0) / 60.0, true};
}

std::optional<Declination> parseDec(QByteArrayView reply, bool longFormat)
{
    const std::optional<Angle> a = angle(reply, 90);
    if (!a)
        return std::nullopt;
    const int seconds = longFormat ? a->seconds.value_or(0) : 0;
    const double magnitude = a->degrees + a->minutes / 60.0 + seconds / 3600.0;
    if (magnitude > 90.0)
        return std::nullopt;
    return Declination{a->negative ? -magnitude : magnitude, reply.contains('*')};
}

std::optional<double> parseLatitude(QByteArrayView reply)
{
    const std::optional<Angle> a = angle(reply, 90);
    if (!a)
        return std::nullopt;
    const double magnitude = a->degrees + a->minutes / 60.0;
    if (magnitude > 90.0)
        return std::nullopt;
    return a->negative ? -magnitude : magnitude;
}

std::optional<double> parseLongitude(QByteArrayView reply)
{
    // Signed replies stay within ±180; an unsigned one counts 0-360 westward.
    const std::optional<Angle> a = angle(reply, 360);
    if (!a)
        return std::nullopt;
    double west = a->degrees + a->minutes / 60.0;
    if ((a->hasSign && west > 180.0) || west > 360.0)
        return std::nullopt;
    if (a->negative)
        west = -west;
    if (west > 180.0)
        west -= 360.0;
    return west == 0.0 ? 0.0 : -west;
}

DegreesMinutes toDegreesMinutes(double degrees, bool roundSeconds)
{
    const double v = std::abs(degrees);
    int d = int(v);
    int m = 0;
    if (roundSeconds) {
        m = int((v - d) * 60.0);
        const int s = int(std::lround(((v - d) * 60.0 - m) * 60.0));
        if (s >= 30)
            ++m;
    } else {
        m = int(std::lround((v - d) * 60.0));
    }
    if (m >= 60) {
        m = 0;
        ++d;
    }
    return {d, m};
}

QByteArray raCommand(double raRadians, bool longFormat)
{
    double hours = std::fmod(raRadians * 12.0 / std::numbers::pi, 24.0);
    // A tiny negative angle wraps to 24.0 itself, which is 0 h.
    if (hours < 0.0)
        hours += 24.0;
    if (hours >= 24.0)
        hours -= 24.0;
    int hh = int(hours);
    const double minutes = (hours - hh) * 60.0;
    if (longFormat) {
        const int mm = int(minutes);
        const int ss = int((minutes - mm) * 60.0);
        return QByteArray(":Sr") + QByteArray::number(hh).rightJustified(2, '0') + ':'
               + QByteArray::number(mm).rightJustified(2, '0') + ':'
               + QByteArray::number(ss).rightJustified(2, '0') + '#';
    }
    // Tenths that round up to 60.0 minutes carry into the hour.
    double tenths = std::round(minutes * 10.0) / 10.0;
    if (tenths >= 60.0) {
        tenths = 0.0;
        hh = (hh + 1) % 24;
    }
    return QByteArray(":Sr") + QByteArray::number(hh).rightJustified(2, '0') + ':'
           + QByteArray::number(tenths, 'f', 1).rightJustified(4, '0') + '#';
}

QByteArray decCommand(double decRadians, bool longFormat, char separator)
{
    const double degrees = decRadians * 180.0 / std::numbers::pi;
    const char sign = degrees < 0.0 ? '-' : '+';
    const double v = std::abs(degrees);
    int dd = int(v);
    const double minutes = (v - dd) * 60.0;
    QByteArray out = QByteArray(":Sd") + sign;
    if (longFormat) {
        const int mm = int(minutes);
        const int ss = int((minutes - mm) * 60.0);
        return out + QByteArray::number(dd).rightJustified(2, '0') + separator
               + QByteArray::number(mm).rightJustified(2, '0') + ':'
               + QByteArray::number(ss).rightJustified(2, '0') + '#';
    }
    const DegreesMinutes rounded = toDegreesMinutes(v, false);
    return out + QByteArray::number(rounded.degrees).rightJustified(2, '0') + separator
           + QByteArray::number(rounded.minutes).rightJustified(2, '0') + '#';
}

}  // namespace LX200Reply
