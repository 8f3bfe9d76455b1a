#include "model/ObjectIndex.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Case {
    int index;
    ObjectBand band;
    int number;
};

TEST(ObjectIndex, EveryBandIsBoundedOnBothSides)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    const Case cases[] = {
        {-4, ObjectBand::Invalid, 0}, {-3, ObjectBand::SimStar, 0}, {-2, ObjectBand::TypedPosition, 0},
        {-1, ObjectBand::Nothing, 0}, {0, ObjectBand::Star, 0}, {99999, ObjectBand::Star, 99999},
        {100000, ObjectBand::Planet, 0},    // the Sun
        {100010, ObjectBand::Planet, 10},   // Earth's shadow point
        {100011, ObjectBand::Invalid, 0},   // past the last planet record
        {199999, ObjectBand::Invalid, 0}, {200000, ObjectBand::DeepSky, 0}, {299999, ObjectBand::DeepSky, 99999},
        {300000, ObjectBand::Comet, 0}, {399999, ObjectBand::Comet, 99999},
        {400000, ObjectBand::Invalid, 0},   // the unused band
        {499999, ObjectBand::Invalid, 0},
        {500000, ObjectBand::JupiterMoon, 0},  // Io
        {500003, ObjectBand::JupiterMoon, 3},  // Callisto
        {500004, ObjectBand::Invalid, 0}, {500009, ObjectBand::Invalid, 0},
        {500010, ObjectBand::SaturnMoon, 0},   // Saturn's first, not Jupiter's tenth
        {500017, ObjectBand::SaturnMoon, 7}, {500018, ObjectBand::Invalid, 0}, {599999, ObjectBand::Invalid, 0},
        {600000, ObjectBand::HT2Star, 0}, {699999, ObjectBand::HT2Star, 99999}, {700000, ObjectBand::NomadStar, 0},
        {799999, ObjectBand::NomadStar, 99999}, {800000, ObjectBand::MinorPlanet, 0},
        {899999, ObjectBand::MinorPlanet, 99999}, {900000, ObjectBand::MinorPlanet, 100000},
        {kMax, ObjectBand::MinorPlanet, kMax - 800000}, {std::numeric_limits<int>::min(), ObjectBand::Invalid, 0},
    };
    for (const Case& c : cases) {
        const ObjectIndexParts parts = splitObjectIndex(c.index);
        EXPECT_EQ(parts.band, c.band) << c.index;
        if (c.band != ObjectBand::Invalid) {
            EXPECT_EQ(parts.number, c.number) << c.index;
        }
    }
}

}  // namespace
