#pragma once

#include <QRectF>

#include <optional>

// The chart's projection scale for a view rectangle and a view angle: the
// stereographic `radius` (points; a direction at angle t from the view centre
// lies radius * tan(t / 2) from it) and `xLimit`, the smallest projection
// depth (cosine of the angle from the view centre) still inside the view.
struct ViewScale {
    // Above this view angle (degrees) the chart shows the whole sky, centred
    // on the zenith.
    static constexpr double kAllSkyAngle = 183.0;
    // The view angle used when the settings give none.
    static constexpr double kDefaultViewAngle = 120.0;

    double radius = 0.0;
    double xLimit = 0.0;

    // `rect` in points, `viewAngle` in degrees. Nothing for a view that has no
    // usable scale: an empty rectangle, or an all-sky view whose centre lies
    // 20 points or less above the bottom (its radius would not be positive).
    static std::optional<ViewScale> compute(const QRectF& rect, double viewAngle);
};
