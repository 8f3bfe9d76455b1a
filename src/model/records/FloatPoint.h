#pragma once

#include <cstddef>

#pragma pack(push, 4)

// A point of the chart or of the telescope view, single precision as stored.
struct FloatPoint {
    float x;
    float y;
};

#pragma pack(pop)

static_assert(sizeof(FloatPoint) == 8);
static_assert(offsetof(FloatPoint, x) == 0);
static_assert(offsetof(FloatPoint, y) == 4);
