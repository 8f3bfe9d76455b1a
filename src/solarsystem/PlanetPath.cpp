#include "solarsystem/PlanetPath.h"

#include "model/ObjectIndex.h"

namespace {

constexpr std::int32_t kFirstPathPlanet = 1;  // Mercury
constexpr std::int32_t kLastPathPlanet = 8;   // Pluto
constexpr std::int32_t kPlanetBandEnd = kPlanetIndexBase + kObjectBandSize;
constexpr std::int32_t kCometBandEnd = kCometIndexBase + kObjectBandSize;

constexpr int kCometKind = 0;
constexpr int kMinorPlanetKind = 1;

// Single-precision offset, widened, as the passes take it.
double dayOffset(int point, int anchor, float step)
{
    return double(float(point - anchor) * step);
}

}  // namespace

namespace PlanetPath {

int anchorIndex(float pathPercent)
{
    const float n = (1.0f - pathPercent / 100.0f) * float(kPointCount - 1);
    // Clamped before the conversion, which has no value outside int's range (or for NaN).
    if (!(n > 0.0f))
        return 0;
    if (n >= float(kPointCount - 1))
        return kPointCount - 1;
    return int(n);
}

float stepDays(float pathDays)
{
    return pathDays / float(kPointCount);
}

void calculatePlanetPath(const PlanetPathSettings& settings, PlanetPathPasses& passes)
{
    if (!settings.isPath)
        return;
    const float step = stepDays(settings.pathDays);
    const int anchor = anchorIndex(settings.pathPercent);
    const std::int32_t k = settings.findIndex;

    if (k >= kPlanetIndexBase + kFirstPathPlanet && k <= kPlanetIndexBase + kLastPathPlanet) {
        const auto body = std::int16_t(k - kPlanetIndexBase);
        for (int i = 0; i < kPointCount; ++i)
            passes.planetPathPoint(dayOffset(i, anchor, step), body, std::int16_t(i));
    } else if (k >= kPlanetIndexBase && k < kPlanetBandEnd) {
        // The Sun, the Moon and the shadow point have no path; the last one stays.
        return;
    } else if (k >= kCometIndexBase && k < kCometBandEnd) {
        const long index = k - kCometIndexBase;
        // A table update may have shrunk the comets under a kept selection.
        if (index >= passes.numComets()) {
            passes.setHasPlanetPath(false);
            return;
        }
        for (int i = 0; i < kPointCount; ++i)
            passes.cometPathPoint(kCometKind, dayOffset(i, anchor, step), index, std::int16_t(i));
    } else if (k >= kMinorPlanetIndexBase) {
        const long index = k - kMinorPlanetIndexBase;
        if (index >= passes.numMinorPlanets()) {
            passes.setHasPlanetPath(false);
            return;
        }
        for (int i = 0; i < kPointCount; ++i)
            passes.cometPathPoint(kMinorPlanetKind, dayOffset(i, anchor, step), index, std::int16_t(i));
    } else {
        passes.setHasPlanetPath(false);
        return;
    }
    passes.setHasPlanetPath(true);
    passes.reproject();
}

}  // namespace PlanetPath
