#include "focus/views/FocusCurvePainter.h"

#include "focus/AutoFocusRun.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

struct Extent {
    double smallestArea = 1000.0;
    double largestArea = 0.0;
    double smallestRadius = 1000.0;
    double largestRadius = 0.0;
};

// The extent of the samples measured so far, which come first in the store.
Extent measuredExtent(std::span<const FocusSample> store)
{
    Extent extent;
    for (const FocusSample& sample : store) {
        if (!sample.isMeasured())
            break;
        extent.largestArea = std::max(extent.largestArea, sample.starArea);
        extent.smallestArea = std::min(extent.smallestArea, sample.starArea);
        extent.largestRadius = std::max(extent.largestRadius, double(sample.halfFluxRadius));
        extent.smallestRadius = std::min(extent.smallestRadius, double(sample.halfFluxRadius));
    }
    return extent;
}

QPen pen(double red, double green, double width)
{
    QPen line(QColor::fromRgbF(float(red), float(green), 0.0f, 1.0f));
    line.setWidthF(width);
    return line;
}

}  // namespace

FocusCurveData FocusCurveData::of(const AutoFocusRun& run)
{
    return {run.dataStore(),
            run.storeLayout().images,
            run.storeLayout().samples,
            run.isFocuserConnected(),
            run.isCurveDone(),
            {run.curveCoeff(0), run.curveCoeff(1), run.curveCoeff(2)},
            run.bestFocus(),
            run.focusScale()};
}

void FocusCurvePainter::paint(QPainter& painter, const QRectF& rect, const FocusCurveData& run,
                              bool integerColumns)
{
    painter.fillRect(rect, Qt::black);
    const std::span<const FocusSample> store = run.store;
    if (!run.isConnected || store.empty())
        return;
    Extent extent = measuredExtent(store);
    if (extent.largestRadius < FocusSample::kEmptyRadius)
        return;

    painter.save();
    // Upward y, the origin at the rectangle's lower-left corner.
    painter.translate(rect.left(), rect.bottom());
    painter.scale(1.0, -1.0);
    const double w = rect.width();
    const double h = rect.height();
    const int images = run.images;
    const int samples = run.samples;

    if (extent.largestRadius <= extent.smallestRadius)
        extent.smallestRadius = 0.0;
    double xs = w / (images + 1);
    if (integerColumns)
        xs = std::trunc(xs);
    const double radiusScale = h * 0.8 / (extent.largestRadius - extent.smallestRadius);
    QPainterPath circles;
    for (int j = 0; j < images; ++j) {
        for (int k = 0; k < samples; ++k) {
            const size_t i = size_t(j * samples + k);
            if (i >= store.size() || !store[i].isMeasured())
                break;
            const double r = store[i].halfFluxRadius;
            const double d = r * 5.0 / extent.largestRadius;
            const double x = (j + 1) * xs;
            const double y = (r - extent.smallestRadius) * radiusScale + 10.0;
            circles.addEllipse(QRectF(x - d, y - d, 2 * d, 2 * d));
        }
    }
    painter.strokePath(circles, pen(0.9, 0.9, 1.0));

    const double first = store.front().focusPosition;
    const double last = store.back().focusPosition;
    const int segments = int((w - 2 * xs) * 0.25);
    // Equal areas or one position give no scale to draw a curve on.
    if (run.isCurveDone && extent.largestArea > extent.smallestArea && last != first
        && segments > 0) {
        const double dp = (last - first) / segments;
        const double scale = run.scale;
        const double areaScale = h * 0.8 / (extent.largestArea - extent.smallestArea);
        auto areaY = [&](int i) {
            const double x = (i * dp + first) / scale;
            const double c = run.coeff[0] + run.coeff[1] * x + run.coeff[2] * x * x;
            return (c - extent.smallestArea) * areaScale + 10.0;
        };
        QPainterPath curve;
        curve.moveTo(xs, areaY(0));
        for (int i = 1; i <= segments; ++i)
            curve.lineTo(xs + 4.0 * i, areaY(i));
        painter.strokePath(curve, pen(0.0, 0.9, 2.0));

        // A best focus far outside a short sweep lies off the plot: no line,
        // and no conversion of a value past the 16-bit range.
        const double xb = xs + ((run.bestFocus - first) * 4.0) / dp;
        if (xb >= 0.0 && xb <= w) {
            QPainterPath line;
            line.moveTo(qint16(xb), 2.0);
            line.lineTo(qint16(xb), h - 2.0);
            painter.strokePath(line, pen(0.0, 0.9, 1.0));
        }
    }
    painter.restore();
}
