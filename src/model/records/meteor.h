#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Meteor shower and its radiant (built in memory, never stored).
struct meteor {
    double vecX;  // equatorial unit vector of the radiant, not precessed
    double vecY;
    double vecZ;
    double horX;  // horizon frame: x south, y west, z nadir
    double horY;
    double horZ;
    std::int32_t visible;
    std::int32_t month;  // of the peak, 1 to 12
    std::int32_t day;
    std::int32_t rate;  // per hour at the peak
    char name[32];
    float screenX;
    float screenY;
};

#pragma pack(pop)

static_assert(sizeof(meteor) == 104);
static_assert(offsetof(meteor, vecX) == 0);
static_assert(offsetof(meteor, vecY) == 8);
static_assert(offsetof(meteor, vecZ) == 16);
static_assert(offsetof(meteor, horX) == 24);
static_assert(offsetof(meteor, horY) == 32);
static_assert(offsetof(meteor, horZ) == 40);
static_assert(offsetof(meteor, visible) == 48);
static_assert(offsetof(meteor, month) == 52);
static_assert(offsetof(meteor, day) == 56);
static_assert(offsetof(meteor, rate) == 60);
static_assert(offsetof(meteor, name) == 64);
static_assert(offsetof(meteor, screenX) == 96);
static_assert(offsetof(meteor, screenY) == 100);

inline void terminateTextFields(meteor& r)
{
    r.name[sizeof r.name - 1] = '\0';
}
