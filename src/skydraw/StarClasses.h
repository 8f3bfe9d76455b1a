#pragma once

#include <cstdint>

class PrefSwitches;

// How the chart sizes and marks a star: its brightness value and class on
// screen and on paper, where its sprite and label go, and its flag.
class StarClasses {
public:
    static constexpr int kNumScreenClasses = 14;
    static constexpr int kNumPaperClasses = 9;

    // (mag − 6.5) × bright + (6.5 − shift), in double, kept as a float.
    static float brightness(float mag, double starBrightVal, double starShiftVal);
    // 0 (faintest, v ≥ 6) to 13 (v below 0), a class every half unit.
    static int screenClass(float v);
    // 0 (v ≥ 5.5) to 8 (v below −1.5), a class every unit.
    static int paperClass(float v);

    // How far left of and below the star point a class's sprite starts, and
    // the width of its dot: 0 and 1 for classes 0-2, then 1 and 3, 2 and 5,
    // up to 5 and 11 for classes 11-13.
    static int originOffset(int screenClass);
    static int dotSize(int screenClass) { return 2 * originOffset(screenClass) + 1; }
    // How far right of the sprite's corner the flag starts.
    static int flagOffset(int screenClass);

    // The flag of a star type, or none: the mount families' alignment stars
    // first, then best doubles, advanced doubles, variables, stars with
    // planets and custom stars. On paper only the observing flags count.
    static const char* screenFlag(std::int32_t type, const PrefSwitches& settings);
    static const char* paperFlag(std::int32_t type, const PrefSwitches& settings);

    // Whether a star name is written at all: catalogue designations (two
    // leading capitals) are not, nor empty names or names opening with a space.
    static bool isNameShown(const char* name, int capacity);
};
