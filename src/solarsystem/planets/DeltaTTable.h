#pragma once

#include <iterator>
#include <span>

// Measured Delta-T: TT - UT1 in seconds at January 1, 0h, of every year from
// kFirstYear on (sources in the generated DeltaTTable.cpp).
namespace DeltaTTable {

inline constexpr int kFirstYear = 1620;

extern const std::span<const double> seconds;

}  // namespace DeltaTTable
