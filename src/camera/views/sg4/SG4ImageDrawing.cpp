#include "camera/views/sg4/SG4ImageDrawing.h"

#include "camera/sg4/SG4Protocol.h"

#include <algorithm>
#include <cmath>

namespace SG4ImageDrawing {

namespace {

constexpr int kMagnified = 2;
constexpr int kCropBand = 64;
constexpr int kSmallestSide = 10;

}  // namespace

std::optional<QRect> targetFor(const SG4Image& image)
{
    using namespace SG4Protocol;
    switch (image.readoutMode) {
    case kMode1X1:
        return QRect(0, 0, image.width, image.height);
    case kModeCrop:
        return QRect(kCropBand, 0, image.width, image.height);
    case kMode2X2:
        return QRect(0, 0, kMagnified * image.width, kMagnified * image.height);
    case kModeSubFrame: {
        // Bottom-left origin first, as the square's place on the frame is measured.
        const double s = image.subFrameSize;
        const double left = std::max(0.0, image.subFrameX - s / 2.0);
        const double bottom = std::max(0.0, kViewHeight - image.subFrameY - 1.5 * s);
        const int side = kMagnified * image.subFrameSize;
        return QRect(int(left), kViewHeight - int(bottom) - side, side, side);
    }
    default:
        return std::nullopt;
    }
}

QImage exposed(const SG4Image& image, float ev)
{
    if (image.width <= 0 || image.height <= 0
        || image.pixels.size() != std::size_t(image.width) * std::size_t(image.height))
        return {};
    QImage out(image.width, image.height, QImage::Format_Grayscale16);
    const double gain = std::exp2(double(ev));
    for (int row = 0; row < image.height; ++row) {
        auto* line = reinterpret_cast<quint16*>(out.scanLine(row));
        const quint16* source = image.pixels.data() + std::size_t(row) * std::size_t(image.width);
        for (int column = 0; column < image.width; ++column)
            line[column] = quint16(std::clamp(source[column] * gain, 0.0, 65535.0));
    }
    return out;
}

int dragSide(QPoint press, QPoint current)
{
    const QPoint d = current - press;
    return std::min<int>(SG4Protocol::kSubFrameMostSide, std::max(std::abs(d.x()), std::abs(d.y())));
}

QRect dragRect(QPoint press, QPoint current)
{
    // The corner nearest the frame's bottom-left; the square grows up and right.
    const int side = dragSide(press, current);
    const int left = std::min(press.x(), current.x());
    const int bottom = std::max(press.y(), current.y());
    return QRect(left, bottom - side, side, side);
}

SubFrame subFrameOf(QPoint press, QPoint current)
{
    const int side = std::max(kSmallestSide, dragSide(press, current));
    const int left = std::min(press.x(), current.x());
    const int bottom = std::max(press.y(), current.y());
    return {std::clamp(left, 0, kViewWidth - side), std::clamp(bottom - side, 0, kViewHeight - side), side};
}

}  // namespace SG4ImageDrawing
