#pragma once

#include <QImage>

// A busy picture, which compresses badly, so that a movie grows quickly;
// each seed gives another.
inline QImage noisyFrame(int seed)
{
    QImage frame(160, 120, QImage::Format_RGB32);
    quint32 state = 2166136261u ^ quint32(seed);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            frame.setPixel(x, y, state >> 8);
        }
    return frame;
}
