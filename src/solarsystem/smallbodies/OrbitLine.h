#pragma once

#include "model/records/minorPlanet.h"

#include <string_view>

// One line of the Minor Planet Center's one-line orbit format (the format of
// "MPCORB.DAT", "Soft00Bright.txt" and "Soft00Unusual.txt"). Columns are
// counted from 1 in the comments below.
namespace OrbitLine {

// Shortest line (without its break) that holds every element read: the
// semi-major axis ends in column 104.
inline constexpr std::size_t kMinimumLength = 104;

// Fills the element fields, `designation` and `name` of `record` from `line`
// (without its break). Returns false, leaving `record` unusable, when the line
// is too short or its epoch is outside 1000..3000, month 1..12, day 1..33.
// The record's other fields are left as they are.
bool parse(std::string_view line, minorPlanet& record);

// The readable designation, columns 167-194 ("(1) Ceres", "2019 KO2"),
// trimmed and cut to the 20 characters `name` holds; empty for a line that
// stops before column 167. Writes the NUL-terminated result into `name`.
void readableName(std::string_view line, char (&name)[21]);

// One packed-epoch character (month or day): a digit 1-9 is its value, any
// other character its code minus 55, so "A".."V" give 10..31 and "0" or a
// blank fall far outside every accepted range.
std::uint16_t packedEpochDigit(char c);

}  // namespace OrbitLine
