#pragma once

#include "focus/FocusPixels.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <vector>

// Synthetic focus frames: a dark sky with one round star.
struct StarImage {
    int width = 160;
    int height = 120;
    std::vector<quint8> pixels = std::vector<quint8>(size_t(width) * size_t(height), 0);

    StarImage() = default;
    StarImage(int w, int h, quint8 sky = 0)
        : width(w), height(h), pixels(size_t(w) * size_t(h), sky) {}

    FocusPixels image() const { return {pixels, width, height}; }
    void set(int x, int y, int value) { pixels[size_t(x + y * width)] = quint8(std::clamp(value, 0, 255)); }

    // A disc of one brightness whose pixel centres lie within `radius` of (cx, cy).
    void addDisc(double cx, double cy, double radius, int value)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (std::hypot(x - cx, y - cy) <= radius)
                    set(x, y, value);
    }
    // A Gaussian star of peak `peak` and standard deviation `sigma` pixels.
    void addGaussian(double cx, double cy, double sigma, double peak)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
                set(x, y, pixels[size_t(x + y * width)] + int(peak * std::exp(-d2 / (2 * sigma * sigma))));
            }
    }
};
