#pragma once

#include <QImage>

#include <array>
#include <vector>

// The five picture adjustments of a camera's frames, applied in one fixed
// order: gamma, hue, saturation, noise reduction, exposure. The tables behind
// them are rebuilt only when a value changes, and the frames are changed in
// place, so a steady stream of frames allocates nothing.
class ColorAdjust {
public:
    struct Values {
        float gamma = 1.0f;       // power applied to each channel (0..1 scale)
        float hue = 0.0f;         // rotation about the grey axis, radians
        float saturation = 1.0f;  // 0 grey, 1 unchanged, above 1 stronger colour
        float noise = 0.0f;       // noise level, 0 off; differences below it (0..1 scale) are smoothed
        float ev = 0.0f;          // exposure in stops: channels times 2^ev

        bool operator==(const Values&) const = default;
    };

    void setValues(const Values& values);
    const Values& values() const { return m_values; }

    // Applies the five adjustments to a 32-bit image.
    void apply(QImage& image);

private:
    void rebuild();
    void colourPass(QImage& image, bool withExposure) const;
    void noisePass(QImage& image);
    void exposurePass(QImage& image) const;

    Values m_values;
    bool m_isBuilt = false;
    // Gamma as 12-bit fixed point, per 8-bit input.
    std::array<int, 256> m_gamma{};
    // Hue rotation times saturation in 1/4096ths, rows r, g, b; with and
    // without the exposure factor folded in.
    std::array<int, 9> m_matrix{};
    std::array<int, 9> m_matrixExposed{};
    std::array<std::uint8_t, 256> m_exposure{};
    // The rows above and the current one, kept between frames for the noise pass.
    std::vector<quint32> m_rowAbove;
    std::vector<quint32> m_rowHere;
};
