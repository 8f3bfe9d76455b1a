#include "focus/StarMeasure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

QPoint brightestPixel(const FocusImage& image)
{
    QPoint best(0, 0);
    int value = -1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y) > value) {
                value = image.at(x, y);
                best = QPoint(x, y);
            }
        }
    }
    return best;
}

// The summed excess over the threshold within `r` pixels of the centroid.
double enclosedFlux(const FocusImage& image, QPointF centre, double threshold, int r)
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

StarSize StarMeasure::measure(const FocusImage& image, const StarBoxRule& rule)
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
