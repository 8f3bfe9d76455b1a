#include "chart/controls/PointerZoom.h"

#include "chart/controls/ViewLimits.h"
#include "model/Angles.h"
#include "model/SkyCoordinates.h"
#include "model/projection/ViewScale.h"

#include <cmath>
#include <optional>

namespace {

// Newton steps on the view centre; each roughly squares the pointer's error.
constexpr int kSteps = 8;
// Points of error small enough to stop at.
constexpr double kClose = 0.01;
// Degrees the centre moves to measure how the pointer's sky moves with it.
constexpr double kProbe = 1e-3;

}  // namespace

ViewDirection zoomAboutPoint(ViewDirection view, QPointF point, const QRectF& rect, double field, double newField,
                             bool showBelow)
{
    const std::optional<ViewScale> before = ViewScale::compute(rect, field);
    const std::optional<ViewScale> after = ViewScale::compute(rect, newField);
    if (!before || !after)
        return view;
    // Only the horizon frame matters here; the site turns it to the equator.
    const SkyCoordinates::Site site{0.0, 0.0};
    const float width = float(rect.width());
    const float height = float(rect.height());
    const std::optional<SkyCoordinates::Position> target = SkyCoordinates::calculateCursorPosition(
        {float(point.x()), float(point.y())}, {view.altitude, view.azimuth, before->radius, width, height}, site);
    if (!target)
        return view;
    const double az = target->az * Angles::kDegToRad;
    const double alt = target->alt * Angles::kDegToRad;
    // Where the pointer's sky lands, less where the pointer is, for a centre.
    const auto error = [&](ViewDirection v) {
        const FloatPoint p =
            SkyCoordinates::CalculateAzPoint(az, alt, {v.altitude, v.azimuth, after->radius, width, height});
        return QPointF(p.x - point.x(), p.y - point.y());
    };
    ViewDirection moved = view;
    for (int i = 0; i < kSteps; ++i) {
        const QPointF e = error(moved);
        if (std::hypot(e.x(), e.y()) < kClose)
            break;
        const QPointF byAz = (error({moved.azimuth + kProbe, moved.altitude}) - e) / kProbe;
        const QPointF byAlt = (error({moved.azimuth, moved.altitude + kProbe}) - e) / kProbe;
        const double det = byAz.x() * byAlt.y() - byAlt.x() * byAz.y();
        // At the zenith the azimuth no longer moves the sky: nothing to solve.
        if (std::abs(det) < 1e-12)
            break;
        const double dAz = (e.x() * byAlt.y() - byAlt.x() * e.y()) / det;
        const double dAlt = (byAz.x() * e.y() - e.x() * byAz.y()) / det;
        moved.azimuth = ViewLimits::azimuth(moved.azimuth - dAz);
        moved.altitude = ViewLimits::altitude(moved.altitude - dAlt, showBelow);
    }
    return moved;
}
