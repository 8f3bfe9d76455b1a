#include "chart/controls/PointerZoom.h"

#include "chart/controls/ViewLimits.h"
#include "model/Angles.h"
#include "model/SkyCoordinates.h"
#include "model/projection/ViewScale.h"

#include <optional>

namespace {

// Corrections of the centre; the pointer's place converges within a few.
constexpr int kCorrections = 4;

// The azimuth difference a - b taken the short way round, degrees.
double azimuthDifference(double a, double b) { return Angles::wrap180(a - b); }

}  // namespace

ViewDirection zoomAboutPoint(ViewDirection view, QPointF point, const QRectF& rect, double field, double newField,
                             bool showBelow)
{
    const std::optional<ViewScale> before = ViewScale::compute(rect, field);
    const std::optional<ViewScale> after = ViewScale::compute(rect, newField);
    if (!before || !after)
        return view;
    const FloatPoint p{float(point.x()), float(point.y())};
    // Only the horizon frame matters here; the site turns it to the equator.
    const SkyCoordinates::Site site{0.0, 0.0};
    const auto under = [&](ViewDirection v, double radius) {
        return SkyCoordinates::calculateCursorPosition(
            p, {v.altitude, v.azimuth, radius, float(rect.width()), float(rect.height())}, site);
    };
    const std::optional<SkyCoordinates::Position> target = under(view, before->radius);
    if (!target)
        return view;
    ViewDirection moved = view;
    for (int i = 0; i < kCorrections; ++i) {
        const std::optional<SkyCoordinates::Position> now = under(moved, after->radius);
        if (!now)
            break;
        moved.azimuth = ViewLimits::azimuth(moved.azimuth + azimuthDifference(target->az, now->az));
        moved.altitude = ViewLimits::altitude(moved.altitude + target->alt - now->alt, showBelow);
    }
    return moved;
}
