#pragma once

#include <cstddef>

#pragma pack(push, 4)

// Observing site; five of them are stored back to back as "SitesPref".
struct site {
    float latitude;   // degrees, north positive
    float longitude;  // degrees, east positive
};

#pragma pack(pop)

static_assert(sizeof(site) == 8);
static_assert(offsetof(site, latitude) == 0);
static_assert(offsetof(site, longitude) == 4);

inline void terminateTextFields(site&) {}
