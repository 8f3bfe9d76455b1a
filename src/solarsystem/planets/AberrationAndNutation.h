#pragma once

#include "solarsystem/planets/PlanetHandOver.h"
#include "solarsystem/Vec3.h"

#include <array>

// Annual aberration (with the Earth's orbital eccentricity) and nutation as
// the apparent-place step applies them to the planets (Meeus, Astronomical
// Algorithms, eq. 23.2 and chapter 22), as one shift and one rotation of a
// direction on the mean equator of date: the Earth's velocity over c,
// kappa (sin Sun - e sin pi, -cos Sun + e cos pi, 0) on the ecliptic of
// date, and the rotation by delta psi about the ecliptic's pole with the true
// obliquity after it. Built once for an instant and read by any thread.
class AberrationAndNutation {
public:
    // Uses h's abbK, pecc, plp, pLsun, pNutLong, pOE and pNutObl.
    explicit AberrationAndNutation(const PlanetHandOver& h);

    // A geocentric vector on the mean equator and equinox of date to the
    // apparent one on the true equator and equinox of date; the length is kept.
    Vec3 apply(const Vec3& meanOfDate) const;

private:
    Vec3 m_velocity;                 // over c, mean equator of date
    std::array<double, 9> m_nutation{};  // mean to true equator of date, row by row
};
