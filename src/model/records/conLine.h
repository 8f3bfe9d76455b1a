#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Constellation figure line between two stars, by index in the star table;
// also the record of "Constellations.tvk".
struct conLine {
    std::int32_t star1;
    std::int32_t star2;
};

#pragma pack(pop)

static_assert(sizeof(conLine) == 8);
static_assert(offsetof(conLine, star1) == 0);
static_assert(offsetof(conLine, star2) == 4);

inline void terminateTextFields(conLine&) {}
