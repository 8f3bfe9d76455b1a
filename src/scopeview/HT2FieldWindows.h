#pragma once

#include <vector>

// Which deep-star zones a field reads and over which right ascensions.
// Zones are 5-degree bands of declination, lower edge inclusive: north band
// 15 + k holds [5k, 5k + 5), south band k holds [-5k - 5, -5k); bands 14 and
// 29 run on to their poles. All angles in degrees, J2000.
struct HT2FieldWindows {
    static constexpr int kNumZones = 30;
    static constexpr int kNorthZones = 15;
    static constexpr double kBandDegrees = 5.0;
    // From this declination on (either side) the field takes the whole circle.
    static constexpr double kPolarDeclination = 82.0;

    double start1 = 0.0;
    double end1 = 360.0;
    bool wrapped = false;
    double start2 = 0.0;
    double end2 = 0.0;
    std::vector<int> bands;  // in reading order

    // For a field centred on (raJ, decJ) reaching `margin` degrees from its
    // centre: every band the declination window touches, from the south end
    // when it starts below the equator, else from the north end.
    static HT2FieldWindows choose(double raJ, double decJ, double margin);

    // The band holding a declination.
    static int bandOf(double dec);

    // Where reading a band starts: the first window's start, or 0 when the
    // windows wrap.
    double readStart() const { return wrapped ? 0.0 : start1; }
};
