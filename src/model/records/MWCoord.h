#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Point of the Milky Way outline (built in memory, never stored).
struct MWCoord {
    double vecX;  // J2000 equatorial unit vector
    double vecY;
    double vecZ;
    double horX;  // horizon frame: x south, y west, z nadir
    double horY;
    double horZ;
    std::int32_t visible;
    float screenX;
    float screenY;
};

#pragma pack(pop)

static_assert(sizeof(MWCoord) == 60);
static_assert(offsetof(MWCoord, vecX) == 0);
static_assert(offsetof(MWCoord, vecY) == 8);
static_assert(offsetof(MWCoord, vecZ) == 16);
static_assert(offsetof(MWCoord, horX) == 24);
static_assert(offsetof(MWCoord, horY) == 32);
static_assert(offsetof(MWCoord, horZ) == 40);
static_assert(offsetof(MWCoord, visible) == 48);
static_assert(offsetof(MWCoord, screenX) == 52);
static_assert(offsetof(MWCoord, screenY) == 56);

inline void terminateTextFields(MWCoord&) {}
