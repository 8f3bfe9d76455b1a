#pragma once

#include "model/records/nomadData.h"

#include <QByteArrayView>

#include <vector>

// The plain-text reply of the star-catalogue cone search: "#" header lines,
// among them "#NOBJECTS" with the count (6 characters from position 11) and
// the "#1" line of column titles, then one star a line with its numbers under
// the titles. A header line after the titles may give the units; proper
// motions in right ascension come in milliarcseconds a year unless the unit
// under "MuRA" is milliseconds of time.
namespace NomadReply {

// Shorter replies hold no stars.
inline constexpr qsizetype kMinimumLength = 1000;

enum class Error { None, NoData, Format };

struct Result {
    Error error = Error::Format;
    // The stars read, at most the count; a line whose right ascension or
    // declination holds no number, or lies off the sphere, is skipped.
    std::vector<nomadData> stars;
};

// Reads the stars and carries them `years` (of 365 days) from J2000 by their
// proper motions and the annual precession.
Result parse(QByteArrayView text, double years);

// `star` (J2000 place and proper motions set) carried `years` from J2000:
// raNow in [0, 360), decNow within +-90.
void carryToNow(nomadData& star, double years);

}  // namespace NomadReply
