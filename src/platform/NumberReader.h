#pragma once

#include <string_view>

// Reads numbers from fixed-width columns and catalogue text fields the same
// way everywhere, whatever the process locale: leading blanks are skipped, an
// optional sign is taken, reading stops at the first character that cannot
// continue the number, and an empty or number-less field reads as 0.
namespace NumberReader {

double readDouble(std::string_view field);
long long readInteger(std::string_view field);

// The columns [first, first + width) of a line; shorter lines give what is there.
std::string_view column(std::string_view line, std::size_t first, std::size_t width);

}  // namespace NumberReader
