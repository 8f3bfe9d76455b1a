#pragma once

#include "model/records/meteor.h"

#include <array>
#include <vector>

// The ten meteor showers built into the program, with the date and hourly
// rate of their peak and their radiant (whole degrees, used unprecessed).
class MeteorShowers {
public:
    static constexpr int kNumShowers = 10;

    struct Shower {
        const char* name;
        int month;
        int day;
        int rate;
        double raDeg;
        double decDeg;
    };
    static const std::array<Shower, kNumShowers> kShowers;

    static std::vector<meteor> create();
};
