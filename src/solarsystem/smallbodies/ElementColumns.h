#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Fixed columns of the Minor Planet Center's one-line element formats,
// counted from 1 as the format descriptions count them. A line that stops
// early gives what it has: nothing is ever read past its end.
namespace ElementColumns {

// Columns first..last (inclusive).
std::string_view columns(std::string_view line, std::size_t first, std::size_t last);

// The real number in columns first..last, as a 32-bit float; 0 when none.
float real(std::string_view line, std::size_t first, std::size_t last);

// The number in `field`, read exactly as NumberReader::readDouble reads it,
// with a quicker path for the plain decimals that fill the element files.
double readDouble(std::string_view field);

// The integer in columns first..last, read as a 32-bit value and kept in 16
// bits by truncation, as the records store it.
std::uint16_t shortInteger(std::string_view line, std::size_t first, std::size_t last);

// Without white space and line breaks at either end.
std::string_view trimmed(std::string_view text);

}  // namespace ElementColumns
