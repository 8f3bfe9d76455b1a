#include "model/projection/PrecessionMatrix.h"

#include <erfa.h>

#include <gtest/gtest.h>

namespace {

constexpr double kJ2000 = 2451545.0;

// eraPmat76 is the same IAU 1976 precession with the angles' full
// coefficients; the rounded degrees of the chart stay within 1e-8 for two
// centuries either side of J2000.0, where the matrix is exactly the identity.
TEST(PrecessionMatrix, MatchesTheIAU1976PrecessionOfERFA)
{
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
    EXPECT_EQ(PrecessionMatrix::forJulianDay(kJ2000).p, PrecessionMatrix().p);
}

}  // namespace
