#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

#include <algorithm>
#include <iterator>

// The pixels of a drawn picture that are not clear: the rest blends to
// nothing, so that a picture kept to be blended again keeps only these.
namespace InkBounds {

// The smallest rectangle of a 32-bit picture holding every pixel not 0; an
// empty one when there is none.
inline QRect of(const QImage& picture)
{
    int top = picture.height();
    int bottom = -1;
    int left = picture.width();
    int right = -1;
    const auto isInk = [](QRgb p) { return p != 0; };
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        const auto* end = row + picture.width();
        const auto* first = std::find_if(row, end, isInk);
        if (first == end)
            continue;
        const auto last = std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(first), isInk);
        top = std::min(top, y);
        bottom = y;
        left = std::min(left, int(first - row));
        right = std::max(right, int(last.base() - row) - 1);
    }
    return bottom < 0 ? QRect() : QRect(left, top, right - left + 1, bottom - top + 1);
}

}  // namespace InkBounds
