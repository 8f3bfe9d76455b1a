#pragma once

#include "camera/image/FocusImage.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <vector>

// A camera frame held in memory: the tests paint it and say when it is fresh.
class TestFrame final : public FocusImage {
public:
    TestFrame(int width, int height, quint8 background = 0)
        : m_width(width), m_height(height), m_pixels(size_t(width) * size_t(height), background) {}

    float width() const override { return float(m_width); }
    float height() const override { return float(m_height); }
    const quint8* focusBuff() const override { return m_pixels.empty() ? nullptr : m_pixels.data(); }
    bool hasFocusImage() const override { return m_fresh; }
    void setHasFocusImage(bool fresh) override { m_fresh = fresh; }

    void fill(quint8 value) { std::fill(m_pixels.begin(), m_pixels.end(), value); }
    // Takes `pixels`, one byte for each pixel.
    void assign(const std::vector<quint8>& pixels) { std::copy(pixels.begin(), pixels.end(), m_pixels.begin()); }
    void set(int x, int y, int value) { m_pixels[size_t(y) * size_t(m_width) + size_t(x)] = quint8(value); }
    // Adds a round star of `peak` above what is there, centred on (x, y).
    void addStar(double x, double y, double peak, double sigma = 1.5)
    {
        const int reach = int(std::ceil(sigma * 4));
        for (int py = std::max(0, int(y) - reach); py <= std::min(m_height - 1, int(y) + reach); ++py) {
            for (int px = std::max(0, int(x) - reach); px <= std::min(m_width - 1, int(x) + reach); ++px) {
                const double r2 = (px - x) * (px - x) + (py - y) * (py - y);
                const double v = at(px, py) + peak * std::exp(-r2 / (2 * sigma * sigma));
                set(px, py, int(std::lround(std::min(v, 255.0))));
            }
        }
    }
    int at(int x, int y) const { return m_pixels[size_t(y) * size_t(m_width) + size_t(x)]; }
    // The camera makes a new buffer (another address), as when it reopens.
    void reallocate() { m_pixels = std::vector<quint8>(m_pixels); }

private:
    int m_width;
    int m_height;
    std::vector<quint8> m_pixels;
    bool m_fresh = true;
};
