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
    long numComets() const override { return comets; }
    long numMinorPlanets() const override { return minorPlanets; }
    void setHasPlanetPath(bool hasPath) override { hasPlanetPath = hasPath; }
    void reproject() override { ++reprojections; }

    std::vector<PathCall> calls;
    long comets = 10;
    long minorPlanets = 5;
    int reprojections = 0;
    bool hasPlanetPath = false;
};

PlanetPathSettings settings(std::int32_t findIndex, float days = 200.0f, float percent = 75.0f)
{
    return {true, days, percent, findIndex};
}

TEST(PlanetPathAnchor, DefaultsPutTheSkyDateAtPointNine)
{
    EXPECT_EQ(PlanetPath::anchorIndex(75.0f), 9);
    EXPECT_EQ(PlanetPath::stepDays(200.0f), 5.0f);
}

TEST(PlanetPathAnchor, AllFutureOrAllPast)
{
    EXPECT_EQ(PlanetPath::anchorIndex(100.0f), 0);
    EXPECT_EQ(PlanetPath::anchorIndex(0.0f), 39);
}

TEST(PlanetPathAnchor, OutOfRangePercentagesAreClamped)
{
    EXPECT_EQ(PlanetPath::anchorIndex(150.0f), 0);
    EXPECT_EQ(PlanetPath::anchorIndex(-20.0f), 39);
    EXPECT_EQ(PlanetPath::anchorIndex(1e30f), 0);
    EXPECT_EQ(PlanetPath::anchorIndex(-1e30f), 39);
    EXPECT_EQ(PlanetPath::anchorIndex(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(PlanetPathAnchor, TruncatesTowardZero)
{
    EXPECT_EQ(PlanetPath::anchorIndex(50.0f), 19);  // 19.5
    EXPECT_EQ(PlanetPath::anchorIndex(99.0f), 0);   // 0.39
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
    EXPECT_EQ(passes.calls.front().dayOffset, -45.0);
    EXPECT_EQ(passes.calls.back().dayOffset, 150.0);
    EXPECT_TRUE(passes.hasPlanetPath);
    EXPECT_EQ(passes.reprojections, 1);
}

TEST(PlanetPath, OffsetsAreSinglePrecisionProducts)
{
    RecordingPasses passes;
    PlanetPath::calculatePlanetPath(settings(100001, 100.0f / 3.0f, 100.0f), passes);
    const float step = 100.0f / 3.0f / 40.0f;
    EXPECT_EQ(passes.calls[7].dayOffset, double(7.0f * step));
    EXPECT_NE(passes.calls[7].dayOffset, 7.0 * (100.0 / 3.0 / 40.0));
}

TEST(PlanetPath, CometsAndMinorPlanetsUseTheirOwnPass)
{
    RecordingPasses passes;
    PlanetPath::calculatePlanetPath(settings(300007, 200.0f, 100.0f), passes);
    PlanetPath::calculatePlanetPath(settings(800003, 200.0f, 0.0f), passes);
    ASSERT_EQ(passes.calls.size(), 80u);
    EXPECT_EQ(passes.calls[0].kind, 0);
    EXPECT_EQ(passes.calls[0].body, 7);
    EXPECT_EQ(passes.calls[0].dayOffset, 0.0);
    EXPECT_EQ(passes.calls[39].dayOffset, 195.0);
    EXPECT_EQ(passes.calls[40].kind, 1);
    EXPECT_EQ(passes.calls[40].body, 3);
    EXPECT_EQ(passes.calls[40].dayOffset, -195.0);
    EXPECT_EQ(passes.calls[79].dayOffset, 0.0);
    EXPECT_EQ(passes.calls[79].slot, 39);
    EXPECT_TRUE(passes.hasPlanetPath);
    EXPECT_EQ(passes.reprojections, 2);
}

TEST(PlanetPath, SunMoonAndShadowPointKeepThePreviousPath)
{
    RecordingPasses passes;
    PlanetPath::calculatePlanetPath(settings(100003), passes);  // Mars
    for (const std::int32_t index : {100000, 100009, 100010, 199999}) {
        PlanetPath::calculatePlanetPath(settings(index), passes);
        EXPECT_TRUE(passes.hasPlanetPath) << index;
    }
    EXPECT_EQ(passes.calls.size(), 40u);
    EXPECT_EQ(passes.reprojections, 1);
}

TEST(PlanetPath, ObjectsWithoutAPathClearTheFlagWithoutReprojecting)
{
    for (const std::int32_t index : {-1, -2, -3, 0, 1234, 200000, 400000, 500000, 600000, 799999}) {
        RecordingPasses passes;
            passes.hasPlanetPath = true;
        PlanetPath::calculatePlanetPath(settings(index), passes);
        EXPECT_FALSE(passes.hasPlanetPath) << index;
        EXPECT_TRUE(passes.calls.empty()) << index;
        EXPECT_EQ(passes.reprojections, 0) << index;
    }
}

TEST(PlanetPath, StaleCometOrMinorPlanetIndexIsNoPath)
{
    RecordingPasses passes;
    passes.comets = 10;
    passes.minorPlanets = 5;
    passes.hasPlanetPath = true;
    PlanetPath::calculatePlanetPath(settings(300010), passes);
    EXPECT_FALSE(passes.hasPlanetPath);
    passes.hasPlanetPath = true;
    PlanetPath::calculatePlanetPath(settings(800005), passes);
    EXPECT_FALSE(passes.hasPlanetPath);
    EXPECT_TRUE(passes.calls.empty());
    EXPECT_EQ(passes.reprojections, 0);
    PlanetPath::calculatePlanetPath(settings(300009), passes);
    PlanetPath::calculatePlanetPath(settings(800004), passes);
    EXPECT_EQ(passes.calls.size(), 80u);
}

TEST(PlanetPath, LayerOffDoesNothing)
{
    RecordingPasses passes;
    passes.hasPlanetPath = true;
    PlanetPathSettings off = settings(1234);
    off.isPath = false;
    PlanetPath::calculatePlanetPath(off, passes);
    EXPECT_TRUE(passes.hasPlanetPath);
    EXPECT_TRUE(passes.calls.empty());
    EXPECT_EQ(passes.reprojections, 0);
}

}  // namespace
