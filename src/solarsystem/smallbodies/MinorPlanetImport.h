#pragma once

#include "model/records/minorPlanet.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Builds minor-planet records from the short orbit lists "Soft00Bright.txt"
// and "Soft00Unusual.txt", one orbit per line in the one-line orbit format,
// parsed line by line. A line that is too short or whose epoch is out of range
// yields no record and leaves no gap.
namespace MinorPlanetImport {

// Appends the records of `text` to `table`, each with `source` and its
// position in `table` as `index`. Returns the number of lines read.
std::size_t appendList(std::string_view text, std::int32_t source, std::vector<minorPlanet>& table);

// The number of lines of `text`, the last one included.
std::size_t lineCount(std::string_view text);

}  // namespace MinorPlanetImport
