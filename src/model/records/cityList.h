#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// City of the site tables; also the record of "USCity.tvk" and "WorldCity.tvk".
struct cityList {
    char name[33];  // Mac OS Roman
    std::uint8_t pad0[3];
    float latitude;   // degrees, north positive
    float longitude;  // degrees, east positive
    float timeZone;   // hours east of GMT
};

#pragma pack(pop)

static_assert(sizeof(cityList) == 48);
static_assert(offsetof(cityList, name) == 0);
static_assert(offsetof(cityList, pad0) == 33);
static_assert(offsetof(cityList, latitude) == 36);
static_assert(offsetof(cityList, longitude) == 40);
static_assert(offsetof(cityList, timeZone) == 44);

inline void terminateTextFields(cityList& r)
{
    r.name[sizeof r.name - 1] = '\0';
}
