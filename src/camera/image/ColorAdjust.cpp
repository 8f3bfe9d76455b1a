#include "camera/image/ColorAdjust.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kOne = 4096;
constexpr quint32 kOpaque = 0xff000000u;

// Luminance weights (Rec. 709, rounded), which keep grey on the grey axis.
constexpr double kLumR = 0.213, kLumG = 0.715, kLumB = 0.072;

using Matrix = std::array<double, 9>;

Matrix multiply(const Matrix& a, const Matrix& b)
{
    Matrix m{};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k)
                m[r * 3 + c] += a[r * 3 + k] * b[k * 3 + c];
    return m;
}

// Rotation of the colour about the grey axis by `angle` radians (the usual
// hue rotation of the web's colour filters); each row sums to 1.
Matrix hueRotation(double angle)
{
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    return {kLumR + c * (1 - kLumR) - s * kLumR, kLumG - c * kLumG - s * kLumG, kLumB - c * kLumB + s * (1 - kLumB),
            kLumR - c * kLumR + s * 0.143, kLumG + c * (1 - kLumG) + s * 0.140, kLumB - c * kLumB - s * 0.283,
            kLumR - c * kLumR - s * (1 - kLumR), kLumG - c * kLumG + s * kLumG, kLumB + c * (1 - kLumB) + s * kLumB};
}

// Mixes each colour with its luminance grey: 0 grey, 1 unchanged.
Matrix saturation(double amount)
{
    const double k = 1 - amount;
    return {k * kLumR + amount, k * kLumG,          k * kLumB,
            k * kLumR,          k * kLumG + amount, k * kLumB,
            k * kLumR,          k * kLumG,          k * kLumB + amount};
}

std::array<int, 9> fixedPoint(const Matrix& m, double scale)
{
    std::array<int, 9> out{};
    for (std::size_t i = 0; i < 9; ++i)
        out[i] = int(std::lround(m[i] * scale * kOne));
    return out;
}

inline quint32 clampChannel(int value)
{
    return quint32(std::clamp(value, 0, 255));
}

}  // namespace

void ColorAdjust::setValues(const Values& values)
{
    if (m_isBuilt && values == m_values)
        return;
    m_values = values;
    rebuild();
}

void ColorAdjust::rebuild()
{
    for (int i = 0; i < 256; ++i)
        m_gamma[std::size_t(i)] = int(std::lround(std::pow(i / 255.0, double(m_values.gamma)) * kOne));
    const Matrix colour = multiply(saturation(m_values.saturation), hueRotation(m_values.hue));
    const double exposure = std::exp2(double(m_values.ev));
    // The matrix works on 12-bit channels and gives 8-bit ones.
    m_matrix = fixedPoint(colour, 255.0 / kOne);
    m_matrixExposed = fixedPoint(colour, 255.0 / kOne * exposure);
    for (int i = 0; i < 256; ++i)
        m_exposure[std::size_t(i)] = std::uint8_t(std::clamp(std::lround(i * exposure), 0L, 255L));
    m_isBuilt = true;
}

void ColorAdjust::apply(QImage& image)
{
    if (!m_isBuilt)
        rebuild();
    // Without noise reduction the exposure, a plain factor, joins the colour pass.
    const bool smooth = m_values.noise > 0.0f;
    colourPass(image, !smooth);
    if (smooth) {
        noisePass(image);
        if (m_values.ev != 0.0f)
            exposurePass(image);
    }
}

void ColorAdjust::colourPass(QImage& image, bool withExposure) const
{
    const std::array<int, 9>& m = withExposure ? m_matrixExposed : m_matrix;
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const quint32 p = row[x];
            const int r = m_gamma[qRed(p)];
            const int g = m_gamma[qGreen(p)];
            const int b = m_gamma[qBlue(p)];
            const int half = kOne / 2;
            const int nr = (m[0] * r + m[1] * g + m[2] * b + half) / kOne;
            const int ng = (m[3] * r + m[4] * g + m[5] * b + half) / kOne;
            const int nb = (m[6] * r + m[7] * g + m[8] * b + half) / kOne;
            row[x] = kOpaque | clampChannel(nr) << 16 | clampChannel(ng) << 8 | clampChannel(nb);
        }
    }
}

// Each channel that differs from the mean of its four neighbours by less
// than the noise level takes that mean; larger differences (stars, edges)
// stay sharp.
void ColorAdjust::noisePass(QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    if (w < 3 || h < 3)
        return;
    const int threshold = int(std::lround(m_values.noise * 255.0f));
    m_rowAbove.resize(std::size_t(w));
    m_rowHere.resize(std::size_t(w));
    std::memcpy(m_rowAbove.data(), image.constScanLine(0), std::size_t(w) * 4);
    for (int y = 1; y < h - 1; ++y) {
        auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
        const auto* below = reinterpret_cast<const quint32*>(image.constScanLine(y + 1));
        std::memcpy(m_rowHere.data(), row, std::size_t(w) * 4);
        for (int x = 1; x < w - 1; ++x) {
            const quint32 n[4] = {m_rowAbove[std::size_t(x)], below[x], m_rowHere[std::size_t(x - 1)],
                                  m_rowHere[std::size_t(x + 1)]};
            quint32 out = kOpaque;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int here = int(m_rowHere[std::size_t(x)] >> shift & 0xff);
                int sum = 0;
                for (const quint32 q : n)
                    sum += int(q >> shift & 0xff);
                const int mean = (sum + 2) / 4;
                const int value = std::abs(here - mean) < threshold ? mean : here;
                out |= quint32(value) << shift;
            }
            row[x] = out;
        }
        std::swap(m_rowAbove, m_rowHere);
    }
}

void ColorAdjust::exposurePass(QImage& image) const
{
    const int w = image.width();
    const int h = image.height();
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const quint32 p = row[x];
            row[x] = kOpaque | quint32(m_exposure[qRed(p)]) << 16 | quint32(m_exposure[qGreen(p)]) << 8
                     | m_exposure[qBlue(p)];
        }
    }
}
