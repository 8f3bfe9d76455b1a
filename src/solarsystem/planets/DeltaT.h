#pragma once

// Delta-T = TT - UT, the correction from universal to dynamical time; the one
// rule of every solar-system pass.
namespace DeltaT {

// year: decimal year on the UT scale, 2000 + (JD - 2451545.0) / 365.25.
// Returns seconds: the measured values where they exist (1620 to the last
// tabulated year, interpolated), the polynomials of Espenak and Meeus before
// 1620, and after the table the long-term parabola of Morrison and Stephenson
// joined to the last measured value. Continuous everywhere.
double seconds(double year);

// The same, turned into Julian millennia (the unit the series take).
inline double millennia(double year)
{
    return seconds(year) * 3.16881e-11;
}

// Julian millennia of dynamical time from J2000.0 at the UT Julian day
// `julianDay` moved by `dayOffset` days: the time of every solar-system pass.
inline double dynamicalMillennia(double julianDay, double dayOffset)
{
    const double tau = (julianDay - 2451545.0 + dayOffset) / 365250.0;
    return tau + millennia(2000.0 + 1000.0 * tau);
}

}  // namespace DeltaT
