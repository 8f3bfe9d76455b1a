#include "solarsystem/smallbodies/CometImport.h"
#include "solarsystem/MpcLines.h"
#include "solarsystem/smallbodies/OrbitLine.h"
#include "solarsystem/smallbodies/ParallelMinorPlanets.h"
#include "solarsystem/smallbodies/SmallBodyPass.h"

#include <gtest/gtest.h>

#include <QThread>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace {

// Real orbits with the mean anomaly turned by i * 7.3 degrees to spread them
// over the sky; every third one from the near-Earth list.
std::vector<minorPlanet> minorPlanetTable(std::size_t count)
{
    const std::string_view lines[] = {MpcLines::kCeres, MpcLines::kEros, MpcLines::kVesta,
                                      MpcLines::k2019KO2, MpcLines::k617103};
    std::vector<minorPlanet> table(count);
    for (std::size_t i = 0; i < count; ++i) {
        minorPlanet& m = table[i];
        EXPECT_TRUE(OrbitLine::parse(lines[i % 5], m));
        m.meanAnomaly = float(std::fmod(double(m.meanAnomaly) + 7.3 * double(i), 360.0));
        m.index = std::uint32_t(i);
        m.source = i % 3 == 1 ? kMPSourceUnusual : kMPSourceNumbered;
    }
    return table;
}

std::vector<comet> cometTable()
{
    std::string text;
    for (const std::string_view line :
         {MpcLines::kEncke, MpcLines::kHaleBopp, MpcLines::kSchwassmannWachmannT, MpcLines::kAtlas2019E3})
        (text += line) += '\n';
    return CometImport::parse(text).comets;
}

SmallBodyInputs inputs()
{
    SmallBodyInputs in;
    in.julianDay = 2461055.5;
    in.sunJ2000 = {0.407492907, -0.821444726, -0.356086911};
    const double a = 0.3 * std::numbers::pi / 180.0;  // a small rotation stands in for the precession
    in.precession = {std::cos(a), -std::sin(a), 0.0, std::sin(a), std::cos(a), 0.0, 0.0, 0.0, 1.0};
    in.latitude = 47.5;
    in.primeMeridian = 123.4;
    in.numCores = 8;
    return in;
}

template <class Record>
bool sameBytes(const std::vector<Record>& a, const std::vector<Record>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(Record)) == 0;
}

constexpr double kMillionKmPerAU = 149.59787069;

class SmallBodyPassTest : public ::testing::Test {
protected:
    SmallBodyPassResult pass(int kind, double days = 0.0, int index = -1, int pathSlot = -1)
    {
        return SmallBodyPass::calculateCometPositions(kind, days, index, pathSlot, in, {comets, minorPlanets, neo});
    }
    // Every record as it stands, to see that a call changed none.
    bool unchangedSince(const std::vector<comet>& c, const std::vector<minorPlanet>& m) const
    {
        return sameBytes(comets, c) && sameBytes(minorPlanets, m);
    }

    SmallBodyInputs in = inputs();
    std::vector<comet> comets = cometTable();
    std::vector<minorPlanet> minorPlanets = minorPlanetTable(40);
    NearEarthObject neo;
};

TEST_F(SmallBodyPassTest, AllBodiesGetPlacesDistancesAndMagnitudesInKmOrMiles)
{
    pass(kSmallBodyBoth);
    for (const comet& c : comets) {
        const double ra = c.ra, dec = c.dec;
        EXPECT_NEAR(double(c.vecX), std::cos(dec) * std::cos(ra), 1e-6) << c.name;
        EXPECT_NEAR(double(c.vecZ), std::sin(dec), 1e-6) << c.name;
        const double delta = c.geoDistance / kMillionKmPerAU, r = c.helioDistance / kMillionKmPerAU;
        EXPECT_NEAR(float(c.mag), c.absMagnitude + 5.0 * std::log10(delta) + 2.5 * c.slope * std::log10(r), 1e-4);
    }
    // Encke: 3.74806 AU from the Sun by PyEphem 4.1.4 (an EllipticalBody of the
    // same elements), which takes the comet 0.025 days earlier for light time,
    // some 8e-5 AU further out.
    EXPECT_NEAR(double(comets[0].helioDistance) / kMillionKmPerAU, 3.74806, 2e-4);
    for (const minorPlanet& m : minorPlanets) {
        EXPECT_GT(float(m.helioDistance), 0.0f);
        EXPECT_TRUE(std::isfinite(float(m.mag)));
        EXPECT_NEAR(double(m.vecX) * double(m.vecX) + double(m.vecY) * double(m.vecY) + double(m.vecZ) * double(m.vecZ),
                    1.0, 1e-12);
    }

    const std::vector<minorPlanet> kilometres = minorPlanets;
    in.isMetric = false;
    pass(kSmallBodyBoth);
    for (std::size_t i = 0; i < minorPlanets.size(); ++i) {
        EXPECT_FLOAT_EQ(float(minorPlanets[i].geoDistance), float(kilometres[i].geoDistance * 0.62137199));
        EXPECT_FLOAT_EQ(float(minorPlanets[i].helioDistance), float(kilometres[i].helioDistance * 0.62137199));
    }
}

// A small table's time steps start Kepler's equation where the last pass
// solved it, in a step or two: the records must be those of a pass from
// scratch, a minute, a day or years on.
TEST_F(SmallBodyPassTest, TimeStepsStartWhereTheLastPassSolvedAsFromScratch)
{
    std::vector<comet> noComets;
    std::vector<minorPlanet> stepped = minorPlanetTable(60);
    std::vector<SmallBodyPosition::Solved> solved(stepped.size());
    NearEarthObject steppedNeo;
    SmallBodyInputs at = in;
    for (const double days : {0.0, 1.0 / 1440.0, 2.0 / 1440.0, 1.0, 3000.0, 3000.0 + 1.0 / 1440.0}) {
        at.julianDay = in.julianDay + days;
        SmallBodyPass::calculateCometPositions(kSmallBodyMinorPlanets, 0.0, -1, -1, at,
                                               {noComets, stepped, steppedNeo, {}, nullptr, solved});
        std::vector<minorPlanet> fresh = minorPlanetTable(60);
        NearEarthObject freshNeo;
        SmallBodyPass::calculateCometPositions(kSmallBodyMinorPlanets, 0.0, -1, -1, at, {noComets, fresh, freshNeo});
        for (std::size_t i = 0; i < fresh.size(); ++i) {
            EXPECT_NEAR(stepped[i].vecX, fresh[i].vecX, 1e-12) << days << " " << i;
            EXPECT_NEAR(stepped[i].vecY, fresh[i].vecY, 1e-12) << days << " " << i;
            EXPECT_NEAR(stepped[i].vecZ, fresh[i].vecZ, 1e-12) << days << " " << i;
            EXPECT_FLOAT_EQ(stepped[i].mag, fresh[i].mag) << days << " " << i;
            EXPECT_FLOAT_EQ(stepped[i].plotLongitude, fresh[i].plotLongitude) << days << " " << i;
            ASSERT_TRUE(solved[i].isSet);
            // A minute on, the start is as good as the answer.
            if (days > 0.0 && days < 1.0) {
                EXPECT_LE(solved[i].solution.steps, 2) << i;
            }
        }
    }
}

// The path point is where the full pass at that offset puts the body, and the
// plot's longitude the one it stores (w + node + v, radians).
TEST_F(SmallBodyPassTest, OneBodyWritesNoRecord)
{
    const std::vector<comet> cometsBefore = comets;
    const std::vector<minorPlanet> minorBefore = minorPlanets;
    const SmallBodyPassResult plot = pass(kSmallBodyMinorPlanets, 3.0, 2, -1);
    ASSERT_TRUE(plot.orbitPlot);
    EXPECT_FALSE(plot.pathVector);
    const SmallBodyPassResult path = pass(kSmallBodyMinorPlanets, 3.0, 4, 17);
    EXPECT_FALSE(path.orbitPlot);
    ASSERT_TRUE(path.pathVector);
    EXPECT_TRUE(unchangedSince(cometsBefore, minorBefore));

    pass(kSmallBodyMinorPlanets, 3.0);
    EXPECT_FLOAT_EQ(plot.orbitPlot->longitude, float(minorPlanets[2].plotLongitude));
    EXPECT_FLOAT_EQ(plot.orbitPlot->perihelionDistance,
                    float(minorPlanets[2].semiMajorAxis * (1.0 - minorPlanets[2].eccentricity)));
    EXPECT_EQ(*path.pathVector, (std::array{double(minorPlanets[4].vecX), double(minorPlanets[4].vecY),
                                            double(minorPlanets[4].vecZ)}));
}

// An index beyond the table, another kind, or no change of the sky does nothing;
// a minor planet without a semi-major axis keeps its fields and gives no path.
TEST_F(SmallBodyPassTest, NothingToComputeChangesNothing)
{
    EXPECT_FALSE(pass(kSmallBodyComets, 0.0, 4, 3).pathVector);
    EXPECT_FALSE(pass(kSmallBodyMinorPlanets, 0.0, 40, -1).orbitPlot);
    std::vector<comet> cometsBefore = comets;
    std::vector<minorPlanet> minorBefore = minorPlanets;
    for (const int kind : {-1, 2, 4})
        pass(kind);
    EXPECT_TRUE(unchangedSince(cometsBefore, minorBefore));

    pass(kSmallBodyBoth);
    cometsBefore = comets;
    minorBefore = minorPlanets;
    in.julianDay += 10.0;
    in.isTimeChange = false;
    pass(kSmallBodyBoth);
    EXPECT_TRUE(unchangedSince(cometsBefore, minorBefore));

    in.isTimeChange = true;
    minorPlanets[5].semiMajorAxis = 0.0f;
    minorPlanets[5].ra = 1.25f;
    minorPlanets[5].mag = 99.0f;
    pass(kSmallBodyMinorPlanets);
    EXPECT_EQ(float(minorPlanets[5].ra), 1.25f);
    EXPECT_EQ(float(minorPlanets[5].mag), 99.0f);
    EXPECT_FALSE(pass(kSmallBodyMinorPlanets, 0.0, 5, 0).pathVector);
}

TEST_F(SmallBodyPassTest, TrackedObjectMovesOnlyWithoutAMount)
{
    in.trackIndex = kCometIndexBase + 2;
    const SmallBodyPassResult comet = pass(kSmallBodyComets);
    ASSERT_TRUE(comet.trackedPlace);
    EXPECT_FLOAT_EQ(float(comet.trackedPlace->rightAscension), float(comets[2].ra));
    EXPECT_FLOAT_EQ(float(comet.trackedPlace->declination), float(comets[2].dec));
    in.trackIndex = kMinorPlanetIndexBase + 7;
    EXPECT_FALSE(pass(kSmallBodyComets).trackedPlace);
    const SmallBodyPassResult minor = pass(kSmallBodyMinorPlanets);
    ASSERT_TRUE(minor.trackedPlace);
    EXPECT_FLOAT_EQ(float(minor.trackedPlace->rightAscension), float(minorPlanets[7].ra));
    in.isConnected = true;
    EXPECT_FALSE(pass(kSmallBodyMinorPlanets).trackedPlace);
}

// Only a pass at the sky date searches; a later one keeps what it found.
// Index 0 once meant "none", so minor planet 0 escaped the magnitude limit
// and the name of a vanished object stayed.
TEST_F(SmallBodyPassTest, NearestNearEarthObjectOrNone)
{
    pass(kSmallBodyMinorPlanets);
    ASSERT_TRUE(neo.hasNeo);
    double nearest = 1e9;
    std::size_t expected = 0;
    for (std::size_t i = 0; i < minorPlanets.size(); ++i) {
        const double d = minorPlanets[i].geoDistance;
        if (minorPlanets[i].source == kMPSourceUnusual && d < nearest) {
            nearest = d;
            expected = i;
        }
    }
    EXPECT_EQ(neo.index, expected);
    EXPECT_STREQ(neo.name.data(), minorPlanets[expected].name);
    EXPECT_NEAR(neo.distance * kMillionKmPerAU, nearest, 1e-3 * nearest);
    EXPECT_TRUE(neo.isNeo(std::uint32_t(expected)));
    const NearEarthObject found = neo;
    pass(kSmallBodyMinorPlanets, 30.0);
    EXPECT_EQ(std::pair(neo.index, neo.distance), std::pair(found.index, found.distance));

    for (minorPlanet& m : minorPlanets)
        m.source = kMPSourceBright;
    pass(kSmallBodyMinorPlanets);
    EXPECT_FALSE(neo.hasNeo);
    EXPECT_FALSE(neo.isNeo(0));
    EXPECT_EQ(neo.distance, NearEarthObject::kNoDistance);
    EXPECT_STREQ(neo.name.data(), "");
}

// The parallel pass against the single-threaded loop on the same table, whose
// only near-Earth objects are two at the same distance in different slices:
// the lower index wins.
TEST_F(SmallBodyPassTest, EveryOperationCountGivesTheSingleThreadedResult)
{
    const auto table = [] {
        std::vector<minorPlanet> t = minorPlanetTable(997);
        for (minorPlanet& m : t)
            m.source = kMPSourceBright;
        t[700] = t[10];
        t[700].index = 700;
        t[10].source = t[700].source = kMPSourceUnusual;
        return t;
    };
    std::vector<comet> noComets;
    std::vector<minorPlanet> serial = table();
    NearEarthObject serialNeo;
    in.trackIndex = kMinorPlanetIndexBase + 611;
    const SmallBodyPassResult serialResult = SmallBodyPass::calculateCometPositions(
        kSmallBodyMinorPlanets, 0.0, -1, -1, in, {noComets, serial, serialNeo});
    ASSERT_TRUE(serialResult.trackedPlace);
    EXPECT_EQ(serialNeo.index, 10u);

    for (int k = 1; k <= 8; ++k) {
        std::vector<minorPlanet> parallel = table();
        NearEarthObject parallelNeo;
        const std::optional<TrackedPlace> tracked =
            ParallelMinorPlanets::run({parallel, in, 0.0, k, parallelNeo, MinorPlanetProjection(), {}});
        EXPECT_TRUE(sameBytes(parallel, serial)) << k << " operations";
        EXPECT_EQ(std::tuple(parallelNeo.index, parallelNeo.distance, parallelNeo.name),
                  std::tuple(serialNeo.index, serialNeo.distance, serialNeo.name));
        ASSERT_TRUE(tracked);
        EXPECT_EQ(std::pair(tracked->rightAscension, tracked->declination),
                  std::pair(serialResult.trackedPlace->rightAscension, serialResult.trackedPlace->declination));
    }
}

// From the threshold on the pass runs in parallel and projects every body once,
// after the nearest object is known; progress reaches the calling thread in order.
TEST_F(SmallBodyPassTest, LargeTablesAreComputedAndProjectedInParallel)
{
    std::vector<comet> noComets;
    std::vector<minorPlanet> serial = minorPlanetTable(SmallBodyPositions::kParallelThreshold - 1);
    NearEarthObject serialNeo;
    SmallBodyPass::calculateCometPositions(kSmallBodyMinorPlanets, 0.0, -1, -1, in, {noComets, serial, serialNeo});

    std::vector<minorPlanet> table = minorPlanetTable(SmallBodyPositions::kParallelThreshold);
    std::vector<std::atomic<int>> projected(table.size());
    std::atomic<bool> neoKnownFirst{true};
    NearEarthObject parallelNeo;
    const MinorPlanetProjection projection = [&](std::size_t i) {
        projected[i].fetch_add(1);
        if (!parallelNeo.hasNeo)
            neoKnownFirst = false;
        table[i].state = 1;
        return i % 10 == 0;
    };
    std::vector<double> progress;
    bool offThread = false;
    const auto report = [&, caller = QThread::currentThread()](double p) {
        offThread = offThread || QThread::currentThread() != caller;
        progress.push_back(p);
    };
    SmallBodyPass::calculateCometPositions(kSmallBodyMinorPlanets, 0.0, -1, -1, in, {noComets, table, parallelNeo},
                                           projection, report);
    for (std::size_t i = 0; i < table.size(); ++i)
        ASSERT_EQ(projected[i].load(), 1) << i;
    EXPECT_TRUE(neoKnownFirst);
    for (std::size_t i = 0; i < serial.size(); ++i) {
        table[i].state = serial[i].state;
        ASSERT_EQ(std::memcmp(&table[i], &serial[i], sizeof(minorPlanet)), 0) << i;
    }
    EXPECT_EQ(parallelNeo.index, serialNeo.index);
    EXPECT_FALSE(offThread);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(std::ranges::adjacent_find(progress, std::greater_equal<>()), progress.end());
    EXPECT_TRUE(progress.back() > 50.0 && progress.back() < 100.0) << progress.back();

    // Without a change of the sky they are only projected again.
    const std::vector<minorPlanet> before = table;
    in.isTimeChange = false;
    std::atomic<std::size_t> calls{0};
    SmallBodyPass::calculateCometPositions(kSmallBodyMinorPlanets, 0.0, -1, -1, in, {noComets, table, parallelNeo},
                                           [&](std::size_t) { calls.fetch_add(1); return false; });
    EXPECT_EQ(calls.load(), table.size());
    EXPECT_TRUE(sameBytes(table, before));
}

}  // namespace
