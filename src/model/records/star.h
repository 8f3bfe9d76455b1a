#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Catalogue star; also the record of the "Stars.tvk" cache.
struct star {
    std::uint32_t index;
    char sao[7];
    char bayer[12];
    char name[16];
    std::uint8_t pad0[1];
    float mag;
    char spectral[4];
    char color;  // 'B', 'Y', 'O', 'R' or 'W', from the spectral class
    std::uint8_t pad1[3];
    std::int32_t type;
    double raDeg;   // J2000, degrees
    double decDeg;  // J2000, degrees
    double pmRA;    // radians per Julian century
    double pmDec;   // radians per Julian century
    double vecX;    // J2000 equatorial unit vector
    double vecY;
    double vecZ;
    std::int32_t state;  // kState* visibility
    double horX;  // horizon frame: x south, y west, z nadir
    double horY;
    double horZ;
    float screenX;
    float screenY;
};

#pragma pack(pop)

static_assert(sizeof(star) == 148);
static_assert(offsetof(star, index) == 0);
static_assert(offsetof(star, sao) == 4);
static_assert(offsetof(star, bayer) == 11);
static_assert(offsetof(star, name) == 23);
static_assert(offsetof(star, pad0) == 39);
static_assert(offsetof(star, mag) == 40);
static_assert(offsetof(star, spectral) == 44);
static_assert(offsetof(star, color) == 48);
static_assert(offsetof(star, pad1) == 49);
static_assert(offsetof(star, type) == 52);
static_assert(offsetof(star, raDeg) == 56);
static_assert(offsetof(star, decDeg) == 64);
static_assert(offsetof(star, pmRA) == 72);
static_assert(offsetof(star, pmDec) == 80);
static_assert(offsetof(star, vecX) == 88);
static_assert(offsetof(star, vecY) == 96);
static_assert(offsetof(star, vecZ) == 104);
static_assert(offsetof(star, state) == 112);
static_assert(offsetof(star, horX) == 116);
static_assert(offsetof(star, horY) == 124);
static_assert(offsetof(star, horZ) == 132);
static_assert(offsetof(star, screenX) == 140);
static_assert(offsetof(star, screenY) == 144);

inline void terminateTextFields(star& r)
{
    r.sao[sizeof r.sao - 1] = '\0';
    r.bayer[sizeof r.bayer - 1] = '\0';
    r.name[sizeof r.name - 1] = '\0';
    r.spectral[sizeof r.spectral - 1] = '\0';
}
