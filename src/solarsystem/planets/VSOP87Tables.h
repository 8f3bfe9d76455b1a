#pragma once

#include "solarsystem/planets/VSOP87Body.h"

#include <array>

// Bodies of the compiled-in planetary series, numbered so that Mercury to
// Neptune carry their entry numbers 1..7 of the solar-system table.
enum class VSOP87Planet { Earth, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune };

// The compiled-in tables (written by tools/make_series_tables.py).
namespace VSOP87Tables {

// Abridged VSOP87D: heliocentric, ecliptic and equinox of date; indexed by
// VSOP87Planet.
extern const std::array<VSOP87Body, 8> ofDate;

// The Earth of VSOP87B: heliocentric, ecliptic and equinox of J2000.0.
extern const VSOP87Body earthJ2000;

inline const VSOP87Body& planet(VSOP87Planet p)
{
    return ofDate[std::size_t(p)];
}

}  // namespace VSOP87Tables
