#include "mount/PolarAlignment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDeg = 0.0174532925199433;

}  // namespace

TEST(PolarAlignment, StarsAtOneHourAngleAndDeclinationCannotBeSolved)
{
    PolarAlignment alignment;
    double det = 1.0;
    EXPECT_FALSE(alignment.calcData(40 * kDeg, 1.0, {{{1.5, 0.3}, {1.5, 0.3}}}, {0.01, 0.01}, &det));
    EXPECT_EQ(det, 0.0);
}

TEST(PolarAlignment, ErrorsMadeWithTheModelSolveBack)
{
    struct Case {
        double lat, pm, dAz, dAlt;
        PolarAlignment::Star s0, s1;
    };
    const Case cases[] = {
        {40 * kDeg, 2.0, 0.3 * kDeg, -0.2 * kDeg, {1.0, 10 * kDeg}, {3.5, -20 * kDeg}},
        {-33 * kDeg, 5.0, -0.5 * kDeg, 0.7 * kDeg, {4.0, -60 * kDeg}, {6.0, 5 * kDeg}},
    };
    for (const Case& c : cases) {
        // The measured error at star 1 is what the model makes of the errors.
        auto coeff = [&](PolarAlignment::Star s) {
            const double h = s.ra - c.pm;
            return std::array{std::sin(c.lat) - std::tan(s.dec) * std::cos(h) * std::cos(c.lat),
                              -std::tan(s.dec) * std::sin(h), -std::sin(h) * std::cos(c.lat), std::cos(h)};
        };
        const auto k0 = coeff(c.s0);
        const auto k1 = coeff(c.s1);
        const PolarAlignment::Offset measured{(k1[0] - k0[0]) * c.dAz + (k1[1] - k0[1]) * c.dAlt,
                                              (k1[2] - k0[2]) * c.dAz + (k1[3] - k0[3]) * c.dAlt};
        // A mount reading across 0 h from the star gives the same small error.
        for (const double turn : {0.0, 2.0 * std::numbers::pi, -2.0 * std::numbers::pi}) {
            PolarAlignment alignment;
            ASSERT_TRUE(alignment.calcData(c.lat, c.pm, {c.s0, c.s1}, {measured.dRA + turn, measured.dDec}));
            EXPECT_NEAR(alignment.dAz(), c.dAz, 1e-9);
            EXPECT_NEAR(alignment.dAlt(), c.dAlt, 1e-9);
            const auto offset = alignment.calcDelta();
            ASSERT_TRUE(offset);
            EXPECT_NEAR(offset->dRA, measured.dRA, 1e-12);
        }
    }
}

// The offset check once compared radians with degrees and let anything by.
TEST(PolarAlignment, AnOffsetBeyondFiveDegreesIsRefused)
{
    PolarAlignment alignment;
    const double lat = 40 * kDeg;
    ASSERT_TRUE(alignment.calcData(lat, 2.0, {{{1.0, 10 * kDeg}, {3.5, -20 * kDeg}}}, {6 * kDeg, 0.0}));
    EXPECT_GT(std::abs(alignment.delta().dRA), 5 * kDeg);
    EXPECT_FALSE(alignment.calcDelta());
}

TEST(PolarAlignment, Texts)
{
    EXPECT_EQ(PolarAlignment::errorText("Az Error", -0.5 * kDeg), "Az Error: 0° 30' 00\"");
    EXPECT_EQ(PolarAlignment::errorText("Alt Error", -1.25 * kDeg), "Alt Error: -1° 15' 00\"");
    EXPECT_EQ(PolarAlignment::raText(15 * kDeg * (23 + 59 / 60.0 + 59.97 / 3600)), "0h 0m 0.0s");
    EXPECT_EQ(PolarAlignment::decText(-0.5 * kDeg), "-0° 30' 0.0\"");
    EXPECT_EQ(PolarAlignment::decText(-12.5 * kDeg), "-12° 30' 0.0\"");
    EXPECT_EQ(PolarAlignment::decText(10.25 * kDeg), "10° 15' 0.0\"");
}
