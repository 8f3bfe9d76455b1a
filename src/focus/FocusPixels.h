#pragma once

#include <QtGlobal>

#include <span>

// A camera's focus image: 8-bit grey, one byte per pixel, rows from the top,
// pixel (x, y) at x + y * width.
struct FocusPixels {
    std::span<const quint8> pixels;
    int width = 0;
    int height = 0;

    // True when the buffer holds every pixel the size promises.
    bool isWhole() const
    {
        return width > 0 && height > 0 && pixels.size() >= size_t(width) * size_t(height);
    }
    quint8 at(int x, int y) const { return pixels[size_t(x) + size_t(y) * size_t(width)]; }
};
