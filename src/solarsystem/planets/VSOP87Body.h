#pragma once

#include "solarsystem/planets/EclipticPlace.h"
#include "solarsystem/planets/PeriodicSeries.h"

#include <array>

// The series of one body of VSOP87: L (longitude), B (latitude) and R
// (radius vector), each a polynomial in tau of up to six series. An absent
// series is empty and counts as 0.
struct VSOP87Body {
    std::array<PeriodicSeries, 6> L;
    std::array<PeriodicSeries, 6> B;
    std::array<PeriodicSeries, 6> R;

    // tau: Julian millennia of dynamical time from J2000.0. Radians, reduced
    // into 0..2 pi; the frame is the table's (of date for VSOP87D, J2000 for B).
    double longitude(double tau) const;
    // Longitude from the leading terms only (the shortened pass), 0..2 pi.
    double leadingLongitude(double tau) const;
    // Radians, as summed (not reduced).
    double latitude(double tau) const;
    // AU.
    double radius(double tau) const;
    // All three at once.
    EclipticPlace place(double tau) const;
};
