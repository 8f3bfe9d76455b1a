#include "focus/LapackFocusCurveFit.h"

#include <cblas.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <set>
#include <vector>

extern "C" {
// LAPACK's singular-value decomposition (column-major; the trailing lengths
// are those of the two character arguments).
void dgesvd_(const char* jobu, const char* jobvt, const int* m, const int* n, double* a,
             const int* lda, double* s, double* u, const int* ldu, double* vt, const int* ldvt,
             double* work, const int* lwork, int* info, std::size_t jobuLength,
             std::size_t jobvtLength);
}

namespace {

constexpr int kTerms = 3;

bool isUsable(std::span<const FocusSample> samples, double scale)
{
    if (samples.size() < 3 || !(scale > 0.0) || !std::isfinite(scale))
        return false;
    std::set<quint16> positions;
    std::set<double> areas;
    for (const FocusSample& sample : samples) {
        if (!std::isfinite(sample.starArea))
            return false;
        positions.insert(sample.focusPosition);
        areas.insert(sample.starArea);
    }
    // Equal areas show no curve: rounding alone would give it a vertex.
    return positions.size() >= 3 && areas.size() >= 2;
}

// Whether the curvature across the sweep stands above the rounding of the
// solve, so that a straight line gives no vertex.
bool isCurved(double a2, std::span<const FocusSample> samples, double scale)
{
    const auto [low, high] = std::minmax_element(
        samples.begin(), samples.end(),
        [](const FocusSample& a, const FocusSample& b) { return a.focusPosition < b.focusPosition; });
    const double width = (high->focusPosition - low->focusPosition) / scale;
    double largest = 0.0;
    for (const FocusSample& sample : samples)
        largest = std::max(largest, std::abs(sample.starArea));
    return a2 * width * width > 1e-9 * largest;
}

// The pseudo-inverse of the symmetric 3 x 3 matrix `m` (column-major) from
// its singular values; empty when it has rank below 2.
std::optional<std::array<double, 9>> pseudoInverse(std::array<double, 9> m)
{
    const int n = kTerms;
    std::array<double, kTerms> s{};
    std::array<double, 9> u{};
    std::array<double, 9> vt{};
    std::array<double, 64> work{};
    const int lwork = int(work.size());
    int info = 0;
    dgesvd_("S", "S", &n, &n, m.data(), &n, s.data(), u.data(), &n, vt.data(), &n, work.data(),
            &lwork, &info, 1, 1);
    const double floor = s[0] * kTerms * std::numeric_limits<double>::epsilon();
    if (info != 0 || !(s[0] > 0.0) || !(s[1] > floor))
        return std::nullopt;

    std::array<double, 9> inverseSigma{};
    for (int i = 0; i < kTerms; ++i)
        inverseSigma[size_t(i * kTerms + i)] = s[size_t(i)] > floor ? 1.0 / s[size_t(i)] : 0.0;
    // Mp = V Sigma+ U^T, with V = vt^T.
    std::array<double, 9> sigmaUt{};
    cblas_dgemm(CblasColMajor, CblasNoTrans, CblasTrans, n, n, n, 1.0, inverseSigma.data(), n,
                u.data(), n, 0.0, sigmaUt.data(), n);
    std::array<double, 9> inverse{};
    cblas_dgemm(CblasColMajor, CblasTrans, CblasNoTrans, n, n, n, 1.0, vt.data(), n,
                sigmaUt.data(), n, 0.0, inverse.data(), n);
    return inverse;
}

}  // namespace

std::optional<FocusFit> LapackFocusCurveFit::fit(std::span<const FocusSample> samples, double scale)
{
    if (!isUsable(samples, scale))
        return std::nullopt;
    const int n = int(samples.size());

    // The design matrix A (n x 3) held transposed, row-major: row k is x^k.
    std::vector<double> at(size_t(kTerms) * size_t(n));
    std::vector<double> y(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double x = samples[size_t(i)].focusPosition / scale;
        at[size_t(i)] = 1.0;
        at[size_t(n + i)] = x;
        at[size_t(2 * n + i)] = x * x;
        y[size_t(i)] = samples[size_t(i)].starArea;
    }
    // The normal matrix A^T A is symmetric: row- and column-major alike.
    std::array<double, 9> normal{};
    cblas_dgemm(CblasRowMajor, CblasNoTrans, CblasTrans, kTerms, kTerms, n, 1.0, at.data(), n,
                at.data(), n, 0.0, normal.data(), kTerms);
    const std::optional<std::array<double, 9>> inverse = pseudoInverse(normal);
    if (!inverse)
        return std::nullopt;

    // P = Mp A^T, then the coefficients P y (Mp is symmetric, so its
    // column-major array serves as row-major).
    std::vector<double> projection(size_t(kTerms) * size_t(n));
    cblas_dgemm(CblasRowMajor, CblasNoTrans, CblasNoTrans, kTerms, n, kTerms, 1.0,
                inverse->data(), kTerms, at.data(), n, 0.0, projection.data(), n);
    FocusFit result;
    cblas_dgemv(CblasRowMajor, CblasNoTrans, kTerms, n, 1.0, projection.data(), n, y.data(), 1,
                0.0, result.coeff.data(), 1);
    const auto [a0, a1, a2] = result.coeff;
    if (!std::isfinite(a0) || !std::isfinite(a1) || !std::isfinite(a2)
        || !(a2 > 0.0 && isCurved(a2, samples, scale)))
        return std::nullopt;

    const double vertex = std::clamp(-scale * a1 / (a2 + a2), 0.0, scale);
    result.bestFocus = quint16(std::min(vertex + 0.5, 65535.0));

    std::vector<double> residuals(static_cast<size_t>(n));
    double mean = 0.0;
    for (int i = 0; i < n; ++i) {
        const double x = at[size_t(n + i)];
        residuals[size_t(i)] = y[size_t(i)] - (a0 + a1 * x + a2 * x * x);
        mean += residuals[size_t(i)] / n;
    }
    double squares = 0.0;
    for (const double e : residuals)
        squares += (e - mean) * (e - mean);
    // The variance of the vertex -a1 / 2a2 by propagation of the
    // coefficients' covariance (Mp is symmetric).
    const double q = a1 / a2;
    const std::array<double, 9>& mp = *inverse;
    const double variance =
        (q * q * mp[8] - 2.0 * q * mp[5] + mp[4]) / (4.0 * a2 * a2);
    const double rms = std::sqrt(squares / (n - 1)) * std::sqrt(std::max(variance, 0.0)) * scale;
    if (!std::isfinite(rms))
        return std::nullopt;
    result.rms = float(rms);
    return result;
}
