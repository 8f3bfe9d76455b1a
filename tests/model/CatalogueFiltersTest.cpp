#include "model/projection/CatalogueFilters.h"

#include "model/records/minorPlanet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace CatalogueFilters;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(StarFilter, LimitAndSelection)
{
    // 6.5 (the default) and above show the whole table; below, the limit holds.
    struct Case {
        double setting;
        float mag;
        std::optional<std::uint32_t> selected;
        bool passes;
    };
    const Case cases[] = {
        {6.5, 6.51f, {}, true},  {6.5, 19.9f, {}, true},  {6.5, 20.1f, {}, false},
        {9.0, 19.9f, {}, true},  {6.4, 6.3f, {}, true},   {6.4, 6.45f, {}, false},
        {6.4, 6.51f, {}, false}, {3.0, 8.0f, 7u, true},   {3.0, 8.0f, 6u, false},
        {6.5, kNaN, {}, false},  {6.5, kNaN, 7u, true},
        // Exactly at the limit passes (values exact in float and double).
        {6.0, 6.0f, {}, true},   {6.0, std::nextafter(6.0f, 7.0f), {}, false}, {6.5, 20.0f, {}, true},
    };
    for (const Case& c : cases) {
        const StarFilter filter{starLimit(c.setting), c.selected};
        EXPECT_EQ(filter.passes(c.mag, 7), c.passes) << c.setting << " " << c.mag;
    }
}

TEST(SmallBodyLimit, LargerSettingPlusMarginUnlimitedFrom24)
{
    struct Case {
        double comet, mp, limit;
    };
    const Case cases[] = {
        {16.0, 12.0, 16.4}, {12.0, 16.0, 16.4}, {23.5, 0.0, 23.9},
        {23.6, 0.0, 100.0}, {0.0, 30.0, 100.0}, {-2.0, -3.0, -1.6},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(smallBodyLimit(c.comet, c.mp), c.limit, 1e-12) << c.comet << " " << c.mp;
}

TEST(CometFilter, SwitchLimitAndSelection)
{
    // limit 16.4; comet 3 is the selected one in the rows that say so.
    struct Case {
        bool showComet;
        float mag;
        bool selected;
        bool passes;
    };
    const Case cases[] = {
        {true, 16.4f, false, true},  {true, 16.5f, false, false}, {false, 5.0f, false, false},
        {false, 25.0f, true, true},  {true, 25.0f, true, true},   {true, kNaN, false, false},
    };
    for (const Case& c : cases) {
        CometFilter filter;
        filter.limit = 16.4;
        filter.showComet = c.showComet;
        if (c.selected)
            filter.selected = 3u;
        EXPECT_EQ(filter.passes(c.mag, 3), c.passes) << c.showComet << " " << c.mag;
    }
}

TEST(MinorPlanetFilter, SourcesSwitchesLimitAndNearEarthObject)
{
    // limit 16.4; record 5; the NEO is record 5 where the row says so.
    struct Case {
        std::int32_t source;
        bool showMP, showNEO;
        float mag;
        bool isNeo, selected;
        bool passes;
    };
    const Case cases[] = {
        // showMP gates the bright list and the numbered orbits.
        {kMPSourceBright, false, true, 10.0f, false, false, false},
        {kMPSourceNumbered, false, true, 10.0f, false, false, false},
        {kMPSourceBright, true, false, 10.0f, false, false, true},
        {kMPSourceNumbered, true, false, 16.5f, false, false, false},
        // Unnumbered orbits need neither switch, only the limit.
        {kMPSourceUnnumbered, false, false, 10.0f, false, false, true},
        {kMPSourceUnnumbered, false, false, 17.0f, false, false, false},
        // The near-Earth list follows showNEO alone.
        {kMPSourceUnusual, true, false, 10.0f, false, false, false},
        {kMPSourceUnusual, false, true, 10.0f, false, false, true},
        // The nearest NEO passes any magnitude, but not its switch.
        {kMPSourceUnusual, false, true, 22.0f, true, false, true},
        {kMPSourceUnusual, true, false, 22.0f, true, false, false},
        // The selection passes everything.
        {kMPSourceUnusual, false, false, 30.0f, false, true, true},
        {kMPSourceBright, false, false, kNaN, false, true, true},
        {kMPSourceUnnumbered, false, false, kNaN, false, false, false},
    };
    for (const Case& c : cases) {
        MinorPlanetFilter filter;
        filter.limit = 16.4;
        filter.showMP = c.showMP;
        filter.showNEO = c.showNEO;
        if (c.selected)
            filter.selected = 5u;
        const std::optional<std::uint32_t> neo = c.isNeo ? std::optional(5u) : std::optional(9u);
        EXPECT_EQ(filter.passes(c.source, c.mag, 5, neo), c.passes)
            << "source " << c.source << " mag " << c.mag;
    }
}

TEST(MinorPlanetFilter, NoNearEarthObjectExemptsNothing)
{
    MinorPlanetFilter filter;
    filter.limit = 16.4;
    filter.showNEO = true;
    EXPECT_FALSE(filter.passes(kMPSourceUnusual, 22.0f, 0, std::nullopt));
}

}  // namespace
