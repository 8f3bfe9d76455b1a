#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 4)

// Comet; also the record of the "Comets.tvk" cache. Distances are 10^6 km, or
// 10^6 miles when the metric setting is off; angular elements are degrees in
// the ecliptic frame of J2000.
struct comet {
    std::uint32_t index;
    float mag;
    char name[36];
    std::int32_t state;  // kState* visibility
    float ra;   // apparent topocentric, of date, radians
    float dec;  // apparent topocentric, of date, radians
    float geoDistance;
    float helioDistance;
    float perihelionDistance;  // q, AU
    float eccentricity;
    float argPerihelion;
    float node;
    float inclination;
    float plotLongitude;  // heliocentric, radians
    float absMagnitude;
    float slope;
    float perihelionDay;  // day of the month, with fraction
    double vecX;  // apparent unit vector of date
    double vecY;
    double vecZ;
    double horX;  // horizon frame: x south, y west, z nadir
    double horY;
    double horZ;
    std::uint16_t perihelionYear;
    std::uint16_t perihelionMonth;
    float screenX;
    float screenY;
};

#pragma pack(pop)

static_assert(sizeof(comet) == 160);
static_assert(offsetof(comet, index) == 0);
static_assert(offsetof(comet, mag) == 4);
static_assert(offsetof(comet, name) == 8);
static_assert(offsetof(comet, state) == 44);
static_assert(offsetof(comet, ra) == 48);
static_assert(offsetof(comet, dec) == 52);
static_assert(offsetof(comet, geoDistance) == 56);
static_assert(offsetof(comet, helioDistance) == 60);
static_assert(offsetof(comet, perihelionDistance) == 64);
static_assert(offsetof(comet, eccentricity) == 68);
static_assert(offsetof(comet, argPerihelion) == 72);
static_assert(offsetof(comet, node) == 76);
static_assert(offsetof(comet, inclination) == 80);
static_assert(offsetof(comet, plotLongitude) == 84);
static_assert(offsetof(comet, absMagnitude) == 88);
static_assert(offsetof(comet, slope) == 92);
static_assert(offsetof(comet, perihelionDay) == 96);
static_assert(offsetof(comet, vecX) == 100);
static_assert(offsetof(comet, vecY) == 108);
static_assert(offsetof(comet, vecZ) == 116);
static_assert(offsetof(comet, horX) == 124);
static_assert(offsetof(comet, horY) == 132);
static_assert(offsetof(comet, horZ) == 140);
static_assert(offsetof(comet, perihelionYear) == 148);
static_assert(offsetof(comet, perihelionMonth) == 150);
static_assert(offsetof(comet, screenX) == 152);
static_assert(offsetof(comet, screenY) == 156);

inline void terminateTextFields(comet& r)
{
    r.name[sizeof r.name - 1] = '\0';
}
