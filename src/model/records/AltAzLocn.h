#pragma once

#include "model/records/FloatPoint.h"

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Point of the horizontal grid or of a custom horizon; also the record of
// "AltAzGrid.tvk" and of the horizon caches.
struct AltAzLocn {
    FloatPoint screenPt;
    double horX;  // cos alt cos(az + 180 deg), toward south
    double horY;  // cos alt sin(az + 180 deg), toward west
    double horZ;  // -sin alt, toward nadir
    std::int32_t visible;
};

#pragma pack(pop)

static_assert(sizeof(AltAzLocn) == 36);
static_assert(offsetof(AltAzLocn, screenPt) == 0);
static_assert(offsetof(AltAzLocn, horX) == 8);
static_assert(offsetof(AltAzLocn, horY) == 16);
static_assert(offsetof(AltAzLocn, horZ) == 24);
static_assert(offsetof(AltAzLocn, visible) == 32);

inline void terminateTextFields(AltAzLocn&) {}
