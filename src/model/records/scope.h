#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Telescope; five of them are stored back to back as "ScopesPref". A focal
// length of 0 marks an empty slot.
struct scope {
    float scopeFL;    // mm
    float scopeAP;    // mm
    float finderFOV;  // degrees
    std::uint16_t mountProtocol;  // 1 to 13
    std::uint16_t finderType;     // 0 dot, 1 rings, 2 circle with cross
    std::int8_t isRevEW;
    std::int8_t isRevNS;
    std::int8_t isFLmm;  // focal length was entered in mm, else inches
    std::int8_t isAPmm;  // aperture was entered in mm, else inches
};

#pragma pack(pop)

static_assert(sizeof(scope) == 20);
static_assert(offsetof(scope, scopeFL) == 0);
static_assert(offsetof(scope, scopeAP) == 4);
static_assert(offsetof(scope, finderFOV) == 8);
static_assert(offsetof(scope, mountProtocol) == 12);
static_assert(offsetof(scope, finderType) == 14);
static_assert(offsetof(scope, isRevEW) == 16);
static_assert(offsetof(scope, isRevNS) == 17);
static_assert(offsetof(scope, isFLmm) == 18);
static_assert(offsetof(scope, isAPmm) == 19);

inline void terminateTextFields(scope&) {}
