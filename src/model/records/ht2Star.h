#pragma once

#include "model/records/FloatPoint.h"

#include <cstddef>

#pragma pack(push, 4)

// Deep-catalogue star of the telescope view (held in memory, never stored).
struct ht2Star {
    float ra;   // of date, radians, 0 to 2 pi
    float dec;  // of date, radians
    float mag;
    FloatPoint point;  // view coordinates before the view's flips and rotation
};

#pragma pack(pop)

static_assert(sizeof(ht2Star) == 20);
static_assert(offsetof(ht2Star, ra) == 0);
static_assert(offsetof(ht2Star, dec) == 4);
static_assert(offsetof(ht2Star, mag) == 8);
static_assert(offsetof(ht2Star, point) == 12);

inline void terminateTextFields(ht2Star&) {}
