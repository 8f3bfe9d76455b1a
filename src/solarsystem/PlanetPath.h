#pragma once

#include <cstdint>

// The settings the path reads.
struct PlanetPathSettings {
    bool isPath;             // the path layer is on
    float pathDays;          // whole span of the path, days
    float pathPercent;       // share of the span after the sky date, percent
    std::int32_t findIndex;  // the selected object (object-index bands)
};

// The astronomy model's side of the path: the passes that place one body at
// one moment into one path slot, the record counts, the model's flag that the
// path points are valid, and the re-projection.
class PlanetPathPasses {
public:
    virtual ~PlanetPathPasses() = default;
    // The planetary pass for planet body (1..8, Mercury..Pluto) at the sky date
    // plus dayOffset days, written into path slot 0..39.
    virtual void planetPathPoint(double dayOffset, std::int16_t body, std::int16_t slot) = 0;
    // The comet (kind 0) or minor-planet (kind 1) pass for record index at the
    // sky date plus dayOffset days, written into path slot 0..39.
    virtual void cometPathPoint(int kind, double dayOffset, long index, std::int16_t slot) = 0;
    virtual long numComets() const = 0;
    virtual long numMinorPlanets() const = 0;
    virtual void setHasPlanetPath(bool hasPath) = 0;
    // A forced projection pass: the planetary pass at the sky date and every chart place.
    virtual void reproject() = 0;
};

// The track of the selected planet, comet or minor planet over a span of days
// around the sky date, as 40 points; point i is the body at the sky date plus
// (i - n) x s days, with s = pathDays / 40 and n the point at the sky date.
namespace PlanetPath {

inline constexpr int kPointCount = 40;

// Fills the 40 path points of the selected body through the passes, sets
// the path flag and re-projects; a selection without a path clears the flag
// instead (the Sun, the Moon and the shadow point keep the previous path).
void calculatePlanetPath(const PlanetPathSettings& settings, PlanetPathPasses& passes);

// n: the index of the point at the sky date, (1 - percent / 100) x 39
// truncated and clamped to 0..39.
int anchorIndex(float pathPercent);
// s: days between two points, in single precision.
float stepDays(float pathDays);

}  // namespace PlanetPath
