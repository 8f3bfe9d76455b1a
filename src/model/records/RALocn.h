#pragma once

#include "model/records/FloatPoint.h"

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Point of the equatorial grid; also the record of "RAGrid.tvk".
struct RALocn {
    FloatPoint screenPt;
    double vecX;  // equatorial unit vector of date (the grid is not precessed)
    double vecY;
    double vecZ;
    double horX;  // horizon frame: x south, y west, z nadir
    double horY;
    double horZ;
    std::int32_t visible;
};

#pragma pack(pop)

static_assert(sizeof(RALocn) == 60);
static_assert(offsetof(RALocn, screenPt) == 0);
static_assert(offsetof(RALocn, vecX) == 8);
static_assert(offsetof(RALocn, vecY) == 16);
static_assert(offsetof(RALocn, vecZ) == 24);
static_assert(offsetof(RALocn, horX) == 32);
static_assert(offsetof(RALocn, horY) == 40);
static_assert(offsetof(RALocn, horZ) == 48);
static_assert(offsetof(RALocn, visible) == 56);

inline void terminateTextFields(RALocn&) {}
