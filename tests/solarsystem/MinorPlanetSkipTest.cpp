#include "solarsystem/smallbodies/MinorPlanetFirstPass.h"
#include "solarsystem/smallbodies/MinorPlanetOrbit.h"
#include "solarsystem/smallbodies/MinorPlanetWatch.h"
#include "solarsystem/smallbodies/ParallelMinorPlanets.h"
#include "solarsystem/smallbodies/SmallBodyPosition.h"

#include "model/ObjectIndex.h"
#include "model/projection/CatalogueFilters.h"
#include "model/records/RecordConstants.h"
#include "solarsystem/planets/DeltaT.h"
#include "solarsystem/smallbodies/GeocentricSun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

namespace {

// Invented orbits of every kind the catalogue holds: main belt, near-Earth
// (some crossing the Earth's orbit), distant ones and a few without a usable
// semi-major axis; bright and faint alike.
std::vector<minorPlanet> syntheticTable(std::size_t count)
{
    std::mt19937 random(7);
    const auto uniform = [&](double low, double high) {
        return low + (high - low) * std::uniform_real_distribution<double>(0.0, 1.0)(random);
    };
    std::vector<minorPlanet> table(count);
    for (std::size_t i = 0; i < count; ++i) {
        minorPlanet& m = table[i];
        const double kind = uniform(0.0, 1.0);
        const bool nearEarth = kind < 0.1;
        m.semiMajorAxis = float(nearEarth ? uniform(0.7, 2.2) : kind < 0.13 ? uniform(30.0, 60.0) : uniform(1.9, 3.6));
        m.eccentricity = float(nearEarth ? uniform(0.05, 0.7) : uniform(0.0, 0.35));
        if (i % 997 == 5)
            m.semiMajorAxis = 0.0f;
        m.absMagnitude = float(uniform(3.0, 20.0));
        m.slope = float(i % 50 == 0 ? uniform(-0.2, 1.2) : 0.15);
        m.meanAnomaly = float(uniform(0.0, 360.0));
        m.argPerihelion = float(uniform(0.0, 360.0));
        m.node = float(uniform(0.0, 360.0));
        m.inclination = float(uniform(0.0, 35.0));
        m.epochYear = 2025;
        m.epochMonth = 11;
        m.epochDay = 21.0f;
        m.index = std::uint32_t(i);
        m.source = i % 211 == 3 ? kMPSourceUnusual : i % 2 == 0 ? kMPSourceNumbered : kMPSourceUnnumbered;
    }
    return table;
}

SmallBodyInputs inputsAt(double julianDay)
{
    SmallBodyInputs in;
    in.julianDay = julianDay;
    in.sunJ2000 = GeocentricSun::j2000(2451545.0 + DeltaT::dynamicalMillennia(julianDay, 0.0) * 365250.0);
    in.latitude = 47.5;
    in.primeMeridian = 123.4;
    in.numCores = 4;
    return in;
}

// The chart's minor-planet step in miniature: the real filter, then a
// patch of sky as the view, the screen point from the place.
struct Chart {
    CatalogueFilters::MinorPlanetFilter filter;
    std::span<minorPlanet> table;

    bool project(std::size_t i) const
    {
        minorPlanet& m = table[i];
        if (!filter.passes(m.source, m.mag, std::uint32_t(i), std::nullopt)) {
            m.state = kStateFiltered;
            return false;
        }
        const bool inView = m.ra > 1.0f && m.ra < 4.5f && m.dec > -0.6f && m.dec < 0.7f;
        m.state = inView ? kStateOnScreen : kStateOffView;
        m.screenX = m.ra * 500.0f;
        m.screenY = m.dec * 500.0f;
        return inView;
    }
};

std::vector<std::uint32_t> drawn(const std::vector<minorPlanet>& table)
{
    std::vector<std::uint32_t> onScreen;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].state == kStateOnScreen)
            onScreen.push_back(std::uint32_t(i));
    }
    return onScreen;
}

// What the position pass writes of a record (copied: packed doubles may be misaligned).
auto placeOf(const minorPlanet& m)
{
    return std::tuple(float(m.mag), float(m.ra), float(m.dec), double(m.vecX), double(m.vecY), double(m.vecZ),
                      float(m.geoDistance), float(m.helioDistance), float(m.plotLongitude));
}

constexpr double kStart = 2461055.5;  // 2026 January 15

}  // namespace

// The gated pass, its watches and kept orbits carried from step to step as
// the program carries them, against every body computed afresh at each date
// and limit: the same bodies drawn, each with the same bytes, and no skipped
// one left where a click could take it.
TEST(MinorPlanetSkip, SkippedBodiesCouldNotHaveBeenDrawn)
{
    const std::vector<minorPlanet> source = syntheticTable(12000);
    std::vector<MinorPlanetWatch> watches = MinorPlanetFirstPass::freshWatches(source);
    std::vector<minorPlanet> gated = source;
    std::vector<std::uint32_t> onScreen;
    std::vector<std::uint32_t> shown;
    std::vector<ParallelMinorPlanets::KeptOrbit> keptOrbits;
    std::uint32_t generation = 0;
    std::vector<std::size_t> computedPerStep;
    std::vector<std::size_t> passingPerStep;  // bodies bright enough to be drawn in view
    // Carried as the program carries it: searched again only when the sky moved.
    NearEarthObject gatedNeo;

    // Minute steps, an hour, days and months both ways, with the limit
    // moved between them, sometimes without a change of the sky.
    struct Step {
        double days;
        double limit;
        bool showListed;
        bool isTimeChange;
    };
    const Step steps[] = {
        {0.0, 16.4, true, true},       {1.0 / 1440, 16.4, true, true},    {2.0 / 1440, 16.4, true, true},
        {2.0 / 1440, 19.0, true, false}, {0.05, 12.0, true, true},        {1.0, 12.0, false, true},
        {1.0, 16.4, true, false},      {1.0, 16.4, true, false},          {31.0, 16.4, true, true},
        {-40.0, 100.0, true, true},    {-40.0, 14.0, true, false},        {200.0, 16.4, true, true},
        {200.0 + 1.0 / 1440, 16.4, true, true},
    };
    const Step* last = nullptr;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.days << " days, limit " << step.limit);
        const SmallBodyInputs in = inputsAt(kStart + step.days);
        CatalogueFilters::MinorPlanetFilter filter;
        filter.limit = step.limit;
        filter.showMP = step.showListed;
        filter.showNEO = true;
        filter.selected = 4321;  // faint or not, always drawn when in view

        std::vector<minorPlanet> brute = source;
        const Chart bruteChart{filter, brute};
        NearEarthObject bruteNeo;
        const MinorPlanetProjection bruteProjection = [&](std::size_t i) { return bruteChart.project(i); };
        ParallelMinorPlanets::run({brute, in, 0.0, 3, bruteNeo, bruteProjection, {}});

        if (step.isTimeChange)
            ++generation;
        std::size_t computed = 0;
        for (const MinorPlanetWatch& w : watches)
            computed += w.generation != generation ? 1 : 0;
        ParallelMinorPlanets::Gate gate{watches, filter.limit, filter.showMP, filter.showNEO,
                                        filter.selected, std::nullopt, generation, &onScreen, &shown};
        gate.keptOrbits = &keptOrbits;
        // A pass as the last one (a pan) projects the bodies it kept again.
        gate.isAsLast = last && !step.isTimeChange && last->limit == step.limit
                        && last->showListed == step.showListed;
        last = &step;
        const Chart gatedChart{filter, gated};
        if (step.isTimeChange)
            gatedNeo.reset();
        const MinorPlanetProjection gatedProjection = [&](std::size_t i) { return gatedChart.project(i); };
        ParallelMinorPlanets::run({gated, in, 0.0, 3, gatedNeo, gatedProjection, {}, {}, &gate});
        for (const MinorPlanetWatch& w : watches)
            computed -= w.generation != generation ? 1 : 0;
        computedPerStep.push_back(computed);
        passingPerStep.push_back(std::size_t(std::ranges::count_if(brute, [](const minorPlanet& m) {
            return m.state != kStateFiltered;
        })));

        const std::vector<std::uint32_t> expected = drawn(brute);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(drawn(gated), expected);
        EXPECT_EQ(onScreen, expected);
        for (const std::uint32_t i : expected)
            ASSERT_EQ(std::memcmp(&gated[i], &brute[i], sizeof(minorPlanet)), 0) << "record " << i;
        // Any record a click may take (any not off the view) has this date's place and magnitude.
        for (std::size_t i = 0; i < gated.size(); ++i) {
            if (gated[i].state != kStateOffView) {
                ASSERT_EQ(placeOf(gated[i]), placeOf(brute[i])) << "record " << i;
            }
        }
        if (step.isTimeChange) {
            EXPECT_EQ(std::tuple(gatedNeo.hasNeo, gatedNeo.index, gatedNeo.distance),
                      std::tuple(bruteNeo.hasNeo, bruteNeo.index, bruteNeo.distance));
        }
    }
    // The bound is worth having: a minute's step computes little more than
    // the bodies bright enough, a pan none.
    for (const std::size_t minuteStep : {1u, 2u, 12u}) {
        EXPECT_LT(computedPerStep[minuteStep], passingPerStep[minuteStep] + source.size() / 50)
            << "step " << minuteStep << " of " << passingPerStep[minuteStep] << " passing";
    }
    EXPECT_EQ(computedPerStep[7], 0u);
}

// No magnitude a body reaches over two years is brighter than its orbit's
// brightest, nor, within a watch's span, than the watch's magnitude.
TEST(MinorPlanetSkip, BoundsHoldOverTwoYears)
{
    std::vector<minorPlanet> table = syntheticTable(400);
    const std::vector<MinorPlanetOrbit> orbits = MinorPlanetOrbit::of(table, 2);
    std::vector<MinorPlanetWatch> watches = MinorPlanetFirstPass::freshWatches(table);
    int windows = 0;
    for (int day = 0; day < 730; day += 3) {
        const SmallBodyPosition::Frame frame(inputsAt(kStart + day), 0.0);
        for (std::size_t i = 0; i < table.size(); ++i) {
            minorPlanet& m = table[i];
            const std::optional<SmallBodyPosition::Place> place =
                SmallBodyPosition::updateMinorPlanet(m, orbits[i], frame);
            if (!place)
                continue;
            ASSERT_GE(m.mag, MinorPlanetOrbit::brightestOf(m)) << i;
            MinorPlanetWatch& w = watches[i];
            if (w.from < frame.julianDay && frame.julianDay < w.until) {
                ASSERT_GT(m.mag, w.fainterThan) << i << " on day " << day;
            }
            if (!(w.from < frame.julianDay && frame.julianDay < w.until) || day % 30 == 0) {
                w.watchAfter(m, *place, frame, 13.0);
                windows += w.until > w.from ? 1 : 0;
            }
        }
    }
    EXPECT_GT(windows, 1000);
}

// The constants give the very bytes of a place computed from the elements alone.
TEST(MinorPlanetSkip, OrbitConstantsChangeNoPlace)
{
    std::vector<minorPlanet> once = syntheticTable(300);
    std::vector<minorPlanet> afresh = once;
    const std::vector<MinorPlanetOrbit> orbits = MinorPlanetOrbit::of(once, 3);
    const SmallBodyPosition::Frame frame(inputsAt(kStart + 12.25), 0.0);
    for (std::size_t i = 0; i < once.size(); ++i) {
        EXPECT_EQ(SmallBodyPosition::updateMinorPlanet(once[i], orbits[i], frame).has_value(),
                  SmallBodyPosition::updateMinorPlanet(afresh[i], frame).has_value());
        ASSERT_EQ(std::memcmp(&once[i], &afresh[i], sizeof(minorPlanet)), 0) << i;
    }
}
