#pragma once

#include "model/UnitVector.h"
#include "model/records/FloatPoint.h"

#include <cstddef>
#include <utility>

#pragma pack(push, 4)

// Deep-catalogue star of the telescope view (held in memory, never stored).
struct ht2Star {
    // Of date, a unit vector: the angles, wanted only for the star a user
    // points at, cost more than everything else the view does with a star.
    float x;
    float y;
    float z;
    float mag;
    FloatPoint point;  // view coordinates before the view's flips and rotation
};

#pragma pack(pop)

static_assert(sizeof(ht2Star) == 24);
static_assert(offsetof(ht2Star, x) == 0);
static_assert(offsetof(ht2Star, y) == 4);
static_assert(offsetof(ht2Star, z) == 8);
static_assert(offsetof(ht2Star, mag) == 12);
static_assert(offsetof(ht2Star, point) == 16);

inline void terminateTextFields(ht2Star&) {}

// Its right ascension (0 to 2 pi) and declination of date, radians.
inline std::pair<double, double> raDecOf(const ht2Star& s)
{
    return UnitVector{s.x, s.y, s.z}.raDec();
}
