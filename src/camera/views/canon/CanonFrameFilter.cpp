#include "camera/views/canon/CanonFrameFilter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLiveNarrowest = 1.4;
constexpr double kLiveAspect = 1.5;
constexpr double kZoomFifth = 0.4;  // inset on each side for the central fifth

double toLinear(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double toSRGB(double v)
{
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
}

// Rec. 709 luminance of 8-bit components as a grey level, in 1/256 steps
// whose weights add up to 256 (0.2126, 0.7152, 0.0722).
int luminance(int r, int g, int b)
{
    return (54 * r + 183 * g + 19 * b + 128) >> 8;
}

}  // namespace

void CanonFrameFilter::setAdjustments(double ev, double saturation)
{
    if (ev != m_ev || m_evTable[255] == 0) {
        const double gain = std::exp2(ev);
        for (int i = 0; i < 256; ++i)
            m_evTable[std::size_t(i)] = static_cast<quint8>(
                std::clamp(std::lround(toSRGB(std::min(1.0, toLinear(i / 255.0) * gain)) * 255.0), 0L, 255L));
    }
    m_ev = ev;
    m_saturation = saturation;
}

QImage CanonFrameFilter::apply(const QImage& source) const
{
    QImage image = source.convertToFormat(QImage::Format_RGB32);
    const bool exposure = m_ev != 0;
    const bool saturation = m_saturation != 1;
    if (!exposure && !saturation)
        return image;
    // Saturation in 1/256 steps: integer arithmetic keeps a frame well
    // inside the live-view tick.
    const int weight = static_cast<int>(std::lround(m_saturation * 256));
    const auto mix = [weight](int grey, int c) { return std::clamp(grey + ((weight * (c - grey)) >> 8), 0, 255); };
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            int r = qRed(row[x]);
            int g = qGreen(row[x]);
            int b = qBlue(row[x]);
            if (exposure) {
                r = m_evTable[std::size_t(r)];
                g = m_evTable[std::size_t(g)];
                b = m_evTable[std::size_t(b)];
            }
            if (saturation) {
                const int grey = luminance(r, g, b);
                r = mix(grey, r);
                g = mix(grey, g);
                b = mix(grey, b);
            }
            row[x] = qRgb(r, g, b);
        }
    }
    return image;
}

QSizeF CanonFrameFilter::liveSize(QSize extent)
{
    const double width = extent.width();
    double height = extent.height();
    if (height > 0 && width / height < kLiveNarrowest)
        height = width / kLiveAspect;
    return {width, height};
}

QRect CanonFrameFilter::liveRect(QSize extent)
{
    const QSizeF used = liveSize(extent);
    const int height = static_cast<int>(used.height());
    return {0, extent.height() - height, extent.width(), height};
}

QRectF CanonFrameFilter::stillRect(QSizeF extent, QSizeF view, QPointF click, bool zoomed, bool oneToOne)
{
    const QRectF whole(QPointF(0, 0), extent);
    if (!zoomed)
        return whole;
    QRectF crop = oneToOne ? QRectF(QPointF(0, 0), view)
                           : whole.adjusted(extent.width() * kZoomFifth, extent.height() * kZoomFifth,
                                            -extent.width() * kZoomFifth, -extent.height() * kZoomFifth);
    if (view.width() > 0 && view.height() > 0)
        crop.moveCenter({click.x() * extent.width() / view.width(), click.y() * extent.height() / view.height()});
    // Back inside: the left and bottom edges first, then the right and top.
    crop.moveLeft(std::max(crop.left(), 0.0));
    if (crop.bottom() > extent.height())
        crop.moveBottom(extent.height());
    if (crop.right() > extent.width())
        crop.moveRight(extent.width());
    crop.moveTop(std::max(crop.top(), 0.0));
    return crop;
}

QByteArray CanonFrameFilter::greyBuffer(const QImage& image, QRect rect)
{
    rect &= image.rect();
    if (image.depth() != 32 || rect.isEmpty())
        return {};
    QByteArray grey(qsizetype(rect.width()) * rect.height(), '\0');
    char* out = grey.data();
    // Row by row through the image's own stride, whatever its padding.
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x)
            *out++ = static_cast<char>(luminance(qRed(row[x]), qGreen(row[x]), qBlue(row[x])));
    }
    return grey;
}
