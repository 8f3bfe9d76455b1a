#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The LX200 family's coordinate texts: the replies it parses and the
// commands' fields it formats. A reply that does not parse whole gives
// nothing, so that a fragment is never taken for a position.
namespace LX200Reply {

// Replies of 64 bytes or more are refused before parsing.
constexpr qsizetype kLongestReply = 63;

struct RightAscension {
    double hours;
    bool longFormat;   // HH:MM:SS; false for HH:MM.T
};
// `:GR#`: "HH:MM:SS#" or "HH:MM.T#"; hours below 24, minutes and seconds below 60.
std::optional<RightAscension> parseRA(QByteArrayView reply);

struct Declination {
    double degrees;
    bool usesStar;     // the degree separator was `*`
};
// `:GD#`: "sDD*MM#" or "sDD*MM:SS#" (0xDF or `*` after the degrees); one
// sign at most, first; seconds read only in the long format.
std::optional<Declination> parseDec(QByteArrayView reply, bool longFormat);

// `:Gt#` latitude, degrees north: "sDD*MM#".
std::optional<double> parseLatitude(QByteArrayView reply);
// `:Gg#` longitude, degrees east positive, from the west-positive reply:
// "sDDD*MM#" within ±180, or a Classic's unsigned "DDD*MM#" counted 0-360 westward.
std::optional<double> parseLongitude(QByteArrayView reply);

// Whole degrees and minutes of |degrees|, minutes rounded as `roundSeconds`
// says: false rounds to the nearest minute; true rounds the seconds first and
// then counts 30 s or more as a minute. 60 minutes carry into the degrees.
struct DegreesMinutes {
    int degrees;
    int minutes;
};
DegreesMinutes toDegreesMinutes(double degrees, bool roundSeconds);

// The goto's `:Sr` and `:Sd` commands, high or low precision; `separator`
// follows the degrees.
QByteArray raCommand(double raRadians, bool longFormat);
QByteArray decCommand(double decRadians, bool longFormat, char separator);

}  // namespace LX200Reply
