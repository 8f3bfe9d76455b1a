#pragma once

#include "model/records/FloatPoint.h"

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Vertex of a constellation boundary; also the record of "Boundary.tvk".
struct boundaryLocn {
    FloatPoint screenPt;
    double vecX;  // J2000 equatorial unit vector
    double vecY;
    double vecZ;
    double horX;  // horizon frame: x south, y west, z nadir
    double horY;
    double horZ;
    std::int32_t visible;
    std::uint32_t lineId;  // vertices of one boundary line share it; never 0
};

#pragma pack(pop)

static_assert(sizeof(boundaryLocn) == 64);
static_assert(offsetof(boundaryLocn, screenPt) == 0);
static_assert(offsetof(boundaryLocn, vecX) == 8);
static_assert(offsetof(boundaryLocn, vecY) == 16);
static_assert(offsetof(boundaryLocn, vecZ) == 24);
static_assert(offsetof(boundaryLocn, horX) == 32);
static_assert(offsetof(boundaryLocn, horY) == 40);
static_assert(offsetof(boundaryLocn, horZ) == 48);
static_assert(offsetof(boundaryLocn, visible) == 56);
static_assert(offsetof(boundaryLocn, lineId) == 60);

inline void terminateTextFields(boundaryLocn&) {}
