#include "model/projection/PrecessionMatrix.h"

#include "model/UnitVector.h"

#include <erfa.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kJ2000 = 2451545.0;

TEST(PrecessionMatrix, MatchesTheIAU1976PrecessionOfERFA)
{
    // eraPmat76 is the same precession with the angles' full coefficients;
    // the rounded degrees of the chart stay within 1e-8 for two centuries
    // either side of J2000.0.
    for (double centuries = -2.0; centuries <= 2.0; centuries += 0.125) {
        const double jd = kJ2000 + centuries * 36525.0;
        double reference[3][3];
        eraPmat76(jd, 0.0, reference);
        const PrecessionMatrix m = PrecessionMatrix::forJulianDay(jd);
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_NEAR(m.p[std::size_t(3 * r + c)], reference[r][c], 1e-8)
                    << "P" << 3 * r + c + 1 << " at T = " << centuries;
            }
        }
    }
}

TEST(PrecessionMatrix, IsTheIdentityAtJ2000)
{
    const PrecessionMatrix m = PrecessionMatrix::forJulianDay(kJ2000);
    EXPECT_EQ(m.p, PrecessionMatrix().p);
}

TEST(PrecessionMatrix, MeeusExample21b)
{
    // Theta Persei, its J2000 place already moved by proper motion to
    // 2028 November 13.19 (JD 2462088.69): alpha 41.054063, delta 49.227750
    // degrees become alpha 41.547214, delta 49.348483 degrees.
    const PrecessionMatrix m = PrecessionMatrix::forJulianDay(2462088.69);
    const UnitVector v = UnitVector::fromRADec(41.054063 * kDegToRad, 49.227750 * kDegToRad);
    const auto& p = m.p;
    const double x = p[0] * v.x + p[1] * v.y + p[2] * v.z;
    const double y = p[3] * v.x + p[4] * v.y + p[5] * v.z;
    const double z = p[6] * v.x + p[7] * v.y + p[8] * v.z;
    EXPECT_NEAR(std::atan2(y, x) / kDegToRad, 41.547214, 2e-6);
    EXPECT_NEAR(std::asin(z) / kDegToRad, 49.348483, 2e-6);
}

TEST(PrecessionMatrix, JulianCenturies)
{
    EXPECT_DOUBLE_EQ(PrecessionMatrix::julianCenturies(kJ2000), 0.0);
    EXPECT_DOUBLE_EQ(PrecessionMatrix::julianCenturies(kJ2000 + 36525.0), 1.0);
    EXPECT_DOUBLE_EQ(PrecessionMatrix::julianCenturies(kJ2000 - 73050.0), -2.0);
}

}  // namespace
