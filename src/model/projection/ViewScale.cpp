#include "model/projection/ViewScale.h"

#include "model/Angles.h"

#include <cmath>

std::optional<ViewScale> ViewScale::compute(const QRectF& rect, double viewAngle)
{
    // The centre is reckoned in single precision, as the view rectangle is kept.
    const float cx = float(rect.x()) + float(rect.width()) / 2.0f;
    const float cy = float(rect.y()) + float(rect.height()) / 2.0f;
    const double diag = std::sqrt(double(cx) * cx + double(cy) * cy);
    if (!(diag > 0.0))
        return std::nullopt;
    // The view reaches 20 degrees past the edge so that objects straddling it still show.
    constexpr double kMargin = 20.0 * Angles::kDegToRad;

    ViewScale scale;
    if (viewAngle <= kAllSkyAngle) {
        const double h = viewAngle / 2.0 * Angles::kDegToRad;
        scale.radius = (2.0 - std::tan(h / 2.0)) * diag / std::sin(h);
        scale.xLimit = cx * std::cos(h + kMargin) / diag;
        return scale;
    }
    // The all-sky circle fits the height, 20 points short of the edges.
    scale.radius = double(cy) - 20.0;
    if (!(scale.radius > 0.0))
        return std::nullopt;
    double t = diag / scale.radius;
    if (t > 1.0)
        t -= std::ceil(t - 1.0);  // the whole units above 1 taken off at once
    scale.xLimit = cx * std::cos(std::asin(t) + Angles::kPi + kMargin) / diag;
    return scale;
}
