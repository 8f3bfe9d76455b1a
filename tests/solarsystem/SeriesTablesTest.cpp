#include "solarsystem/planets/Pluto.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using Counts = std::array<int, 6>;

struct BodyCounts {
    VSOP87Planet planet;
    const char* name;
    Counts L, B, R;
    Counts leading;  // shortened pass: L0..L3 (then 0)
};

// Published length of every series of the abridged VSOP87D (0 = absent), and
// the leading longitude terms the shortened pass keeps.
const BodyCounts kBodies[] = {
    {VSOP87Planet::Earth, "Earth", {64, 34, 20, 7, 3, 1}, {5, 2, 0, 0, 0, 0}, {40, 10, 6, 2, 1, 0}, {11, 3, 2, 0, 0, 0}},
    {VSOP87Planet::Mercury, "Mercury", {38, 16, 10, 8, 6, 1}, {14, 11, 9, 7, 2, 0}, {13, 8, 7, 5, 0, 0}, {8, 5, 3, 0, 0, 0}},
    {VSOP87Planet::Venus, "Venus", {24, 12, 8, 3, 3, 1}, {9, 4, 4, 4, 1, 0}, {12, 3, 3, 1, 1, 0}, {7, 2, 2, 0, 0, 0}},
    {VSOP87Planet::Mars, "Mars", {69, 46, 33, 12, 8, 2}, {16, 9, 7, 4, 3, 0}, {45, 27, 11, 6, 4, 0}, {21, 6, 4, 0, 0, 0}},
    {VSOP87Planet::Jupiter, "Jupiter", {64, 61, 57, 39, 19, 5}, {26, 22, 14, 9, 6, 1}, {46, 43, 36, 28, 15, 7}, {11, 6, 3, 0, 0, 0}},
    {VSOP87Planet::Saturn, "Saturn", {90, 79, 63, 48, 27, 12}, {34, 32, 29, 21, 12, 2}, {44, 38, 32, 28, 23, 18}, {16, 9, 6, 2, 0, 0}},
    {VSOP87Planet::Uranus, "Uranus", {91, 57, 35, 18, 4, 0}, {28, 20, 11, 4, 1, 0}, {59, 35, 18, 10, 2, 0}, {18, 10, 2, 0, 0, 0}},
    {VSOP87Planet::Neptune, "Neptune", {38, 18, 7, 4, 1, 0}, {17, 13, 6, 4, 1, 0}, {32, 15, 5, 1, 0, 0}, {10, 5, 1, 0, 0, 0}},
};

int leadingCount(const PeriodicSeries& s)
{
    return s.leadingTerms + (s.leadingConstant != 0.0 ? 1 : 0);
}

TEST(VSOP87Tables, EverySeriesHasItsPublishedLength)
{
    for (const BodyCounts& b : kBodies) {
        const VSOP87Body& body = VSOP87Tables::planet(b.planet);
        for (int p = 0; p < 6; ++p) {
            EXPECT_EQ(body.L[p].publishedTerms(), b.L[p]) << b.name << " L" << p;
            EXPECT_EQ(body.B[p].publishedTerms(), b.B[p]) << b.name << " B" << p;
            EXPECT_EQ(body.R[p].publishedTerms(), b.R[p]) << b.name << " R" << p;
            EXPECT_EQ(leadingCount(body.L[p]), b.leading[p]) << b.name << " leading L" << p;
        }
    }
}

TEST(VSOP87Tables, TotalsAndFoldedConstants)
{
    int total = 0;
    int folded = 0;
    for (const VSOP87Body& body : VSOP87Tables::ofDate) {
        for (const auto* series : {&body.L, &body.B, &body.R}) {
            for (const PeriodicSeries& s : *series) {
                total += s.publishedTerms();
                folded += s.foldedTerms;
                EXPECT_LE(s.foldedTerms, 1);
            }
        }
    }
    EXPECT_EQ(total, 2430);
    // 105 zero-frequency terms in the abridged tables, one per series at most.
    EXPECT_EQ(folded, 105);
}

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

TEST(VSOP87Tables, EarthOfJ2000KeepsTheLargestTermsPerPower)
{
    const VSOP87Body& earth = VSOP87Tables::earthJ2000;
    const Counts L = {64, 34, 20, 7, 2, 0}, B = {5, 7, 4, 3, 2, 0}, R = {40, 10, 6, 2, 1, 0};
    for (int p = 0; p < 6; ++p) {
        EXPECT_EQ(earth.L[p].publishedTerms(), L[p]) << "L" << p;
        EXPECT_EQ(earth.B[p].publishedTerms(), B[p]) << "B" << p;
        EXPECT_EQ(earth.R[p].publishedTerms(), R[p]) << "R" << p;
    }
    EXPECT_EQ(earth.L[1].constant, 628307584999.0);  // the J2000 frame: general precession removed
}

TEST(PlutoTable, NonZeroCoefficientsAndTheLargestTerms)
{
    Counts nonZero{};
    for (const Pluto::Term& t : Pluto::table) {
        const long coefficients[] = {t.lonA, t.lonB, t.latA, t.latB, t.radA, t.radB};
        for (std::size_t c = 0; c < 6; ++c)
            nonZero[c] += coefficients[c] != 0;
    }
    EXPECT_EQ(nonZero, (Counts{42, 40, 36, 36, 43, 43}));
    const Pluto::Term& first = Pluto::table[0];
    EXPECT_EQ((std::array<int, 3>{first.i, first.j, first.k}), (std::array<int, 3>{0, 0, 1}));
    EXPECT_EQ((std::array<long, 6>{first.lonA, first.lonB, first.latA, first.latB, first.radA, first.radB}),
              (std::array<long, 6>{-19799805, 19850055, -5452852, -14974862, 66865439, 68951812}));
}

}  // namespace
