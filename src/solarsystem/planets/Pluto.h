#pragma once

#include "solarsystem/planets/EclipticPlace.h"

#include <array>
#include <cstdint>

// Pluto from the 43 periodic terms of its published table, valid 1885..2099.
namespace Pluto {

// One row: the argument i J + j S + k P and the sine (A) and cosine (B)
// coefficients as printed: longitude and latitude in 1e-6 degree, radius
// vector in 1e-7 AU.
struct Term {
    std::int8_t i, j, k;
    std::int32_t lonA, lonB, latA, latB, radA, radB;
};

extern const std::array<Term, 43> table;

// T: Julian centuries of dynamical time from J2000.0. Heliocentric, ecliptic
// and equinox of J2000.0: longitude in 0..2 pi and latitude in radians,
// radius vector in AU.
EclipticPlace heliocentricJ2000(double T);

}  // namespace Pluto
