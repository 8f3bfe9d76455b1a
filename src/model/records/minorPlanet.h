#pragma once

#include <cstddef>
#include <cstdint>

// Element file a minor-planet record was read from.
inline constexpr std::int32_t kMPSourceBright = 0;
inline constexpr std::int32_t kMPSourceUnusual = 1;
inline constexpr std::int32_t kMPSourceNumbered = 2;
inline constexpr std::int32_t kMPSourceUnnumbered = 3;

#pragma pack(push, 4)

// Minor planet; also the record of the "MinorPlanets.tvk" cache. Distances
// are 10^6 km, or 10^6 miles when the metric setting is off; angular elements
// are degrees in the ecliptic frame of J2000.
struct minorPlanet {
    std::uint32_t index;
    float mag;  // H-G system
    char name[21];
    char designation[10];  // packed designation
    std::uint8_t pad0[1];
    std::int32_t state;  // kState* visibility
    float ra;   // apparent topocentric, of date, radians
    float dec;  // apparent topocentric, of date, radians
    float geoDistance;
    float helioDistance;
    float semiMajorAxis;  // AU
    float eccentricity;
    float argPerihelion;
    float node;
    float inclination;
    float meanAnomaly;  // at the epoch
    float plotLongitude;  // heliocentric, radians
    float absMagnitude;  // H
    float slope;         // G
    float epochDay;
    double vecX;  // apparent unit vector of date
    double vecY;
    double vecZ;
    double horX;  // horizon frame: x south, y west, z nadir
    double horY;
    double horZ;
    std::uint16_t epochYear;
    std::uint16_t epochMonth;
    float screenX;
    float screenY;
    std::int32_t source;  // kMPSource*
};

#pragma pack(pop)

static_assert(sizeof(minorPlanet) == 164);
static_assert(offsetof(minorPlanet, index) == 0);
static_assert(offsetof(minorPlanet, mag) == 4);
static_assert(offsetof(minorPlanet, name) == 8);
static_assert(offsetof(minorPlanet, designation) == 29);
static_assert(offsetof(minorPlanet, pad0) == 39);
static_assert(offsetof(minorPlanet, state) == 40);
static_assert(offsetof(minorPlanet, ra) == 44);
static_assert(offsetof(minorPlanet, dec) == 48);
static_assert(offsetof(minorPlanet, geoDistance) == 52);
static_assert(offsetof(minorPlanet, helioDistance) == 56);
static_assert(offsetof(minorPlanet, semiMajorAxis) == 60);
static_assert(offsetof(minorPlanet, eccentricity) == 64);
static_assert(offsetof(minorPlanet, argPerihelion) == 68);
static_assert(offsetof(minorPlanet, node) == 72);
static_assert(offsetof(minorPlanet, inclination) == 76);
static_assert(offsetof(minorPlanet, meanAnomaly) == 80);
static_assert(offsetof(minorPlanet, plotLongitude) == 84);
static_assert(offsetof(minorPlanet, absMagnitude) == 88);
static_assert(offsetof(minorPlanet, slope) == 92);
static_assert(offsetof(minorPlanet, epochDay) == 96);
static_assert(offsetof(minorPlanet, vecX) == 100);
static_assert(offsetof(minorPlanet, vecY) == 108);
static_assert(offsetof(minorPlanet, vecZ) == 116);
static_assert(offsetof(minorPlanet, horX) == 124);
static_assert(offsetof(minorPlanet, horY) == 132);
static_assert(offsetof(minorPlanet, horZ) == 140);
static_assert(offsetof(minorPlanet, epochYear) == 148);
static_assert(offsetof(minorPlanet, epochMonth) == 150);
static_assert(offsetof(minorPlanet, screenX) == 152);
static_assert(offsetof(minorPlanet, screenY) == 156);
static_assert(offsetof(minorPlanet, source) == 160);

inline void terminateTextFields(minorPlanet& r)
{
    r.name[sizeof r.name - 1] = '\0';
    r.designation[sizeof r.designation - 1] = '\0';
}
