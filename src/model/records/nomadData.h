#pragma once

#include "model/records/FloatPoint.h"

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Star of a catalogue cone-search reply (held in memory, never stored).
// Angles are degrees.
struct nomadData {
    float ra2000;
    float dec2000;
    float raNow;  // carried to the present, [0, 360)
    float decNow;
    float muRA;   // degrees per year
    float muDec;  // degrees per year
    float vMag;
    FloatPoint point;  // place in the telescope view
    char nomadId[14];
    std::uint8_t pad0[2];
};

#pragma pack(pop)

static_assert(sizeof(nomadData) == 52);
static_assert(offsetof(nomadData, ra2000) == 0);
static_assert(offsetof(nomadData, dec2000) == 4);
static_assert(offsetof(nomadData, raNow) == 8);
static_assert(offsetof(nomadData, decNow) == 12);
static_assert(offsetof(nomadData, muRA) == 16);
static_assert(offsetof(nomadData, muDec) == 20);
static_assert(offsetof(nomadData, vMag) == 24);
static_assert(offsetof(nomadData, point) == 28);
static_assert(offsetof(nomadData, nomadId) == 36);
static_assert(offsetof(nomadData, pad0) == 50);

inline void terminateTextFields(nomadData& r)
{
    r.nomadId[sizeof r.nomadId - 1] = '\0';
}
