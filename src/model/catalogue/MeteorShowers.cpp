#include "model/catalogue/MeteorShowers.h"

#include "model/UnitVector.h"

#include <cstring>

const std::array<MeteorShowers::Shower, MeteorShowers::kNumShowers> MeteorShowers::kShowers = {{
    {"Lyrids", 4, 22, 15, 274.0, 34.0},
    {"Eta Aquarids", 5, 5, 20, 336.0, 0.0},
    {"Delta Aquarids", 7, 29, 20, 339.0, -17.0},
    {"Perseids", 8, 12, 100, 46.0, 58.0},
    {"Orionids", 10, 22, 20, 95.0, 15.0},
    {"South Taurids", 11, 3, 10, 53.0, 14.0},
    {"Leonids", 11, 19, 1000, 152.0, 22.0},
    {"Geminids", 12, 14, 95, 113.0, 32.0},
    {"Ursids", 12, 22, 20, 217.0, 76.0},
    {"Quadrantids", 1, 3, 90, 232.0, 50.0},
}};

std::vector<meteor> MeteorShowers::create()
{
    std::vector<meteor> showers(kNumShowers);
    for (int k = 0; k < kNumShowers; ++k) {
        const Shower& source = kShowers[std::size_t(k)];
        meteor& m = showers[std::size_t(k)];
        std::memset(&m, 0, sizeof m);
        const UnitVector v =
            UnitVector::fromRADec(source.raDeg * kDegToRad, source.decDeg * kDegToRad);
        m.vecX = v.x;
        m.vecY = v.y;
        m.vecZ = v.z;
        m.month = source.month;
        m.day = source.day;
        m.rate = source.rate;
        std::strncpy(m.name, source.name, sizeof m.name - 1);
    }
    return showers;
}
