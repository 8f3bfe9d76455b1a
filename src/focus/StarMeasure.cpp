#include "focus/StarMeasure.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

// The first pixel, in row order, of the largest value: the largest value
// first, in fixed blocks that the compiler turns into vector code at any
// optimisation level, then where it first occurs.
QPoint brightestPixel(const FocusPixels& image)
{
    constexpr size_t kBlock = 64;
    const std::span<const quint8> pixels = image.pixels.first(size_t(image.width) * size_t(image.height));
    quint8 largest = 0;
    size_t i = 0;
    for (; i + kBlock <= pixels.size(); i += kBlock) {
        const quint8* block = pixels.data() + i;
        quint8 blockLargest = 0;
        for (size_t k = 0; k < kBlock; ++k)
            blockLargest = std::max(blockLargest, block[k]);
        largest = std::max(largest, blockLargest);
    }
    for (; i < pixels.size(); ++i)
        largest = std::max(largest, pixels[i]);
    const auto* first = static_cast<const quint8*>(std::memchr(pixels.data(), largest, pixels.size()));
    const auto index = size_t(first - pixels.data());
    return QPoint(int(index % size_t(image.width)), int(index / size_t(image.width)));
}

// The summed excess over the threshold within `r` pixels of the centroid.
double enclosedFlux(const FocusPixels& image, QPointF centre, double threshold, int r)
{
    double sum = 0.0;
    const int top = std::max(0, int(centre.y() - r));
    const int left = std::max(0, int(centre.x() - r));
    for (int y = top; y <= centre.y() + r && y < image.height; ++y) {
        for (int x = left; x <= centre.x() + r && x < image.width; ++x) {
            const double v = image.at(x, y);
            const double dx = x - centre.x();
            const double dy = y - centre.y();
            if (v > threshold && dx * dx + dy * dy <= double(r) * r)
                sum += v - threshold;
        }
    }
    return sum;
}

}  // namespace

StarSize StarMeasure::measure(const FocusPixels& image, const StarBoxRule& rule)
{
    StarSize star;
    const int size = rule.boxSize;
    const int half = size / 2;
    if (!image.isWhole() || image.width < size || image.height < size)
        return star;

    star.brightest = brightestPixel(image);
    const int cx = std::clamp(star.brightest.x(), half, image.width - half);
    const int cy = std::clamp(star.brightest.y(), half, image.height - half);
    star.box = QRect(cx - half, cy - half, size, size);

    long long boxSum = 0;
    int peak = 0;
    for (int y = star.box.top(); y <= star.box.bottom(); ++y) {
        for (int x = star.box.left(); x <= star.box.right(); ++x) {
            boxSum += image.at(x, y);
            peak = std::max<int>(peak, image.at(x, y));
        }
    }
    const long long background = 2 * boxSum / (size * size);
    if (background >= peak)
        return star;
    const double threshold = background + kThresholdFraction * double(peak - background);

    double flux = 0.0;
    double rowMoment = 0.0;
    double columnMoment = 0.0;
    for (int y = star.box.top(); y <= star.box.bottom(); ++y) {
        for (int x = star.box.left(); x <= star.box.right(); ++x) {
            const double v = image.at(x, y);
            if (v > threshold) {
                flux += v - threshold;
                rowMoment += (v - threshold) * y;
                columnMoment += (v - threshold) * x;
            }
        }
    }
    if (flux <= 0.0)
        return star;
    star.centroid = QPointF(columnMoment / flux - 0.5, rowMoment / flux - 0.5);

    const int largest = rule.largestRadius
                            ? rule.largestRadius(star.centroid - QPointF(star.box.topLeft()))
                            : kLargestRadius;
    const double halfFlux = flux / 2.0;
    double previous = 0.0;
    // A star too wide for the search takes the largest radius tried.
    double radius = largest;
    for (int r = 1; r <= largest; ++r) {
        const double enclosed = enclosedFlux(image, star.centroid, threshold, r);
        if (enclosed >= halfFlux) {
            radius = r - (enclosed - halfFlux) / (enclosed - previous);
            break;
        }
        previous = enclosed;
    }
    star.halfFluxRadius = float(radius);
    star.starArea = std::numbers::pi * radius * radius;
    return star;
}
