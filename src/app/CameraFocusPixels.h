#pragma once

#include "focus/FocusPixels.h"

#include <cstddef>
#include <cstdint>

// A camera's grey focus buffer as the focusers read it. Cameras give their
// size as floats: the whole pixels count, and a size that is not a sensible
// frame side (negative, huge, not a number) gives an empty view.
inline FocusPixels cameraFocusPixels(const std::uint8_t* buffer, std::size_t bytes, float width, float height)
{
    constexpr float kLargestSide = 65536.0f;
    const auto side = [](float s) { return s >= 1.0f && s < kLargestSide ? int(s) : 0; };
    const int w = side(width);
    const int h = side(height);
    if (!buffer || w == 0 || h == 0 || bytes < std::size_t(w) * std::size_t(h))
        return {};
    return {{buffer, std::size_t(w) * std::size_t(h)}, w, h};
}
