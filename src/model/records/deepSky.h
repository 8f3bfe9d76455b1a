#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Deep-sky object; also the record of the "DeepSky.tvk" cache. The unit
// vector is its only position.
struct deepSky {
    std::uint32_t index;
    float mag;           // 16.0 when the source gives none
    std::int32_t type;   // 0 galaxy, 1 nebula, 2 open cluster, 3 globular cluster
    std::int32_t list;   // observing list: 1 best, 2 advanced
    float size;          // 0 when the source gives none
    std::int32_t caldwell;
    std::int32_t herschel;  // 1 Herschel 400, 2 Herschel II, 0 none
    std::int32_t arp;
    char con[4];
    char name[21];
    char ngc[12];
    char messier[5];
    std::uint8_t pad0[2];
    std::int32_t state;  // kState* visibility
    double vecX;  // J2000 equatorial unit vector
    double vecY;
    double vecZ;
    double horX;  // horizon frame: x south, y west, z nadir
    double horY;
    double horZ;
    float screenX;
    float screenY;
};

#pragma pack(pop)

static_assert(sizeof(deepSky) == 136);
static_assert(offsetof(deepSky, index) == 0);
static_assert(offsetof(deepSky, mag) == 4);
static_assert(offsetof(deepSky, type) == 8);
static_assert(offsetof(deepSky, list) == 12);
static_assert(offsetof(deepSky, size) == 16);
static_assert(offsetof(deepSky, caldwell) == 20);
static_assert(offsetof(deepSky, herschel) == 24);
static_assert(offsetof(deepSky, arp) == 28);
static_assert(offsetof(deepSky, con) == 32);
static_assert(offsetof(deepSky, name) == 36);
static_assert(offsetof(deepSky, ngc) == 57);
static_assert(offsetof(deepSky, messier) == 69);
static_assert(offsetof(deepSky, pad0) == 74);
static_assert(offsetof(deepSky, state) == 76);
static_assert(offsetof(deepSky, vecX) == 80);
static_assert(offsetof(deepSky, vecY) == 88);
static_assert(offsetof(deepSky, vecZ) == 96);
static_assert(offsetof(deepSky, horX) == 104);
static_assert(offsetof(deepSky, horY) == 112);
static_assert(offsetof(deepSky, horZ) == 120);
static_assert(offsetof(deepSky, screenX) == 128);
static_assert(offsetof(deepSky, screenY) == 132);

inline void terminateTextFields(deepSky& r)
{
    r.con[sizeof r.con - 1] = '\0';
    r.name[sizeof r.name - 1] = '\0';
    r.ngc[sizeof r.ngc - 1] = '\0';
    r.messier[sizeof r.messier - 1] = '\0';
}
