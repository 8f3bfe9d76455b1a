#pragma once

#include <QtGlobal>

// Source-over of premultiplied 32-bit pixels, rounded as the painter rounds.
namespace PixelBlend {

// x × a / 255 on the two channels of a pair (0x00ff00ff lanes).
inline quint32 byteMul(quint32 x, quint32 a)
{
    quint32 t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = x + ((x >> 8) & 0xff00ff) + 0x800080;
    x &= 0xff00ff00;
    return x | t;
}

// A premultiplied pixel over another.
inline void blendPixel(quint32& dst, quint32 s)
{
    const quint32 alpha = s >> 24;
    if (alpha == 255)
        dst = s;
    else if (s != 0)
        dst = s + byteMul(dst, 255 - alpha);
}

}  // namespace PixelBlend
