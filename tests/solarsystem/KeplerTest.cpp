#include "solarsystem/smallbodies/KeplerEllipse.h"
#include "solarsystem/smallbodies/NearParabolic.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kGauss = 0.01720209895;

// Meeus example 30.a: e = 0.1, M = 5 deg gives E = 5.554589 deg; then the
// residual of M = E - e sin E and the answer's sine and cosine over the
// whole range of e and M.
TEST(KeplerEllipse, Example30aAndTheResidualOfKeplersEquation)
{
    EXPECT_NEAR(KeplerEllipse::solve(5.0 * kDegree, 0.1).eccentricAnomaly / kDegree, 5.554589, 5e-7);
    for (const double e : {0.0, 0.05, 0.3, 0.6, 0.9, 0.97}) {
        for (double m = -3.0; m <= 6.3; m += 0.37) {
            const KeplerEllipse::Solution s = KeplerEllipse::solve(m, e);
            EXPECT_LT(s.steps, KeplerEllipse::kMaximumSteps) << e << " " << m;
            EXPECT_NEAR(s.eccentricAnomaly - e * std::sin(s.eccentricAnomaly), m, 1e-9) << e << " " << m;
            // The sine and cosine carried through the steps are those of the answer.
            EXPECT_NEAR(s.ofE.sin, std::sin(s.eccentricAnomaly), 4e-15) << e << " " << m;
            EXPECT_NEAR(s.ofE.cos, std::cos(s.eccentricAnomaly), 4e-15) << e << " " << m;
        }
    }
}

// Equations solved side by side end each as it would alone, also when one
// crawls (e near 1) beside one done in a step.
TEST(KeplerEllipse, SolvedTogetherAsAlone)
{
    const std::array<double, 3> m{1e-12, 0.0, 2.5};
    const std::array<double, 3> e{0.999999999, 0.0, 0.3};
    const std::array<KeplerEllipse::Solution, 3> together = KeplerEllipse::solveTogether(m, e);
    for (std::size_t k = 0; k < m.size(); ++k) {
        const KeplerEllipse::Solution alone = KeplerEllipse::solve(m[k], e[k]);
        EXPECT_EQ(together[k].steps, alone.steps) << k;
        EXPECT_EQ(together[k].eccentricAnomaly, alone.eccentricAnomaly) << k;
        EXPECT_EQ(together[k].ofE.sin, alone.ofE.sin) << k;
    }
    EXPECT_GT(together[0].steps, together[2].steps);
}

// Close to e = 1 and M = 0 the Newton steps crawl; after the last allowed step the iterate is kept.
TEST(KeplerEllipse, AnUnfinishedSolutionStillGivesAFinitePlace)
{
    const KeplerEllipse::Solution s = KeplerEllipse::solve(1e-12, 0.999999999);
    EXPECT_LE(s.steps, KeplerEllipse::kMaximumSteps);
    EXPECT_TRUE(std::isfinite(s.eccentricAnomaly));
    const OrbitPoint p = KeplerEllipse::position(2.0, 0.999999999, 1e-12);
    EXPECT_TRUE(std::isfinite(p.trueAnomaly) && std::isfinite(p.radius));
}

// True anomaly folded to -pi..pi.
double signedAnomaly(const OrbitPoint& p)
{
    return p.trueAnomaly > std::numbers::pi ? p.trueAnomaly - 2.0 * std::numbers::pi : p.trueAnomaly;
}

// The point must lie on the conic q (1 + e) / (1 + e cos v).
void expectOnConic(const OrbitPoint& p, double q, double e)
{
    EXPECT_NEAR(p.radius, q * (1.0 + e) / (1.0 + e * std::cos(p.trueAnomaly)), 1e-12 * p.radius);
}

TEST(NearParabolic, PerihelionAndTheParabolaOfBarkersEquation)
{
    for (const double e : {0.98, 1.0, 1.3}) {
        const OrbitPoint p = NearParabolic::position(0.7, e, 0.0);
        EXPECT_EQ(p.trueAnomaly, 0.0);
        EXPECT_EQ(p.radius, 0.7);
    }
    // W = k t / (sqrt(2) q^1.5) = s + s^3 / 3 with s = tan(v / 2).
    const double q = 0.5;
    for (const double t : {-400.0, -30.0, -0.5, 0.25, 12.0, 150.0, 5000.0}) {
        const OrbitPoint p = NearParabolic::position(q, 1.0, t);
        const double s = std::tan(signedAnomaly(p) / 2.0);
        EXPECT_NEAR(s + s * s * s / 3.0, kGauss * t / (std::sqrt(2.0) * q * std::sqrt(q)),
                    1e-9 * (1.0 + std::abs(s * s * s)))
            << t;
        expectOnConic(p, q, 1.0);
        EXPECT_GE(p.trueAnomaly, 0.0);
    }
}

// Near perihelion at e = 0.98 and 0.99 the method must find Kepler's point;
// for e = 1.02 it solves e sinh H - H = k t / a^1.5 with a = q / (e - 1) and
// tanh(H / 2) = sqrt((e - 1) / (e + 1)) tan(v / 2).
TEST(NearParabolic, AgreesWithTheEllipseAndSolvesTheHyperbola)
{
    for (const double e : {0.98, 0.99}) {
        const double q = 0.6;
        const double a = q / (1.0 - e);
        for (const double t : {-60.0, -5.0, 3.0, 45.0}) {
            const OrbitPoint near = NearParabolic::position(q, e, t);
            const OrbitPoint ellipse = KeplerEllipse::position(a, e, kGauss / (a * std::sqrt(a)) * t);
            EXPECT_NEAR(signedAnomaly(near), signedAnomaly(ellipse), 1e-8) << e << " " << t;
            EXPECT_NEAR(near.radius, ellipse.radius, 1e-8) << e << " " << t;
        }
    }
    const double q = 1.2, e = 1.02, a = q / (e - 1.0);
    for (const double t : {-90.0, -10.0, 20.0, 120.0}) {
        const OrbitPoint p = NearParabolic::position(q, e, t);
        const double h = 2.0 * std::atanh(std::sqrt((e - 1.0) / (e + 1.0)) * std::tan(signedAnomaly(p) / 2.0));
        EXPECT_NEAR(e * std::sinh(h) - h, kGauss * t / (a * std::sqrt(a)), 1e-8) << t;
        expectOnConic(p, q, e);
    }
}

// Where the series cannot converge the capped loop keeps its last value instead of running on.
TEST(NearParabolic, FarFromPerihelionTheMethodStillEnds)
{
    for (const double t : {1e6, -1e7, 1e9}) {
        const OrbitPoint p = NearParabolic::position(0.01, 0.985, t);
        EXPECT_TRUE(std::isfinite(p.trueAnomaly) && std::isfinite(p.radius)) << t;
    }
}

}  // namespace
