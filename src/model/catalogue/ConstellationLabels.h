#pragma once

#include "model/records/conLocn.h"

#include <array>
#include <vector>

// The 89 constellation labels built into the program (88 constellations,
// Serpens in two parts), each at a fixed J2000 point with the name the
// "Global" string table gives its upper-case Latin key.
class ConstellationLabels {
public:
    static constexpr int kNumLabels = 89;

    struct Entry {
        const char* key;  // UTF-8, also the localisation key
        double raHours;
        double decDeg;
    };
    static const std::array<Entry, kNumLabels> kEntries;

    static std::vector<conLocn> create();
};
