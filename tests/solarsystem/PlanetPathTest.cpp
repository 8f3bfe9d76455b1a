#include "solarsystem/PlanetPath.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

struct PathCall {
    int kind;  // -1 planet, 0 comet, 1 minor planet
    double dayOffset;
    long body;  // planet number or record index
    int slot;
};

class RecordingPasses : public PlanetPathPasses {
public:
    void planetPathPoint(double dayOffset, std::int16_t body, std::int16_t slot) override
    {
        calls.push_back({-1, dayOffset, body, slot});
    }
    void cometPathPoint(int kind, double dayOffset, long index, std::int16_t slot) override
    {
        calls.push_back({kind, dayOffset, index, slot});
    }
    long numComets() const override { return 10; }
    long numMinorPlanets() const override { return 5; }
    void setHasPlanetPath(bool hasPath) override { hasPlanetPath = hasPath; }
    void reproject() override { ++reprojections; }

    std::vector<PathCall> calls;
    int reprojections = 0;
    bool hasPlanetPath = false;
};

PlanetPathSettings settings(std::int32_t findIndex, float days = 200.0f, float percent = 75.0f)
{
    return {true, days, percent, findIndex};
}

// (1 - percent / 100) x 39, truncated toward zero and clamped, NaN included.
TEST(PlanetPath, AnchorIndexAndStep)
{
    const std::pair<float, int> cases[] = {{75.0f, 9},   {100.0f, 0},  {0.0f, 39},   {50.0f, 19},
                                           {99.0f, 0},   {150.0f, 0},  {-20.0f, 39}, {1e30f, 0},
                                           {-1e30f, 39}, {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& [percent, index] : cases)
        EXPECT_EQ(PlanetPath::anchorIndex(percent), index) << percent;
    EXPECT_EQ(PlanetPath::stepDays(200.0f), 5.0f);
}

TEST(PlanetPath, PlanetPointsSpanFortyFiveDaysBeforeToOneHundredFiftyAfter)
{
    RecordingPasses passes;
    PlanetPath::calculatePlanetPath(settings(100004), passes);  // Jupiter
    ASSERT_EQ(passes.calls.size(), 40u);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(passes.calls[i].kind, -1);
        EXPECT_EQ(passes.calls[i].body, 4);
        EXPECT_EQ(passes.calls[i].slot, i);
        EXPECT_EQ(passes.calls[i].dayOffset, (i - 9) * 5.0);
    }
    EXPECT_TRUE(passes.hasPlanetPath);
    EXPECT_EQ(passes.reprojections, 1);

    // Offsets are single-precision products.
    PlanetPath::calculatePlanetPath(settings(100001, 100.0f / 3.0f, 100.0f), passes);
    EXPECT_EQ(passes.calls[47].dayOffset, double(7.0f * (100.0f / 3.0f / 40.0f)));
    EXPECT_NE(passes.calls[47].dayOffset, 7.0 * (100.0 / 3.0 / 40.0));
}

TEST(PlanetPath, CometsAndMinorPlanetsUseTheirOwnPass)
{
    RecordingPasses passes;
    PlanetPath::calculatePlanetPath(settings(300007, 200.0f, 100.0f), passes);
    PlanetPath::calculatePlanetPath(settings(800003, 200.0f, 0.0f), passes);
    ASSERT_EQ(passes.calls.size(), 80u);
    const PathCall& first = passes.calls[0];
    EXPECT_EQ((std::tuple{first.kind, first.body, first.dayOffset}), (std::tuple{0, 7L, 0.0}));
    EXPECT_EQ(passes.calls[39].dayOffset, 195.0);
    const PathCall& minor = passes.calls[40];
    EXPECT_EQ((std::tuple{minor.kind, minor.body, minor.dayOffset}), (std::tuple{1, 3L, -195.0}));
    EXPECT_EQ((std::tuple{passes.calls[79].dayOffset, passes.calls[79].slot}), (std::tuple{0.0, 39}));
    EXPECT_TRUE(passes.hasPlanetPath);
    EXPECT_EQ(passes.reprojections, 2);
}

// The Sun, the Moon and the shadow point keep the previous path; other objects,
// a stale comet or minor-planet index (the table shrank) among them, clear the
// flag without a pass or a re-projection; with the layer off nothing happens.
TEST(PlanetPath, SelectionsWithoutAPath)
{
    RecordingPasses passes;
    PlanetPath::calculatePlanetPath(settings(100003), passes);  // Mars
    for (const std::int32_t index : {100000, 100009, 100010, 199999}) {
        PlanetPath::calculatePlanetPath(settings(index), passes);
        EXPECT_TRUE(passes.hasPlanetPath) << index;
    }
    for (const std::int32_t index : {-1, -2, -3, 0, 1234, 200000, 300010, 400000, 500000, 600000, 799999, 800005}) {
        passes.hasPlanetPath = true;
        PlanetPath::calculatePlanetPath(settings(index), passes);
        EXPECT_FALSE(passes.hasPlanetPath) << index;
    }
    PlanetPathSettings off = settings(1234);
    off.isPath = false;
    passes.hasPlanetPath = true;
    PlanetPath::calculatePlanetPath(off, passes);
    EXPECT_TRUE(passes.hasPlanetPath);
    EXPECT_EQ(passes.calls.size(), 40u);
    EXPECT_EQ(passes.reprojections, 1);

    PlanetPath::calculatePlanetPath(settings(300009), passes);  // the last of each table
    PlanetPath::calculatePlanetPath(settings(800004), passes);
    EXPECT_EQ(passes.calls.size(), 120u);
}

}  // namespace
