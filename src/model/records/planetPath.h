#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Point of the selected body's path (built in memory, never stored).
struct planetPath {
    std::int32_t state;  // kState* visibility
    double vecX;  // apparent geocentric equatorial unit vector of date
    double vecY;
    double vecZ;
    double horX;  // horizon frame of the sky date: x south, y west, z nadir
    double horY;
    double horZ;
    float screenX;
    float screenY;
};

#pragma pack(pop)

static_assert(sizeof(planetPath) == 60);
static_assert(offsetof(planetPath, state) == 0);
static_assert(offsetof(planetPath, vecX) == 4);
static_assert(offsetof(planetPath, vecY) == 12);
static_assert(offsetof(planetPath, vecZ) == 20);
static_assert(offsetof(planetPath, horX) == 28);
static_assert(offsetof(planetPath, horY) == 36);
static_assert(offsetof(planetPath, horZ) == 44);
static_assert(offsetof(planetPath, screenX) == 52);
static_assert(offsetof(planetPath, screenY) == 56);

inline void terminateTextFields(planetPath&) {}
