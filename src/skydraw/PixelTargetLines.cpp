#include "skydraw/PixelBlend.h"
#include "skydraw/PixelTarget.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Cuts the segment to the box (Liang and Barsky); false when none of it lies inside.
bool clipTo(QPointF& a, QPointF& b, const QRectF& box)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(), box.bottom() - a.y()};
    double t0 = 0.0;
    double t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = start + t0 * QPointF(dx, dy);
    b = start + t1 * QPointF(dx, dy);
    return true;
}

}  // namespace

void PixelTarget::drawLines(std::span<const QLineF> lines, QRgb premultiplied, int width) const
{
    if (m_clip.isEmpty())
        return;
    // Lines stepping along x light one pixel a column (two for a wide line,
    // the rows nearest the line); lines stepping along y, one a row.
    const QRectF box(QPointF(m_clip.left(), m_clip.top()), QPointF(m_clip.right() + 1, m_clip.bottom() + 1));
    const auto pixelAt = [&](int major, int minor, bool isAlongX) -> quint32* {
        const int x = isAlongX ? major : minor;
        const int y = isAlongX ? minor : major;
        if (x < m_clip.left() || x > m_clip.right() || y < m_clip.top() || y > m_clip.bottom())
            return nullptr;
        return reinterpret_cast<quint32*>(m_bits + y * m_bytesPerLine) + x;
    };
    const auto plot = [&](int major, int minor, bool isAlongX) {
        if (quint32* pixel = pixelAt(major, minor, isAlongX))
            PixelBlend::blendPixel(*pixel, premultiplied);
    };
    // A steep line's pixels each lie on another row, beyond the processor's
    // own guessing: they are asked for this many steps ahead.
    constexpr int kAhead = 12;
    for (const QLineF& line : lines) {
        QPointF a = line.p1() + QPointF(m_offset);
        QPointF b = line.p2() + QPointF(m_offset);
        if (!std::isfinite(a.x() + a.y() + b.x() + b.y()) || !clipTo(a, b, box))
            continue;
        const bool isAlongX = std::abs(b.x() - a.x()) >= std::abs(b.y() - a.y());
        double from = isAlongX ? a.x() : a.y();
        double to = isAlongX ? b.x() : b.y();
        double across = isAlongX ? a.y() : a.x();
        const double acrossTo = isAlongX ? b.y() : b.x();
        if (from == to)
            continue;
        const double slope = (acrossTo - across) / (to - from);
        // The pixel centres from the lower end up to the higher, left out.
        if (from > to) {
            across = acrossTo;
            std::swap(from, to);
        }
        const int first = int(std::ceil(from - 0.5));
        const int last = int(std::ceil(to - 0.5)) - 1;
        for (int major = first; major <= last; ++major) {
            const double minor = across + (major + 0.5 - from) * slope;
            if (major + kAhead <= last) {
                if (const quint32* ahead = pixelAt(major + kAhead, int(std::floor(minor + kAhead * slope)), isAlongX))
                    __builtin_prefetch(ahead, 1);
            }
            if (width <= 1) {
                plot(major, int(std::floor(minor)), isAlongX);
            } else {
                const int nearer = int(std::floor(minor - 0.5));
                plot(major, nearer, isAlongX);
                plot(major, nearer + 1, isAlongX);
            }
        }
    }
}
