#include "solarsystem/smallbodies/ParallelMinorPlanets.h"

#include "model/records/RecordConstants.h"
#include "solarsystem/smallbodies/MinorPlanetOrbit.h"
#include "solarsystem/smallbodies/ProgressCounter.h"
#include "solarsystem/smallbodies/SliceRunner.h"
#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using ParallelMinorPlanets::Gate;
using ParallelMinorPlanets::KeptOrbit;

// A pan's projection gets a slice of its own per this many records.
constexpr std::size_t kShownPerSlice = 32768;

// The records a gate lets through lie scattered over a table of hundreds of
// megabytes: each waits on memory unless fetched this many records ahead.
constexpr std::size_t kPrefetchAhead = 8;

void prefetch(const minorPlanet& m, const MinorPlanetWatch& watch)
{
    // Its (at most four) cache lines, whatever its alignment.
    const char* const record = reinterpret_cast<const char*>(&m);
    for (const std::size_t at : {std::size_t(0), std::size_t(64), std::size_t(128), sizeof(minorPlanet) - 1})
        __builtin_prefetch(record + at, 1);
    __builtin_prefetch(&watch, 1);
}

// Records waiting to be placed together (SmallBodyPosition::updateMinorPlanets).
struct Waiting {
    static constexpr std::size_t kCount = SmallBodyPosition::kBodiesTogether;
    std::array<SmallBodyPosition::Body, kCount> bodies;
    std::array<std::size_t, kCount> index{};
    std::array<MinorPlanetOrbit, kCount> orbits;  // when the run keeps none
    std::size_t count = 0;
};

struct Slice {
    std::size_t first = 0;
    std::size_t end = 0;
    NearEarthObject nearest;
    std::optional<TrackedPlace> tracked;
    std::vector<std::uint32_t> shown;     // with a gate: the records not skipped
    std::vector<std::uint32_t> onScreen;  // with a gate: those projected on screen
    std::vector<KeptOrbit> keptOrbits;    // with a gate that keeps them: this pass's
};

// The orbit of record i among `kept` (sorted by record), looked for from
// `at` on, which moves past the records before i; none when not kept.
const MinorPlanetOrbit* keptOrbit(std::span<const KeptOrbit> kept, std::size_t& at, std::size_t i)
{
    while (at < kept.size() && kept[at].record < i)
        ++at;
    return at < kept.size() && kept[at].record == i ? &kept[at].orbit : nullptr;
}

bool isHidden(const Gate& gate, std::int32_t source)
{
    switch (source) {
    case kMPSourceBright:
    case kMPSourceNumbered:
        return !gate.showListed;
    default:
        return false;
    }
}

// Whether record i is skipped this pass. A skipped one is left as off the
// view: its magnitude and chart point may be those of another date, so
// neither the chart nor a click may take it.
bool isSkipped(const Gate& gate, std::size_t i, minorPlanet& m, double julianDay)
{
    MinorPlanetWatch& watch = gate.watches[i];
    if (gate.selected == i || gate.tracked == i || watch.source == kMPSourceUnusual)
        return false;
    const bool skip = watch.isTooFaint(gate.limit, julianDay) || isHidden(gate, watch.source);
    // The record itself is touched only when it changes.
    if (skip && watch.mayBeShown) {
        m.state = kStateOffView;
        watch.mayBeShown = false;
    }
    return skip;
}

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
    Gate* const gate = run.gate;
    // The slices that project the records a gate lets through.
    std::size_t projecting = k;

    const SmallBodyPosition::Frame frame(run.inputs, run.days);
    const bool searchNeo = run.days == 0.0;
    const auto placeWaiting = [&](Slice& slice, Waiting& waiting) {
        SmallBodyPosition::updateMinorPlanets({waiting.bodies.data(), waiting.count}, frame);
        for (std::size_t k = 0; k < waiting.count; ++k) {
            const std::optional<SmallBodyPosition::Place>& place = waiting.bodies[k].place;
            if (!place)
                continue;
            const std::size_t i = waiting.index[k];
            const minorPlanet& m = run.minorPlanets[i];
            if (gate)
                gate->watches[i].watchAfter(m, *place, frame, gate->limit);
            if (searchNeo && m.source == kMPSourceUnusual)
                slice.nearest.offer(place->earthDistance, std::uint32_t(i), m.name);
            if (run.inputs.movesTrackedObject(kMinorPlanetIndexBase + std::int32_t(m.index)))
                slice.tracked = TrackedPlace{place->topocentric.rightAscension, place->topocentric.declination};
        }
        waiting.count = 0;
    };
    // Places record i from `orbit`, from the run's orbits or from its
    // elements, and returns a copy of the orbit it used.
    const auto place = [&](Slice& slice, Waiting& waiting, std::size_t i, const MinorPlanetOrbit* orbit = nullptr) {
        SmallBodyPosition::Body& body = waiting.bodies[waiting.count];
        body.record = &run.minorPlanets[i];
        if (!run.orbits.empty())
            orbit = &run.orbits[i];
        body.orbit = orbit ? orbit : &(waiting.orbits[waiting.count] = MinorPlanetOrbit::of(*body.record));
        const MinorPlanetOrbit used = *body.orbit;
        waiting.index[waiting.count] = i;
        if (++waiting.count == Waiting::kCount)
            placeWaiting(slice, waiting);
        return used;
    };

    if (gate && !(gate->isAsLast && gate->shown)) {
        // While the sky stands still only the bodies that were skipped need
        // a place, for a brighter limit or a list switched on.
        const std::span<const KeptOrbit> lastKept = gate->keptOrbits ? *gate->keptOrbits : std::span<const KeptOrbit>();
        const std::size_t mostKeptPerSlice = ParallelMinorPlanets::kMostKeptOrbits / k;
        SliceRunner::run(int(k), [&](int s) {
            Slice& slice = slices[std::size_t(s)];
            Waiting waiting;
            std::size_t kept = std::size_t(std::ranges::lower_bound(lastKept, slice.first, {}, &KeptOrbit::record)
                                           - lastKept.begin());
            for (std::size_t i = slice.first; i < slice.end; ++i) {
                if (isSkipped(*gate, i, run.minorPlanets[i], frame.julianDay))
                    continue;
                MinorPlanetWatch& watch = gate->watches[i];
                const MinorPlanetOrbit* orbit = keptOrbit(lastKept, kept, i);
                std::optional<MinorPlanetOrbit> placedFrom;
                if (watch.generation != gate->generation) {
                    placedFrom = place(slice, waiting, i, orbit);
                    watch.generation = gate->generation;
                }
                if (gate->keptOrbits && slice.keptOrbits.size() < mostKeptPerSlice && (orbit || placedFrom))
                    slice.keptOrbits.push_back({std::uint32_t(i), orbit ? *orbit : *placedFrom});
                slice.shown.push_back(std::uint32_t(i));
                if (s == 0)
                    progress.offer(percent(i));
            }
            placeWaiting(slice, waiting);
        }, &progress, run.progress);
        if (gate->shown) {
            gate->shown->clear();
            for (const Slice& slice : slices)
                gate->shown->insert(gate->shown->end(), slice.shown.begin(), slice.shown.end());
        }
        if (gate->keptOrbits) {
            gate->keptOrbits->clear();
            for (const Slice& slice : slices)
                gate->keptOrbits->insert(gate->keptOrbits->end(), slice.keptOrbits.begin(), slice.keptOrbits.end());
        }
    } else if (gate) {
        // The same bodies as last time, split evenly again: as few slices
        // as their count needs, since a thread costs more than a short share.
        const std::span<const std::uint32_t> shown = *gate->shown;
        projecting = std::clamp<std::size_t>(shown.size() / kShownPerSlice, 1, k);
        const std::size_t share = shown.size() / projecting;
        for (std::size_t j = 0; j < projecting; ++j) {
            const auto first = shown.begin() + std::ptrdiff_t(j * share);
            slices[j].shown.assign(first, j + 1 == projecting ? shown.end() : first + std::ptrdiff_t(share));
        }
    } else if (run.inputs.isTimeChange) {
        SliceRunner::run(int(k), [&](int s) {
            Slice& slice = slices[std::size_t(s)];
            Waiting waiting;
            for (std::size_t i = slice.first; i < slice.end; ++i) {
                place(slice, waiting, i);
                if (s == 0)
                    progress.offer(percent(i));
            }
            placeWaiting(slice, waiting);
        }, &progress, run.progress);
    }
    // In slice order, so that of equal distances the lower index wins.
    for (const Slice& slice : slices) {
        if (slice.nearest.hasNeo)
            run.neo.offer(slice.nearest.distance, slice.nearest.index, slice.nearest.name.data());
    }

    if (run.projection && gate) {
        SliceRunner::run(int(projecting), [&](int s) {
            Slice& slice = slices[std::size_t(s)];
            const std::span<const std::uint32_t> shown = slice.shown;
            for (std::size_t n = 0; n < shown.size(); ++n) {
                if (n + kPrefetchAhead < shown.size())
                    prefetch(run.minorPlanets[shown[n + kPrefetchAhead]], gate->watches[shown[n + kPrefetchAhead]]);
                const std::uint32_t i = shown[n];
                gate->watches[i].mayBeShown = true;
                if (run.projection(i))
                    slice.onScreen.push_back(i);
                if (s == 0)
                    progress.offer(percent(per + i));
            }
        }, &progress, run.progress);
        if (gate->onScreen) {
            gate->onScreen->clear();
            for (const Slice& slice : slices)
                gate->onScreen->insert(gate->onScreen->end(), slice.onScreen.begin(), slice.onScreen.end());
        }
    } else if (run.projection) {
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
