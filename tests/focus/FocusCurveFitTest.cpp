#include "focus/FocusCurveFit.h"

#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

extern "C" {
// LAPACK's least-squares solver, an independent check of the fit.
void dgels_(const char* trans, const int* m, const int* n, const int* nrhs, double* a,
            const int* lda, double* b, const int* ldb, double* work, const int* lwork, int* info,
            std::size_t transLength);
}

namespace {

constexpr double kOptecScale = 7000.0;

// Samples exactly on area = depth + curvature (x - vertex)^2, x = position / scale.
std::vector<FocusSample> parabola(double vertex, double scale, std::vector<int> positions,
                                  double curvature = 4000.0, double depth = 20.0)
{
    std::vector<FocusSample> samples;
    for (const int p : positions) {
        const double x = p / scale - vertex / scale;
        samples.push_back({quint16(p), depth + curvature * x * x, 1.0f});
    }
    return samples;
}

std::vector<int> sweep(int first, int step, int count, int repeats = 1)
{
    std::vector<int> positions;
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < repeats; ++k)
            positions.push_back(first + i * step);
    return positions;
}

}  // namespace

TEST(FocusCurveFitTest, SamplesOnAParabolaGiveItsVertexAndNoError)
{
    const auto fit = FocusCurveFit::fit(parabola(2800, kOptecScale, sweep(2500, 100, 7)), kOptecScale);
    ASSERT_TRUE(fit);
    EXPECT_EQ(fit->bestFocus, 2800);  // 0.4 N
    EXPECT_EQ(QString::asprintf("%.1f", fit->rms), "0.0");
    EXPECT_NEAR(fit->coeff[2], 4000.0, 1e-3);
    EXPECT_NEAR(fit->coeff[1], -2 * 4000.0 * 0.4, 1e-3);
}

TEST(FocusCurveFitTest, TheVertexIsRoundedHalfUpAndKeptWithinTheTravel)
{
    auto best = [](double vertex, double scale, std::vector<int> positions) {
        const auto fit = FocusCurveFit::fit(parabola(vertex, scale, positions), scale);
        return fit ? int(fit->bestFocus) : -1;
    };
    EXPECT_EQ(best(2800.6, kOptecScale, sweep(2500, 100, 7)), 2801);
    EXPECT_EQ(best(2800.4, kOptecScale, sweep(2500, 100, 7)), 2800);
    EXPECT_EQ(best(7400, kOptecScale, sweep(6300, 100, 7)), 7000);
    EXPECT_EQ(best(-300, kOptecScale, sweep(0, 100, 7)), 0);
    EXPECT_EQ(best(31000, 64000, sweep(30400, 200, 7, 3)), 31000);
}

TEST(FocusCurveFitTest, DataThatCannotShowAMinimumIsRefused)
{
    const std::vector<int> positions = sweep(2500, 100, 7);
    // Inverted: a maximum, not a best focus.
    EXPECT_FALSE(FocusCurveFit::fit(parabola(2800, kOptecScale, positions, -4000.0, 500.0), kOptecScale));
    // Flat: all areas equal.
    EXPECT_FALSE(FocusCurveFit::fit(parabola(2800, kOptecScale, positions, 0.0), kOptecScale));
    // A straight line has no vertex.
    std::vector<FocusSample> line;
    for (const int p : positions)
        line.push_back({quint16(p), 0.1 * p, 1.0f});
    EXPECT_FALSE(FocusCurveFit::fit(line, kOptecScale));
    // Too few samples, or too few distinct positions.
    const auto good = parabola(2800, kOptecScale, positions);
    EXPECT_FALSE(FocusCurveFit::fit(std::span(good).first(1), kOptecScale));
    EXPECT_FALSE(FocusCurveFit::fit(std::span(good).first(2), kOptecScale));
    EXPECT_FALSE(FocusCurveFit::fit({}, kOptecScale));
    EXPECT_FALSE(FocusCurveFit::fit(parabola(2800, kOptecScale, {2700, 2700, 2900, 2900}), kOptecScale));
    EXPECT_FALSE(FocusCurveFit::fit(parabola(2800, kOptecScale, {2700, 2700, 2700}), kOptecScale));
    // A measurement that is not a number, or no scale.
    auto broken = good;
    broken[3].starArea = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(FocusCurveFit::fit(broken, kOptecScale));
    EXPECT_FALSE(FocusCurveFit::fit(good, 0.0));
    // Three distinct positions are enough.
    EXPECT_TRUE(FocusCurveFit::fit(parabola(2800, kOptecScale, {2700, 2800, 2900}), kOptecScale));
}

TEST(FocusCurveFitTest, NoisySamplesAgreeWithAnIndependentLeastSquaresSolve)
{
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 6.0);
    auto samples = parabola(3120, kOptecScale, sweep(2800, 100, 7, 3), 60000.0, 40.0);
    for (FocusSample& sample : samples)
        sample.starArea += noise(random);
    const auto fit = FocusCurveFit::fit(samples, kOptecScale);
    ASSERT_TRUE(fit);

    const int n = int(samples.size());
    const int terms = 3;
    const int one = 1;
    std::vector<double> a(size_t(n * terms));
    std::vector<double> b(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double x = samples[size_t(i)].focusPosition / kOptecScale;
        a[size_t(i)] = 1.0;
        a[size_t(n + i)] = x;
        a[size_t(2 * n + i)] = x * x;
        b[size_t(i)] = samples[size_t(i)].starArea;
    }
    std::vector<double> work(256);
    const int lwork = int(work.size());
    int info = -1;
    dgels_("N", &n, &terms, &one, a.data(), &n, b.data(), &n, work.data(), &lwork, &info, 1);
    ASSERT_EQ(info, 0);
    const double vertex = -kOptecScale * b[1] / (2 * b[2]);
    EXPECT_NEAR(fit->bestFocus, vertex, 1.0);
    EXPECT_NEAR(fit->bestFocus, 3120, 30);
    EXPECT_GT(fit->rms, 0.0f);
}
