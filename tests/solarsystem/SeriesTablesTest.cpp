#include "solarsystem/planets/Pluto.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Each body's L0, and the Earth's R0, open with a constant and the largest periodic term.
TEST(VSOP87Tables, OpeningTermsFixTheEdition)
{
    const auto L0 = [](VSOP87Planet planet) -> const PeriodicSeries& { return VSOP87Tables::planet(planet).L[0]; };
    const struct {
        const PeriodicSeries& series;
        double constant, amplitude, phase, frequency;
    } openings[] = {
        {L0(VSOP87Planet::Earth), 175347046, 3341656, 4.6692568, 6283.07585},
        {L0(VSOP87Planet::Mercury), 440250710, 40989415, 1.48302034, 26087.90314157},
        {L0(VSOP87Planet::Venus), 317614667, 1353968, 5.5931332, 10213.2855462},
        {L0(VSOP87Planet::Mars), 620347712, 18656368, 5.050371, 3340.6124267},
        {L0(VSOP87Planet::Jupiter), 59954691, 9695899, 5.0619179, 529.6909651},
        {L0(VSOP87Planet::Saturn), 87401354, 11107660, 3.9620509, 213.29909544},
        {L0(VSOP87Planet::Uranus), 548129294, 9260408, 0.8910642, 74.7815986},
        {L0(VSOP87Planet::Neptune), 531188633, 1798476, 2.9010127, 38.1330356},
        {VSOP87Tables::planet(VSOP87Planet::Earth).R[0], 100013989, 1670700, 3.0984635, 6283.07585},
    };
    for (const auto& o : openings) {
        EXPECT_EQ(o.series.constant, o.constant);
        ASSERT_FALSE(o.series.terms.empty());
        EXPECT_EQ(o.series.terms[0].amplitude, o.amplitude);
        EXPECT_NEAR(o.series.terms[0].phase, o.phase, 1e-12);
        EXPECT_NEAR(o.series.terms[0].frequency, o.frequency, 1e-9);
    }
}

// A zero-frequency term with phase pi contributes minus its amplitude.
TEST(VSOP87Tables, ConstantsKeepTheirSign)
{
    const VSOP87Body& earth = VSOP87Tables::planet(VSOP87Planet::Earth);
    EXPECT_TRUE(earth.L[5].terms.empty());
    EXPECT_NEAR(earth.L[5].sum(0.3), -1.0, 1e-5);
    EXPECT_NEAR(earth.L[4].constant, -114.0, 1e-3);
}

TEST(VSOP87Tables, EarthOfJ2000IsInTheFrameOfJ2000)
{
    EXPECT_EQ(VSOP87Tables::earthJ2000.L[1].constant, 628307584999.0);  // general precession removed
}

TEST(PlutoTable, TheLargestTerms)
{
    const Pluto::Term& first = Pluto::table[0];
    EXPECT_EQ((std::array<int, 3>{first.i, first.j, first.k}), (std::array<int, 3>{0, 0, 1}));
    EXPECT_EQ((std::array<long, 6>{first.lonA, first.lonB, first.latA, first.latB, first.radA, first.radB}),
              (std::array<long, 6>{-19799805, 19850055, -5452852, -14974862, 66865439, 68951812}));
}

}  // namespace
