#pragma once

#include <array>

// The IAU 1976 precession from the mean equator and equinox of J2000.0 to
// those of a date: the rigorous angles zeta, z and theta of Meeus,
// Astronomical Algorithms, chapter 21, for the starting epoch J2000.0, as a
// rotation matrix P1..P9 stored row by row. A J2000 equatorial unit vector
// (x, y, z) becomes x' = P1 x + P2 y + P3 z, y' = P4 x + P5 y + P6 z,
// z' = P7 x + P8 y + P9 z.
struct PrecessionMatrix {
    // The identity: no precession.
    std::array<double, 9> p{1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0};

    // For Julian day `julianDay` (the sky date's, UT; the angles change far
    // too slowly for Delta-T to matter).
    static PrecessionMatrix forJulianDay(double julianDay);

    // The precessed direction of a J2000 equatorial vector.
    std::array<double, 3> apply(double x, double y, double z) const { return multiply(p, x, y, z); }
    // A 3 x 3 matrix stored row by row, as this one is, times (x, y, z).
    static std::array<double, 3> multiply(const std::array<double, 9>& m, double x, double y, double z)
    {
        return {m[0] * x + m[1] * y + m[2] * z, m[3] * x + m[4] * y + m[5] * z,
                m[6] * x + m[7] * y + m[8] * z};
    }

    // The inverse rotation, a direction of date back to J2000: the transpose
    // of `m` times (x, y, z).
    static std::array<double, 3> multiplyTransposed(const std::array<double, 9>& m, double x, double y,
                                                    double z)
    {
        return {m[0] * x + m[3] * y + m[6] * z, m[1] * x + m[4] * y + m[7] * z,
                m[2] * x + m[5] * y + m[8] * z};
    }

    // Julian centuries from J2000.0 (JD 2451545.0) to `julianDay`.
    static double julianCenturies(double julianDay)
    {
        return (julianDay - 2451545.0) / 365.25 / 100.0;
    }
};
