#pragma once

#include <cstdint>
#include <span>

// The Moon's periodic terms (Meeus, Astronomical Algorithms, ch. 47), generated
// into MoonTables.cpp by tools/make_moon_tables.py. Each argument is
// d D + m M + m' M' + f F of the Moon's fundamental arguments.
namespace MoonTables {

// Table 47.A: longitude (sine, 1e-6 degree) and distance (cosine, 1e-3 km).
struct LongitudeDistanceTerm {
    std::int8_t d;
    std::int8_t m;
    std::int8_t mPrime;
    std::int8_t f;
    std::int32_t longitude;
    std::int32_t distance;
};

// Table 47.B: latitude (sine, 1e-6 degree).
struct LatitudeTerm {
    std::int8_t d;
    std::int8_t m;
    std::int8_t mPrime;
    std::int8_t f;
    std::int32_t latitude;
};

std::span<const LongitudeDistanceTerm> longitudeDistance();
std::span<const LatitudeTerm> latitude();

}  // namespace MoonTables
