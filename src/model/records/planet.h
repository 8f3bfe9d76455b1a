#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Solar-system body: Sun, Mercury to Pluto, Moon and the Earth's shadow point
// (built in memory, never stored). Distances are 10^6 km, or 10^6 miles when
// the metric setting is off; the Moon's distance from the Earth is 10^3 km or
// 10^3 miles.
struct planet {
    float mag;  // the Moon holds 1000 x its illuminated fraction
    std::int32_t index;
    std::int32_t state;  // kState* visibility; never filtered
    double vecX;  // apparent equatorial unit vector of date
    double vecY;
    double vecZ;
    double horX;  // horizon frame: x south, y west, z nadir
    double horY;
    double horZ;
    float helioDistance;
    float geoDistance;  // 0 until the first planetary pass
    float ra;   // apparent, of date, radians
    float dec;  // apparent, of date, radians
    float screenX;
    float screenY;
};

#pragma pack(pop)

static_assert(sizeof(planet) == 84);
static_assert(offsetof(planet, mag) == 0);
static_assert(offsetof(planet, index) == 4);
static_assert(offsetof(planet, state) == 8);
static_assert(offsetof(planet, vecX) == 12);
static_assert(offsetof(planet, vecY) == 20);
static_assert(offsetof(planet, vecZ) == 28);
static_assert(offsetof(planet, horX) == 36);
static_assert(offsetof(planet, horY) == 44);
static_assert(offsetof(planet, horZ) == 52);
static_assert(offsetof(planet, helioDistance) == 60);
static_assert(offsetof(planet, geoDistance) == 64);
static_assert(offsetof(planet, ra) == 68);
static_assert(offsetof(planet, dec) == 72);
static_assert(offsetof(planet, screenX) == 76);
static_assert(offsetof(planet, screenY) == 80);

inline void terminateTextFields(planet&) {}
