#include "solarsystem/smallbodies/ParallelMinorPlanets.h"

#include "solarsystem/smallbodies/ProgressCounter.h"
#include "solarsystem/smallbodies/SliceRunner.h"
#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include <algorithm>
#include <vector>

namespace {

struct Slice {
    std::size_t first = 0;
    std::size_t end = 0;
    NearEarthObject nearest;
    std::optional<TrackedPlace> tracked;
};

}  // namespace

namespace ParallelMinorPlanets {

std::optional<TrackedPlace> run(const Run& run)
{
    const std::size_t n = run.minorPlanets.size();
    const std::size_t k = std::size_t(std::max(run.slices, 1));
    const std::size_t per = n / k;
    std::vector<Slice> slices(k);
    for (std::size_t j = 0; j < k; ++j) {
        slices[j].first = j * per;
        slices[j].end = j + 1 == k ? n : (j + 1) * per;
    }
    // Percent of the first slice's two stages together.
    const auto percent = [per](std::size_t done) { return 100.0 * double(done) / (2.0 * double(per)); };
    ProgressCounter progress;

    if (run.inputs.isTimeChange) {
        const SmallBodyPosition::Frame frame(run.inputs, run.days);
        const bool searchNeo = run.days == 0.0;
        SliceRunner::run(int(k), [&](int s) {
            Slice& slice = slices[std::size_t(s)];
            for (std::size_t i = slice.first; i < slice.end; ++i) {
                minorPlanet& m = run.minorPlanets[i];
                const std::optional<SmallBodyPosition::Place> place =
                    SmallBodyPosition::updateMinorPlanet(m, frame);
                if (!place)
                    continue;
                if (searchNeo && m.source == kMPSourceUnusual)
                    slice.nearest.offer(place->earthDistance, std::uint32_t(i), m.name);
                if (run.inputs.movesTrackedObject(kMinorPlanetIndexBase + std::int32_t(m.index)))
                    slice.tracked = TrackedPlace{place->topocentric.rightAscension,
                                                 place->topocentric.declination};
                if (s == 0)
                    progress.offer(percent(i));
            }
        }, &progress, run.progress);
        // In slice order, so that of equal distances the lower index wins.
        for (const Slice& slice : slices) {
            if (slice.nearest.hasNeo)
                run.neo.offer(slice.nearest.distance, slice.nearest.index, slice.nearest.name.data());
        }
    }

    if (run.projection) {
        SliceRunner::run(int(k), [&](int s) {
            const Slice& slice = slices[std::size_t(s)];
            for (std::size_t i = slice.first; i < slice.end; ++i) {
                if (run.projection(i) && s == 0)
                    progress.offer(percent(per + i));
            }
        }, &progress, run.progress);
    }

    for (const Slice& slice : slices) {
        if (slice.tracked)
            return slice.tracked;
    }
    return std::nullopt;
}

}  // namespace ParallelMinorPlanets
